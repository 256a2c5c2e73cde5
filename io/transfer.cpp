#include "io/transfer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "cartio.h"
#include "io/app_settings.h"
#include "io/platform_files.h"
#include "store/database.h"
#include "store/owned_text.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_state.h"

namespace {

// The line file buffer carries a few zero bytes behind its end, so that a filter scanning
// past the last line meets a terminator.
constexpr std::size_t kBufferSlack = 8;

char* NewFileBuffer()
{
    return static_cast<char*>(std::calloc(kLineFileBufferSize + kBufferSlack, 1));
}

bool Fail(TransferOutcome& outcome, TransferFailure failure, int error)
{
    outcome.failure = failure;
    outcome.error = error;
    return false;
}

// A reference made from a filter's record, with its summary; null when memory runs out.
Reference* ReferenceFromRecord(const FilterRecord& record)
{
    Reference* reference = new (std::nothrow) Reference;
    if (reference == nullptr) return nullptr;
    const int sourceType = record.sourceType;
    // A source type the program does not know reads as a journal.
    reference->sourceType = sourceType <= kSourceReport ? sourceType : kSourceJournal;
    for (int field = 0; field < kFilterTextCount; ++field) {
        const char* text = GetRecordText(record, field);
        if (text == nullptr) continue;
        char* copy = CopyText(text);
        if (copy == nullptr) {
            delete reference;
            return nullptr;
        }
        reference->*kReferenceTexts[field] = copy;
    }
    if (!RebuildSummary(*reference)) {
        delete reference;
        return nullptr;
    }
    return reference;
}

// The copies of a record to save live in one block, freed at once after the call.
void FreeRecordTexts(FilterRecord& record, char* block)
{
    std::free(block);
    for (int field = 0; field < kRecordTextCount; ++field) SetRecordText(record, field, nullptr);
}

// Fills `record` with copies of the texts of `reference`, kept in one new block that the
// caller frees with FreeRecordTexts. Null when memory runs out.
char* FillRecord(const Reference& reference, FilterRecord& record)
{
    std::memset(&record, 0, sizeof record);
    record.sourceType = static_cast<uint8_t>(reference.sourceType);
    std::size_t lengths[kRecordTextCount];
    std::size_t total = 1;
    for (int field = 0; field < kRecordTextCount; ++field) {
        const char* text = reference.*kReferenceTexts[field];
        lengths[field] = text != nullptr ? std::strlen(text) + 1 : 0;
        total += lengths[field];
    }
    char* block = static_cast<char*>(std::malloc(total));
    if (block == nullptr) return nullptr;
    char* next = block;
    for (int field = 0; field < kRecordTextCount; ++field) {
        if (lengths[field] == 0) continue;
        std::memcpy(next, reference.*kReferenceTexts[field], lengths[field]);
        SetRecordText(record, field, next);
        next += lengths[field];
    }
    return block;
}

// A new file written beside its target, which it replaces only when complete. The target is
// the file a symbolic link names, never the link.
struct NewFile {
    std::string target;
    std::string tempPath;
    LineFile file = {};
    char* buffer = nullptr;
};

std::string DirectoryPart(const char* path)
{
    const char* cut = nullptr;
    for (const char* c = path; *c != '\0'; ++c)
        if (IsPathSeparator(*c)) cut = c + 1;
    return cut != nullptr ? std::string(path, static_cast<std::size_t>(cut - path)) : "";
}

// The folder of `path` as a message names it: without the closing separator.
std::string FolderOf(const char* path)
{
    std::string folder = DirectoryPart(path);
    if (folder.size() > 1) folder.pop_back();
    return folder.empty() ? std::string(".") : folder;
}

std::string UnusedNameBeside(const char* path)
{
    const std::string directory = DirectoryPart(path);
    static unsigned counter = 0;
    for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "~CT%04X.TMP", (counter++) & 0xFFFF);
        const std::string candidate = directory + name;
        if (!FileExists(candidate.c_str()) && !DirectoryExists(candidate.c_str()))
            return candidate;
    }
    return directory + "~CTFFFF.TMP";
}

