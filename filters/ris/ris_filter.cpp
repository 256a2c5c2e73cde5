// The RIS filter library: its state from the load of the library to the unload, and what its
// reading and writing share.
#include "filters/ris/ris_filter.h"

#include <algorithm>

#include "cartio.h"
#include "filters/common/filter_module.h"
#include "filters/common/filter_state.h"
#include "io/filter_exports.h"

namespace {

// A pointer, not an object, so that nothing depends on the order in which the library's
// static objects and its entry point are set up.
RisFilter* g_filter = nullptr;

bool IsCapital(char c)
{
    return c >= 'A' && c <= 'Z';
}

}  // namespace

bool IsRisBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool FilterAttach()
{
    if (!MakeFilterState(g_filter))
        return false;
    g_filter->writeUtf8 = GetConfigInt(kRisSection, kRisOptionKey, kRisOptionDefault) == 1;
    return true;
}

void FilterDetach()
{
    FreeFilterState(g_filter);
}

RisFilter* TheRisFilter()
{
    return FilterReady() ? g_filter : nullptr;
}

bool SplitRisLine(std::string_view line, std::string_view& tag, std::string_view& text)
{
    if (line.size() < 4 || !IsCapital(line[0])
        || !(IsCapital(line[1]) || (line[1] >= '0' && line[1] <= '9')) || !IsRisBlank(line[2]))
        return false;
    size_t at = 3;
    while (at < line.size() && IsRisBlank(line[at]))
        ++at;
    if (at == line.size() || line[at] != '-')
        return false;
    ++at;
    while (at < line.size() && IsRisBlank(line[at]))
        ++at;
    size_t end = line.size();
    while (end > at && IsRisBlank(line[end - 1]))
        --end;
    tag = line.substr(0, 2);
    text = line.substr(at, end - at);
    return true;
}

bool SwapNameParts(std::string_view name, std::string& out)
{
    std::string_view parts[3];
    size_t count = 0;
    for (size_t at = 0; at <= name.size(); ++count) {
        size_t comma = std::min(name.find(',', at), name.size());
        if (count == 3)
            return false;
        std::string_view part = name.substr(at, comma - at);
        while (!part.empty() && IsRisBlank(part.front()))
            part.remove_prefix(1);
        while (!part.empty() && IsRisBlank(part.back()))
            part.remove_suffix(1);
        if (part.empty())
            return false;
        parts[count] = part;
        at = comma + 1;
    }
    if (count != 3)
        return false;
    out.append(parts[0]).append(", ").append(parts[2]).append(", ").append(parts[1]);
    return true;
}

extern "C" FILTER_API const char* FILTER_CALL WhoAmI(void)
{
    return "RIS format";
}

extern "C" FILTER_API const char* FILTER_CALL GetSpecs(void)
{
    return "RIS file (*.ris)\0*.RIS\0All files (*.*)\0*.*\0";
}
