#include "tools/cartcli/cartcli.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cartio.h"
#include "format/bib_format.h"
#include "format/bibliography_text.h"
#include "store/text/text_rules.h"
#include "io/app_settings.h"
#include "io/filter_loader.h"
#include "io/platform_files.h"
#include "io/transfer.h"
#include "search/search.h"
#include "store/database.h"
#include "store/reference.h"
#include "store/reference_list.h"
#include "store/store_state.h"
#include "store/store_ui.h"

namespace {

constexpr char kUsage[] =
    "usage: cartcli COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "Reads and writes reference files with Cartulan's filters and settings. The filters are\n"
    "the .FLT files beside cartcli; FILTER is a filter's file name (PUBTAG.FLT) or that name\n"
    "without its extension, in any case. Files are read and written with the default file\n"
    "format (the setting \"Files\"/\"Format\", normally REFER.FLT) unless --from names\n"
    "another filter for reading or --to one for writing.\n"
    "\n"
    "commands:\n"
    "  formats\n"
    "      lists the filters and what each can do (load, save, options).\n"
    "  convert [--from FILTER] [--to FILTER] [--keep-first | --overwrite] IN OUT\n"
    "      reads IN into a database sorted by the stored sort keys and writes it to OUT (an\n"
    "      export, with --to). A reference equal to one already read is left out and\n"
    "      counted (--keep-first, the default) or replaces it (--overwrite). OUT is replaced\n"
    "      only when it was written completely; with the setting \"Files\"/\"Backup\" on (the\n"
    "      default) an existing OUT is first kept under its .BAK name, unless that file\n"
    "      exists. Prints a one-line summary.\n"
    "  format [--from FILTER] [--format NAME | --text FORMAT] IN\n"
    "      prints the formatted bibliography of IN: the header, every reference in sort\n"
    "      order, the footer. NAME is a stored bibliography format (or Basic); FORMAT a\n"
    "      format text such as \"[Refs\\n]<A@ ><D(@)>\". Default: the current format.\n"
    "  search [--from FILTER] [--case] [--not] FIELD TEXT IN\n"
    "      prints the summary line of every reference of IN whose FIELD holds TEXT. FIELD is\n"
    "      title, keywords, any (title, keywords or abstract), authors, source or date.\n"
    "  --help\n"
    "      shows this text.\n"
    "\n"
    "Exit status: 0 done, 1 a file or filter could not be used, 2 a wrong command line.\n";

// Options shared by the commands; each command takes the ones it knows.
struct CommandLine {
    std::string from;         // --from
    std::string to;           // --to
    bool overwrite = false;   // --overwrite
    std::string formatName;   // --format
    std::string formatText;   // --text
    bool hasFormatText = false;
    bool caseSensitive = false;  // --case
    bool logicalNot = false;     // --not
    std::vector<std::string> arguments;
};

// Counts the duplicates met while loading and answers each the same way.
class CountingResolver : public DuplicateResolver {
public:
    explicit CountingResolver(DuplicateChoice choice) : choice_(choice) {}
    DuplicateChoice resolveDuplicate(Reference&, const Reference&, bool) override
    {
        ++count;
        return choice_;
    }
    unsigned long count = 0;

private:
    DuplicateChoice choice_;
};

struct Output {
    std::FILE* out;
    std::FILE* err;

    void fail(const std::string& message) const
    {
        std::fprintf(err, "cartcli: %s\n", message.c_str());
    }
};

// Parses the options in front of the arguments. Returns false (with a message) for an
// unknown or incomplete option.
bool ParseOptions(int argc, char** argv, int first, CommandLine& line, const Output& io)
{
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if ((arg == "--from" || arg == "--to" || arg == "--format" || arg == "--text")
            && !hasValue) {
            io.fail(arg + " needs a value");
            return false;
        }
        if (arg == "--from") {
            line.from = argv[++i];
        } else if (arg == "--to") {
            line.to = argv[++i];
        } else if (arg == "--format") {
            line.formatName = argv[++i];
        } else if (arg == "--text") {
            line.formatText = argv[++i];
            line.hasFormatText = true;
        } else if (arg == "--overwrite") {
            line.overwrite = true;
        } else if (arg == "--keep-first") {
            line.overwrite = false;
        } else if (arg == "--case") {
            line.caseSensitive = true;
        } else if (arg == "--not") {
            line.logicalNot = true;
        } else if (arg == "--") {
            for (++i; i < argc; ++i) line.arguments.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            io.fail("unknown option " + arg + " (see cartcli --help)");
            return false;
        } else {
            line.arguments.push_back(arg);
        }
    }
    return true;
}

bool ExpectArguments(const CommandLine& line, std::size_t count, const char* command,
                     const Output& io)
{
    if (line.arguments.size() == count) return true;
    io.fail(std::string(command) + " takes " + std::to_string(count) +
            " argument(s) (see cartcli --help)");
    return false;
}