// The line file mode that writes a file of that encoding.
int WriteMode(int32_t encoding)
{
    return encoding == kFileUtf8 ? kLineFileWriteUtf8
           : encoding == kFileUtf8Marked ? kLineFileWriteUtf8Marked
                                         : kLineFileWrite;
}

int32_t EncodingRead(const LineFile& file)
{
    if ((file.flags & kLineFileUtf8) == 0) return kFile8Bit;
    return (file.flags & kLineFileUtf8Mark) != 0 ? kFileUtf8Marked : kFileUtf8;
}

// Opens the new file for `path`; a read-only file is refused before anything is written.
bool BeginNewFile(const char* path, int mode, NewFile& newFile, TransferOutcome& outcome)
{
    newFile.target = LinkedFile(path);
    if (IsReadOnlyFile(newFile.target.c_str()))
        return Fail(outcome, TransferFailure::kReadOnly, 0);
    newFile.buffer = NewFileBuffer();
    if (newFile.buffer == nullptr) return Fail(outcome, TransferFailure::kNoMemory, 0);
    newFile.tempPath = UnusedNameBeside(newFile.target.c_str());
    const int error = OpenLineFile(&newFile.file, newFile.tempPath.c_str(), mode, newFile.buffer,
                                   kLineFileBufferSize);
    if (error != 0) {
        std::free(newFile.buffer);
        newFile.buffer = nullptr;
        outcome.folder = FolderOf(newFile.target.c_str());
        return Fail(outcome, TransferFailure::kFolderRefused, error);
    }
    return true;
}

// Closes the new file; when it is complete and every byte reached the device, keeps the old
// file as the backup (when asked and there is none yet) and puts the new file in its place.
// Otherwise, or when that fails, the new file is deleted and the old one stays as it was.
bool FinishNewFile(NewFile& newFile, bool complete, bool backups, TransferOutcome& outcome)
{
    const char* path = newFile.target.c_str();
    // Only a complete file has its last buffer written.
    if (complete) newFile.file.flags |= kLineFileDirty;
    const int closeError = CloseLineFile(&newFile.file);
    std::free(newFile.buffer);
    newFile.buffer = nullptr;
    const char* temp = newFile.tempPath.c_str();
    if (!complete || closeError != 0) {
        DeleteFileAt(temp);
        if (outcome.failure != TransferFailure::kNone) return false;
        return complete ? Fail(outcome, TransferFailure::kWriteFailed, closeError)
                        : Fail(outcome, TransferFailure::kSaveStopped, 0);
    }
    int error = FlushFileToDevice(temp);
    if (error != 0) {
        DeleteFileAt(temp);
        outcome.platformError = true;
        return Fail(outcome, TransferFailure::kWriteFailed, error);
    }
    char backup[kPathSize];
    // An existing backup is kept, and a backup that cannot be made does not stop the save.
    if (backups && FileExists(path) && BackupName(path, backup, sizeof backup))
        KeepCopyAs(path, backup);
    error = ReplaceWith(temp, path);
    if (error != 0) {
        DeleteFileAt(temp);
        outcome.platformError = true;
        return Fail(outcome, TransferFailure::kReplaceFailed, error);
    }
    return true;
}

void ReportFailure(const TransferOutcome& outcome, const char* fileName)
{
    if (g_transfer.ui == nullptr) return;
    g_transfer.ui->reportFailure(ReportOf(outcome, fileName));
}

bool IsSaving(int command)
{
    return command == kCommandSave || command == kCommandSaveAs || command == kCommandExport;
}

void CopyPath(char* out, const char* path) { std::snprintf(out, kPathSize, "%s", path); }

void ReportAlone(TransferFailure failure, const char* fileName)
{
    TransferOutcome outcome;
    outcome.failure = failure;
    ReportFailure(outcome, fileName);
}

