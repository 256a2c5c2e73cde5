#include "transfer_messages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "../lang/ids.h"
#include "shell_services.h"

namespace {

// The texts of a file that cannot be opened or created are the program's own, the same in
// every language.
constexpr char kOpenFailedText[] = "MMIOINFO.wErrorRet contains: %u";
constexpr char kOpenFailedCaption[] = "mmioOpen() failed";

constexpr int kFormatSize = 1024;
constexpr int kMessageSize = 2048;

int MessageId(TransferFailure failure)
{
    switch (failure) {
    case TransferFailure::kFilterMissing: return IDS_FILTER_FAILED;
    case TransferFailure::kNameTooLong: return IDS_NAME_TOO_LONG;
    case TransferFailure::kReadFailed: return IDS_READ_FAILED;
    case TransferFailure::kWriteFailed: return IDS_WRITE_FAILED;
    case TransferFailure::kSaveStopped: return IDS_SAVE_STOPPED;
    case TransferFailure::kReplaceFailed: return IDS_REPLACE_FAILED;
    case TransferFailure::kReadOnly: return IDS_FILE_READ_ONLY;
    case TransferFailure::kFolderRefused: return IDS_FOLDER_REFUSES_FILES;
    case TransferFailure::kUtf16: return IDS_UTF16_FILE;
    default: return 0;
    }
}

// A path has no spaces to break the message's lines at: a long one is broken every so many
// characters, so that the message box stays narrower than the screen.
constexpr std::size_t kNameLineLength = 64;

std::string NameInLines(const char* name)
{
    std::string lines;
    for (std::size_t length = std::strlen(name), at = 0; at < length; at += kNameLineLength) {
        if (at > 0)
            lines += '\n';
        lines.append(name + at, std::min(kNameLineLength, length - at));
    }
    return lines;
}

// The library's text with the file name and the reason filled in; a library without the
// text gets the program's English description instead.
void ShowFileMessage(HWND owner, int id, const TransferReport& report)
{
    char format[kFormatSize];
    char reason[256];
    char text[kMessageSize];
    DescribeTransferError(report, reason, sizeof reason);
    const std::string name = NameInLines(report.fileName != nullptr ? report.fileName : "");
    if (LoadText(id, format, sizeof format) > 0)
        std::snprintf(text, sizeof text, format, name.c_str(), reason);
    else
        DescribeTransferFailure(report, text, sizeof text);
    MessageBoxA(owner, text, nullptr, MB_OK | MB_ICONWARNING);
}

// Not a failure: the file was read, and says how many characters it kept as escapes.
void ShowUnmappedNotice(HWND owner, const TransferReport& report)
{
    char format[kFormatSize];
    char text[kMessageSize];
    const std::string name = NameInLines(report.fileName != nullptr ? report.fileName : "");
    if (LoadText(IDS_UNMAPPED_CHARACTERS, format, sizeof format) > 0)
        std::snprintf(text, sizeof text, format, name.c_str(),
                      static_cast<unsigned long>(report.count));
    else
        DescribeTransferFailure(report, text, sizeof text);
    MessageBoxA(owner, text, nullptr, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

void ReportTransferFailure(HWND owner, const TransferReport& report)
{
    switch (report.failure) {
    case TransferFailure::kNone:
        return;
    case TransferFailure::kFileMissing:
        ShowMessage(owner, IDS_CANNOT_OPEN_FILE);
        return;
    case TransferFailure::kNoMemory:
        ShowMessage(owner, IDS_NO_MEMORY);
        return;
    case TransferFailure::kUnmappedCharacters:
        ShowUnmappedNotice(owner, report);
        return;
    case TransferFailure::kOpenFailed: {
        char text[64];
        std::snprintf(text, sizeof text, kOpenFailedText, static_cast<unsigned>(report.error));
        MessageBoxA(owner, text, kOpenFailedCaption, MB_OK | MB_ICONERROR);
        return;
    }
    default:
        ShowFileMessage(owner, MessageId(report.failure), report);
        return;
    }
}