// The filter file name for reading: --from or the default file format.
bool ReadingFilter(const CommandLine& line, char* name, const Output& io)
{
    const std::string wanted = line.from.empty() ? g_transfer.defaultFilter : line.from;
    if (ResolveFilterName(wanted.c_str(), name, kFilterNameSize)) return true;
    io.fail("unknown filter " + wanted + " (cartcli formats lists the filters)");
    return false;
}

void ReportOutcome(const TransferOutcome& outcome, const std::string& file, const char* filter,
                   const Output& io)
{
    if (outcome.failure == TransferFailure::kFilterMissing) {
        io.fail(std::string(filter) + " cannot be loaded or cannot do this");
        return;
    }
    char text[1024];
    DescribeTransferFailure(ReportOf(outcome, file.c_str()), text, sizeof text);
    io.fail(text);
}

// Reads `path` into a new database. Null (with a message) when that fails.
Database* ReadDatabase(const std::string& path, const char* filter, const Output& io,
                       TransferOutcome& outcome)
{
    // A directory goes on to the load, which reports why it cannot be read.
    if (!FileExists(path.c_str()) && !DirectoryExists(path.c_str())) {
        outcome.failure = TransferFailure::kFileMissing;
        ReportOutcome(outcome, path, filter, io);
        return nullptr;
    }
    Database* database = CreateDatabase();
    if (database == nullptr) {
        io.fail("not enough memory");
        return nullptr;
    }
    if (!LoadDatabaseFile(*database, path.c_str(), filter, nullptr, outcome)) {
        ReportOutcome(outcome, path, filter, io);
        DestroyDatabase(database);
        return nullptr;
    }
    if (outcome.unmapped > 0) {
        TransferOutcome notice = outcome;
        notice.failure = TransferFailure::kUnmappedCharacters;
        ReportOutcome(notice, path, filter, io);
    }
    return database;
}

int ListFormats(const Output& io)
{
    FilterEntry entries[kMaxListedFilters];
    const int count = ListFilters(kListEvery, entries, kMaxListedFilters);
    if (count == 0) {
        io.fail(std::string("no filters found in ") + FilterDirectory());
        return kExitFailed;
    }
    for (int i = 0; i < count; ++i) {
        const FilterEntry& entry = entries[i];
        std::string can;
        if (entry.loads) can += "load";
        if (entry.saves) can += can.empty() ? "save" : ", save";
        if (entry.hasOptions) can += can.empty() ? "options" : ", options";
        const bool isDefault = CompareTextI(entry.fileName, g_transfer.defaultFilter) == 0;
        std::fprintf(io.out, "%-12s  %-28s  %s%s\n", entry.fileName, entry.displayName,
                     can.c_str(), isDefault ? " (default file format)" : "");
    }
    return kExitOk;
}

int Convert(const CommandLine& line, const Output& io)
{
    if (!ExpectArguments(line, 2, "convert", io)) return kExitUsage;
    char filter[kFilterNameSize];
    char target[kFilterNameSize];
    if (!ReadingFilter(line, filter, io)) return kExitUsage;
    if (!line.to.empty() && !ResolveFilterName(line.to.c_str(), target, sizeof target)) {
        io.fail("unknown filter " + line.to + " (cartcli formats lists the filters)");
        return kExitUsage;
    }
    if (line.to.empty() && !ResolveFilterName(g_transfer.defaultFilter, target, sizeof target)) {
        io.fail(std::string("the default file format ") + g_transfer.defaultFilter +
                " is not installed");
        return kExitFailed;
    }
    CountingResolver resolver(line.overwrite ? DuplicateChoice::kOverwrite
                                             : DuplicateChoice::kDontInclude);
    g_store.resolver = &resolver;
    TransferOutcome loaded;
    Database* database = ReadDatabase(line.arguments[0], filter, io, loaded);
    g_store.resolver = nullptr;
    if (database == nullptr) return kExitFailed;
    TransferOutcome saved;
    const std::string& out = line.arguments[1];
    const bool ok = SaveDatabaseFile(*database, out.c_str(), target, g_transfer.saveBackups != 0,
                                     nullptr, saved);
    const int32_t count = database->references->count();
    // The process ends with this command: the store keeps the database (reachable, so not a
    // leak) and the system takes it back at once, where freeing a large library reference by
    // reference would take a good part of the whole run.
    if (!ok) {
        ReportOutcome(saved, out, target, io);
        return kExitFailed;
    }
    std::fprintf(io.out, "%s: %lu read, %ld written to %s, %lu duplicate%s %s\n",
                 line.arguments[0].c_str(), loaded.delivered, static_cast<long>(count),
                 out.c_str(), resolver.count, resolver.count == 1 ? "" : "s",
                 line.overwrite ? "overwritten" : "left out");
    return kExitOk;
}