// Loads the current filter with the export the command needs and GetSpecs; a filter that
// cannot serve is reported under its own name.
bool LoadCurrentFilter(bool saving, LoadedFilter& filter)
{
    if (LoadFilter(g_transfer.currentFilter, filter)) {
        const bool serves = saving ? filter.saveRef != nullptr : filter.loadRef != nullptr;
        if (serves && filter.getSpecs != nullptr) return true;
        UnloadFilter(filter);
    }
    ReportAlone(TransferFailure::kFilterMissing, g_transfer.currentFilter);
    return false;
}

}  // namespace

TransferReport ReportOf(const TransferOutcome& outcome, const char* fileName)
{
    TransferReport report;
    report.failure = outcome.failure;
    report.fileName =
        outcome.failure == TransferFailure::kFolderRefused ? outcome.folder.c_str() : fileName;
    report.error = outcome.error;
    report.platformError = outcome.platformError;
    report.count = outcome.unmapped;
    return report;
}

bool LoadWithFilter(Database& database, const char* path, const LoadedFilter& filter,
                    TransferUi* ui, TransferOutcome& outcome)
{
    if (filter.loadRef == nullptr) return Fail(outcome, TransferFailure::kFilterMissing, 0);
    char* buffer = NewFileBuffer();
    if (buffer == nullptr) return Fail(outcome, TransferFailure::kNoMemory, 0);
    LineFile file;
    const int openError =
        OpenLineFile(&file, path, kLineFileReadText, buffer, kLineFileBufferSize);
    if (openError != 0) {
        std::free(buffer);
        return Fail(outcome, TransferFailure::kOpenFailed, openError);
    }
    if (file.flags & kLineFileUtf16) {
        CloseLineFile(&file);
        std::free(buffer);
        return Fail(outcome, TransferFailure::kUtf16, 0);
    }
    Database* previous = g_store.active;
    g_store.active = &database;
    void* owner = ui != nullptr ? ui->frameWindow() : nullptr;
    bool memoryRanOut = false;
    for (;;) {
        const FilterRecord* record = filter.loadRef(owner, &file);
        if (record == nullptr || record->status >= kRecordNone) break;
        ++outcome.delivered;
        Reference* reference = ReferenceFromRecord(*record);
        if (reference == nullptr) {
            memoryRanOut = true;
            break;
        }
        const int32_t result = database.references->insert(reference);
        if (result < 0) {
            delete reference;
        } else {
            ++outcome.taken;
        }
        if (result == kAbandoned) {
            outcome.abandoned = true;
            break;
        }
        if (ui != nullptr && outcome.delivered % kProgressInterval == 0)
            ui->progress(TransferProgress::kLoaded, outcome.delivered);
    }
    g_store.active = previous;
    database.fileEncoding = EncodingRead(file);
    outcome.unmapped = static_cast<unsigned long>(file.unmapped);
    // The filter reads a failed read as the end of the file; the file remembers the error.
    const int readError = CloseLineFile(&file);
    std::free(buffer);
    if (memoryRanOut) return Fail(outcome, TransferFailure::kNoMemory, 0);
    if (readError != 0) return Fail(outcome, TransferFailure::kReadFailed, readError);
    return true;
}

bool SaveWithFilter(const Database& database, const char* path, const LoadedFilter& filter,
                    bool backups, void* owner, TransferUi* ui, TransferOutcome& outcome)
{
    if (filter.saveRef == nullptr) return Fail(outcome, TransferFailure::kFilterMissing, 0);
    NewFile newFile;
    if (!BeginNewFile(path, WriteMode(database.fileEncoding), newFile, outcome)) return false;
    const ReferenceList& references = *database.references;
    bool complete = true;
    for (int32_t i = 0; i < references.count(); ++i) {
        FilterRecord record;
        char* copies = FillRecord(*references.referenceAt(i), record);
        if (copies == nullptr) {
            Fail(outcome, TransferFailure::kNoMemory, 0);
            complete = false;
            break;
        }
        const int stop = filter.saveRef(owner, &record, &newFile.file);
        FreeRecordTexts(record, copies);
        if (stop != 0 || newFile.file.error != 0) {
            // A failed write shows in the file's error; nothing after it can mend the gap.
            if (stop == 0) Fail(outcome, TransferFailure::kWriteFailed, newFile.file.error);
            complete = false;
            break;
        }
        ++outcome.taken;
        if (ui != nullptr && static_cast<unsigned long>(i) % kProgressInterval == 0)
            ui->progress(TransferProgress::kSaved, static_cast<unsigned long>(i));
    }
    return FinishNewFile(newFile, complete, backups, outcome);
}

