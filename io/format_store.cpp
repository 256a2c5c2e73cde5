#include "io/format_store.h"

#include <cstring>
#include <memory>
#include <new>

#include "cartio.h"
#include "format/bib_format.h"

std::vector<std::string> ReadFormatNames()
{
    std::vector<std::string> names;
    std::unique_ptr<char[]> list(new (std::nothrow) char[kFormatNameListSize]);
    if (!list || GetConfigStr(list.get(), kFormatNameListSize, kFormatSection, nullptr, "") <= 0)
        return names;
    for (const char* name = list.get(); *name != '\0'; name += std::strlen(name) + 1)
        names.emplace_back(name);
    return names;
}

int ReadFormatText(const char* name, char* out, int outSize)
{
    if (out == nullptr || outSize <= 0) return 0;
    out[0] = '\0';
    if (name == nullptr || name[0] == '\0') return 0;
    return GetConfigStr(out, outSize, kFormatSection, name, "");
}

FormatStoreResult CheckFormat(const char* name, const char* text)
{
    if (name == nullptr || name[0] == '\0' || text == nullptr || text[0] == '\0')
        return kFormatEmpty;
    if (std::strlen(name) > kMaxFormatName) return kFormatNameTooLong;
    if (std::strpbrk(text, "\r\n") != nullptr) return kFormatLineBreak;
    if (std::strlen(text) > kMaxFormatText) return kFormatTooLong;
    return kFormatStored;
}

FormatStoreResult StoreFormat(const char* name, const char* text)
{
    const FormatStoreResult check = CheckFormat(name, text);
    if (check != kFormatStored) return check;
    return SetConfigStr(kFormatSection, name, text) == 0 ? kFormatStored : kFormatWriteFailed;
}

int DeleteFormat(const char* name)
{
    if (name == nullptr || name[0] == '\0') return -1;
    return SetConfigStr(kFormatSection, name, nullptr);
}

bool UseStoredFormat(const char* name)
{
    char text[kMaxFormatText + 1];
    if (ReadFormatText(name, text, sizeof text) <= 0) return false;
    SetCurrentBibFormat(name, text);
    return true;
}