// The bibliography format asked for. False (with a message) for an unknown name.
bool ChooseFormat(const CommandLine& line, BibFormat& format, const Output& io)
{
    format = CurrentBibFormat();
    if (line.hasFormatText) {
        ParseBibFormatInto(line.formatText.c_str(), format);
        std::snprintf(format.name, sizeof format.name, "%s", "(command line)");
        return true;
    }
    if (line.formatName.empty()) return true;
    if (CompareTextI(line.formatName.c_str(), kBasicBibFormatName) == 0) {
        MakeBasicBibFormat(format);
        return true;
    }
    char text[kConfigMaxText + 1] = "";
    GetConfigStr(text, sizeof text, "Formats", line.formatName.c_str(), "");
    if (text[0] == '\0') {
        io.fail("no stored bibliography format " + line.formatName);
        return false;
    }
    ParseBibFormatInto(text, format);
    std::snprintf(format.name, sizeof format.name, "%s", line.formatName.c_str());
    return true;
}

int FormatBibliography(const CommandLine& line, const Output& io)
{
    if (!ExpectArguments(line, 1, "format", io)) return kExitUsage;
    char filter[kFilterNameSize];
    BibFormat format;
    if (!ReadingFilter(line, filter, io) || !ChooseFormat(line, format, io)) return kExitUsage;
    TransferOutcome loaded;
    Database* database = ReadDatabase(line.arguments[0], filter, io, loaded);
    if (database == nullptr) return kExitFailed;
    char* text = static_cast<char*>(std::malloc(kBibliographyTextSize));
    if (text == nullptr) {
        DestroyDatabase(database);
        io.fail("not enough memory");
        return kExitFailed;
    }
    const BibliographyText built =
        BuildBibliographyText(format, *database->references, text, kBibliographyTextSize, {});
    std::fwrite(text, 1, built.length, io.out);
    if (built.truncated)
        std::fprintf(io.err, "cartcli: the bibliography is truncated after %ld of %ld references\n",
                     static_cast<long>(built.included),
                     static_cast<long>(database->references->count()));
    std::free(text);
    DestroyDatabase(database);
    return kExitOk;
}

// The field code of a field name, or 0.
int32_t SearchFieldOf(const std::string& name)
{
    struct Field {
        const char* name;
        int32_t code;
    } const fields[] = {
        {"title", kSearchTitle},     {"keywords", kSearchKeywords},
        {"any", kSearchTitleKeywordsAbstract}, {"authors", kSearchAuthors},
        {"source", kSearchSource},   {"date", kSearchDate},
    };
    for (const Field& field : fields)
        if (CompareTextI(name.c_str(), field.name) == 0) return field.code;
    return 0;
}

int Search(const CommandLine& line, const Output& io)
{
    if (!ExpectArguments(line, 3, "search", io)) return kExitUsage;
    SearchCriteria criteria;
    criteria.field = SearchFieldOf(line.arguments[0]);
    if (criteria.field == 0) {
        io.fail("unknown search field " + line.arguments[0] +
                " (title, keywords, any, authors, source or date)");
        return kExitUsage;
    }
    SetSearchText(criteria, line.arguments[1].c_str());
    criteria.caseSensitive = line.caseSensitive ? 1 : 0;
    criteria.logicalNot = line.logicalNot ? 1 : 0;
    char filter[kFilterNameSize];
    if (!ReadingFilter(line, filter, io)) return kExitUsage;
    TransferOutcome loaded;
    Database* database = ReadDatabase(line.arguments[2], filter, io, loaded);
    if (database == nullptr) return kExitFailed;
    Database* result = CreateDatabase();
    if (result == nullptr) {
        DestroyDatabase(database);
        io.fail("not enough memory");
        return kExitFailed;
    }
    SearchList(*database->references, criteria, *result->references);
    for (int32_t i = 0; i < result->references->count(); ++i) {
        const char* summary = result->references->referenceAt(i)->summary;
        std::fprintf(io.out, "%s\n", summary != nullptr ? summary : "");
    }
    DestroyDatabase(result);
    DestroyDatabase(database);
    return kExitOk;
}

}  // namespace

int RunCartcli(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    const Output io{out, err};
    if (argc < 2) {
        std::fputs(kUsage, err);
        return kExitUsage;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, out);
        return kExitOk;
    }
    CommandLine line;
    if (!ParseOptions(argc, argv, 2, line, io)) return kExitUsage;
    LoadSettings();
    int result;
    if (command == "formats" && ExpectArguments(line, 0, "formats", io))
        result = ListFormats(io);
    else if (command == "formats")
        result = kExitUsage;
    else if (command == "convert")
        result = Convert(line, io);
    else if (command == "format")
        result = FormatBibliography(line, io);
    else if (command == "search")
        result = Search(line, io);
    else {
        io.fail("unknown command " + command + " (see cartcli --help)");
        result = kExitUsage;
    }
    ClearRecentFiles();
    return result;
}