bool LoadDatabaseFile(Database& database, const char* path, const char* filterName,
                      TransferUi* ui, TransferOutcome& outcome)
{
    LoadedFilter filter;
    if (!LoadFilter(filterName, filter)) return Fail(outcome, TransferFailure::kFilterMissing, 0);
    const bool loaded = LoadWithFilter(database, path, filter, ui, outcome);
    UnloadFilter(filter);
    return loaded;
}

bool SaveDatabaseFile(const Database& database, const char* path, const char* filterName,
                      bool backups, TransferUi* ui, TransferOutcome& outcome)
{
    LoadedFilter filter;
    if (!LoadFilter(filterName, filter)) return Fail(outcome, TransferFailure::kFilterMissing, 0);
    const bool saved = SaveWithFilter(database, path, filter, backups, nullptr, ui, outcome);
    UnloadFilter(filter);
    return saved;
}

bool SaveTextFile(const char* text, std::size_t length, const char* path, bool backups,
                  TransferOutcome& outcome)
{
    NewFile newFile;
    if (!BeginNewFile(path, kLineFileWrite, newFile, outcome)) return false;
    // Written in pieces of at most one buffer, as they stand, without any conversion.
    bool complete = true;
    std::size_t done = 0;
    while (done < length && complete) {
        LineFile& file = newFile.file;
        std::size_t room = static_cast<std::size_t>(file.endWrite - file.next);
        if (room == 0) {
            file.flags |= kLineFileDirty;
            complete = AdvanceLineFile(&file, kLineFileWrite) == 0;
            continue;
        }
        const std::size_t piece = length - done < room ? length - done : room;
        std::memcpy(file.next, text + done, piece);
        file.next += piece;
        file.flags |= kLineFileDirty;
        done += piece;
    }
    if (!complete) Fail(outcome, TransferFailure::kWriteFailed, newFile.file.error);
    return FinishNewFile(newFile, complete, backups, outcome);
}

bool BackupName(const char* path, char* out, std::size_t outSize)
{
    const char* name = path;
    for (const char* c = path; *c != '\0'; ++c)
        if (IsPathSeparator(*c)) name = c + 1;
    // A name that starts with its only "." (".profile") has no extension.
    const char* dot = std::strrchr(name, '.');
    const std::size_t stem = dot != nullptr && dot > name ? static_cast<std::size_t>(dot - path)
                                                          : std::strlen(path);
    if (stem + 5 > outSize) return false;
    std::memcpy(out, path, stem);
    std::strcpy(out + stem, ".BAK");
    return true;
}

void DefaultExtension(const char* fileTypes, char* out, std::size_t outSize)
{
    if (outSize == 0) return;
    out[0] = '\0';
    if (fileTypes == nullptr || fileTypes[0] == '\0') return;
    const char* pattern = fileTypes + std::strlen(fileTypes) + 1;
    if (std::strncmp(pattern, "*.", 2) != 0) return;
    // A pattern may list several types ("*.PTG;*.PTX"): the first one's extension counts.
    const std::size_t length = std::strcspn(pattern + 2, ";*?. ");
    std::snprintf(out, outSize, "%.*s", static_cast<int>(length), pattern + 2);
}

