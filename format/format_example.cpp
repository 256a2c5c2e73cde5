#include "format/format_example.h"

#include <memory>

#include "format/bibliography_text.h"
#include "store/reference.h"

namespace {

struct SampleText {
    ReferenceField field;
    const char* text;
};

const SampleText kSample[] = {
    {kFieldAuthors, "Bloggs, F\r\nSmith, J\r\nOther, AN"},
    {kFieldTitle, "An exciting paper"},
    {kFieldDate, "1994"},
    {kFieldVolume, "000"},
    {kFieldNumber, "0"},
    {kFieldPages, "0000-0000"},
    {kFieldSource, "The Journal"},
    {kFieldPublisher, "Smith and Brown"},
    {kFieldCity, "London"},
    {kFieldEditors, "Brown, P"},
    {kFieldKeywords, "Widgets\r\nDoofers"},
    {kFieldAbstract,
     "This is a very good piece of work.\r\n\r\nBloggs et al have shown that widgets are in "
     "fact doofers!"},
};

}  // namespace

std::size_t FormatExample(const char* formatText, const InputDefaults& defaults, char* out,
                          std::size_t outSize)
{
    if (out == nullptr || outSize == 0) return 0;
    out[0] = '\0';
    std::unique_ptr<Reference> sample(CreateReference(defaults));
    if (!sample) return 0;
    for (const SampleText& text : kSample)
        if (!SetReferenceText(*sample, text.field, text.text)) return 0;
    // Parsed apart from the current format: the example never changes what the bibliography
    // uses.
    BibFormat working;
    ParseBibFormatInto(formatText != nullptr ? formatText : "", working);
    return BuildSingleReferenceText(working, *sample, out, outSize).length;
}
