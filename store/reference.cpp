#include "store/reference.h"

#include <cstdlib>
#include <new>

#include "store/name_summary.h"
#include "store/owned_text.h"

char* Reference::* const kReferenceTexts[kReferenceTextCount] = {
    &Reference::authors,  &Reference::date,      &Reference::title,    &Reference::source,
    &Reference::volume,   &Reference::number,    &Reference::pages,    &Reference::abstract,
    &Reference::keywords, &Reference::publisher, &Reference::city,     &Reference::editors,
    &Reference::summary,
};

Reference::~Reference()
{
    for (char* Reference::* field : kReferenceTexts) std::free(this->*field);
}

const char* ReferenceText(const Reference& reference, ReferenceField field)
{
    if (field < 0 || field >= kReferenceTextCount) return nullptr;
    return reference.*kReferenceTexts[field];
}

int SetReferenceText(Reference& reference, ReferenceField field, const char* text)
{
    if (field < 0 || field >= kReferenceTextCount) return 0;
    return ReplaceText(&(reference.*kReferenceTexts[field]), text);
}

Reference* CreateReference(const InputDefaults& defaults)
{
    Reference* reference = new (std::nothrow) Reference;
    if (reference == nullptr) return nullptr;
    reference->sourceType = defaults.sourceType;
    // The default date may hold 19 characters and no terminator if it was filled carelessly.
    char date[kDefaultDateSize];
    int length = 0;
    for (; length < kDefaultDateSize - 1 && defaults.date[length] != 0; ++length)
        date[length] = defaults.date[length];
    date[length] = 0;
    reference->date = CopyText(date);
    if (reference->date == nullptr) {
        delete reference;
        return nullptr;
    }
    return reference;
}

Reference* CopyReference(const Reference& reference)
{
    Reference* copy = new (std::nothrow) Reference;
    if (copy == nullptr) return nullptr;
    copy->sourceType = reference.sourceType;
    for (char* Reference::* field : kReferenceTexts) {
        const char* text = reference.*field;
        copy->*field = CopyText(text);
        if (text != nullptr && copy->*field == nullptr) {
            delete copy;
            return nullptr;
        }
    }
    return copy;
}

int RebuildSummary(Reference& reference)
{
    char line[kSummaryBufferSize];
    formatNameSummary(reference, kSummaryAll | kSummaryWithTitle, line, sizeof line);
    return ReplaceText(&reference.summary, line);
}