int ChooseFile(int saving, int ask, const char* fileTypes, char* name)
{
    FileRequest request;
    request.saving = saving != 0;
    request.fileTypes = fileTypes;
    DefaultExtension(fileTypes, request.defaultExtension, sizeof request.defaultExtension);
    request.initialDirectory = g_transfer.lastDirectory;
    if (saving || !ask) CopyPath(request.name, name);
    if (ask && (g_transfer.ui == nullptr || !g_transfer.ui->chooseFileName(request))) return 0;
    if (request.name[0] == '\0') return 0;
    char full[kPathSize];
    if (!FullPathOf(request.name, full, sizeof full)) {
        // Cut to fit, the name would stand for another file.
        ReportAlone(TransferFailure::kNameTooLong, request.name);
        return 0;
    }
    if (!saving && !FileExists(full)) {
        ReportAlone(TransferFailure::kFileMissing, full);
        RemoveRecentFile(full);
        return 0;
    }
    CopyPath(name, full);
    const std::string directory = DirectoryPart(full);
    std::snprintf(g_transfer.lastDirectory, kPathSize, "%.*s",
                  directory.empty() ? 0 : static_cast<int>(directory.size() - 1),
                  directory.c_str());
    return 1;
}

int TransferFile(Database& database, int command, int ask)
{
    const bool saving = IsSaving(command);
    if (!saving && command != kCommandOpen && command != kCommandImport) return 0;
    if (saving && IsBibliography(database) && g_settings.bibIsForm)
        return SaveFormattedBibliography();
    TransferUi* ui = g_transfer.ui;
    // A database takes a file's name only once the transfer succeeded, and a loaded one only
    // when it holds all of the file: a later save must not overwrite a file with part of it,
    // and a failed save as must not leave it named after a file that holds something else.
    char name[kPathSize];
    CopyPath(name, command == kCommandImport ? "" : database.fileName);
    if (!saving) database.fileName[0] = '\0';
    if (command == kCommandImport || command == kCommandExport) {
        if (ui == nullptr || !ui->chooseFormat(command, g_transfer.currentFilter)) return 0;
    } else {
        std::snprintf(g_transfer.currentFilter, kFilterNameSize, "%s", g_transfer.defaultFilter);
    }
    LoadedFilter filter;
    if (!LoadCurrentFilter(saving, filter)) return 0;
    if (!ChooseFile(saving, ask, filter.getSpecs(), name)) {
        UnloadFilter(filter);
        return 0;
    }
    void* owner = ui != nullptr ? ui->beginProgress(name) : nullptr;
    TransferOutcome outcome;
    const bool done =
        saving ? SaveWithFilter(database, name, filter, g_transfer.saveBackups != 0, owner, ui,
                                outcome)
               : LoadWithFilter(database, name, filter, ui, outcome);
    if (ui != nullptr) ui->endProgress();
    UnloadFilter(filter);
    if (!done) {
        ReportFailure(outcome, name);
        return 0;
    }
    if (!saving && outcome.unmapped > 0) {
        outcome.failure = TransferFailure::kUnmappedCharacters;
        ReportFailure(outcome, name);
    }
    if (outcome.abandoned) {
        database.modified = 1;
    } else {
        database.modified = command == kCommandImport ? 1 : 0;
        database.narrowed = 0;  // the named file now holds exactly the list
        if (command != kCommandImport) CopyPath(database.fileName, name);
        if (command == kCommandOpen || command == kCommandSaveAs) AddRecentFile(name);
    }
    if (ui != nullptr) ui->fileNameChanged(database);
    return 1;
}

int ConfirmSave(Database& database)
{
    if (database.modified == 0 || IsBibliography(database)) return 1;
    if (g_transfer.ui == nullptr) return 0;
    switch (g_transfer.ui->askToSave(database)) {
    case SaveAnswer::kYes:
        return database.fileName[0] != '\0' ? TransferFile(database, kCommandSave, 0)
                                            : TransferFile(database, kCommandSaveAs, 1);
    case SaveAnswer::kNo: return 1;
    case SaveAnswer::kCancel:
    default: return 0;
    }
}

