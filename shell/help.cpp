#include "help.h"

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "version_info.h"

namespace {

struct HelpSection {
    HelpContext context;
    const char* anchor;
};

// Each context's section in the manual: the anchors are the manual's element ids.
const HelpSection kSections[] = {
    {kHelpContents, "contents"},
    {kHelpReferenceEditor, "reference-editor"},
    {kHelpSortOptions, "sort-options"},
    {kHelpListOptions, "list-options"},
    {kHelpBibliographyFormats, "bibliography-formats"},
    {kHelpDuplicates, "duplicates"},
    {kHelpNameOptions, "name-options"},
    {kHelpFileDialogs, "file-dialogs"},
    {kHelpKeywords, "keywords"},
    {kHelpUsingHelp, "using-help"},
};

const char* AnchorOf(HelpContext context)
{
    for (const HelpSection& section : kSections) {
        if (section.context == context)
            return section.anchor;
    }
    return kSections[0].anchor;
}

// file:///C:/folder/CARTUL32.HTM#anchor, with the characters a URL cannot hold escaped.
std::string FileUrl(const std::string& path, const char* anchor)
{
    std::string url = "file:///";
    for (unsigned char c : path) {
        if (c == '\\') {
            url += '/';
        } else if (c <= ' ' || c == '#' || c == '%' || c == '"' || c >= 0x80) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            url += escaped;
        } else {
            url += static_cast<char>(c);
        }
    }
    return url + '#' + anchor;
}

bool LogTarget(const std::string& target)
{
    char log[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(HELP_LOG_SETTING, log, sizeof log);
    if (length == 0 || length >= sizeof log)
        return false;
    if (std::FILE* file = std::fopen(log, "a")) {
        std::fprintf(file, "%s\n", target.c_str());
        std::fclose(file);
    }
    return true;
}

bool Succeeded(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

int OpenHelp(HelpContext context)
{
    // The manual lies beside the program, wherever the current folder is.
    std::string manual = ProgramFolder() + HELP_FILE;
    const char* anchor = AnchorOf(context);
    if (LogTarget(manual + '#' + anchor))
        return 1;
    // Handed a file name the shell drops the anchor; the browser itself keeps it in a URL.
    char browser[MAX_PATH] = {};
    if (Succeeded(FindExecutableA(manual.c_str(), nullptr, browser))) {
        std::string url = '"' + FileUrl(manual, anchor) + '"';
        if (Succeeded(ShellExecuteA(nullptr, "open", browser, url.c_str(), nullptr, SW_SHOWNORMAL)))
            return 1;
    }
    return Succeeded(ShellExecuteA(nullptr, "open", manual.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}