int SaveFormattedBibliography()
{
    static const char kTextFileTypes[] = "Text file  (*.txt)\0*.TXT\0All files (*.*)\0*.*\0";
    TransferUi* ui = g_transfer.ui;
    if (ui == nullptr) return 0;
    char* text = static_cast<char*>(std::malloc(kBibliographyFileTextSize));
    if (text == nullptr) return 0;
    std::size_t length = ui->formattedBibliography(text, kBibliographyFileTextSize - 1);
    if (length > kBibliographyFileTextSize - 2) length = kBibliographyFileTextSize - 2;
    char name[kPathSize] = "";
    int result = 0;
    if (ChooseFile(1, 1, kTextFileTypes, name)) {
        TransferOutcome outcome;
        result = SaveTextFile(text, length, name, g_transfer.saveBackups != 0, outcome) ? 1 : 0;
        if (!result) ReportFailure(outcome, name);
    }
    std::free(text);
    return result;
}

void DescribeTransferError(const TransferReport& report, char* out, std::size_t outSize)
{
    if (outSize == 0) return;
    const std::string reason = report.error == 0 ? std::string()
                               : report.platformError ? ErrorText(report.error)
                                                      : std::string(std::strerror(report.error));
    std::snprintf(out, outSize, "%s", reason.c_str());
}

void DescribeTransferFailure(const TransferReport& report, char* out, std::size_t outSize)
{
    char error[256];
    DescribeTransferError(report, error, sizeof error);
    const std::string reason = error[0] != '\0' ? error : "unknown error";
    const char* name = report.fileName != nullptr ? report.fileName : "";
    switch (report.failure) {
    case TransferFailure::kNone: std::snprintf(out, outSize, "%s: no failure", name); break;
    case TransferFailure::kFilterMissing:
        std::snprintf(out, outSize, "%s: the filter cannot be loaded or cannot do this", name);
        break;
    case TransferFailure::kNameTooLong:
        std::snprintf(out, outSize, "%s: the file name is too long", name);
        break;
    case TransferFailure::kFileMissing:
        std::snprintf(out, outSize, "%s: cannot open data file (no such file)", name);
        break;
    case TransferFailure::kOpenFailed:
        std::snprintf(out, outSize, "%s: cannot open: %s", name, reason.c_str());
        break;
    case TransferFailure::kReadFailed:
        std::snprintf(out, outSize, "%s: cannot read the whole file: %s", name, reason.c_str());
        break;
    case TransferFailure::kWriteFailed:
        std::snprintf(out, outSize, "%s: cannot write: %s; the file was left as it was", name,
                      reason.c_str());
        break;
    case TransferFailure::kSaveStopped:
        std::snprintf(out, outSize, "%s: the filter stopped the save; the file was left as it was",
                      name);
        break;
    case TransferFailure::kReplaceFailed:
        std::snprintf(out, outSize, "%s: cannot replace the file: %s; it was left as it was",
                      name, reason.c_str());
        break;
    case TransferFailure::kNoMemory:
        std::snprintf(out, outSize, "%s: not enough memory", name);
        break;
    case TransferFailure::kReadOnly:
        std::snprintf(out, outSize, "%s: the file is read-only; it was left as it was", name);
        break;
    case TransferFailure::kFolderRefused:
        std::snprintf(out, outSize, "%s: cannot create a new file in this folder: %s; nothing "
                      "was saved", name, reason.c_str());
        break;
    case TransferFailure::kUtf16:
        std::snprintf(out, outSize, "%s: the file is UTF-16 text, which cannot be read; save it "
                      "as UTF-8", name);
        break;
    case TransferFailure::kUnmappedCharacters:
        std::snprintf(out, outSize, "%s: characters without a Windows character: %lu; they "
                      "are kept as {U+...} codes and written back in UTF-8", name, report.count);
        break;
    }
}
