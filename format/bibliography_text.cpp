#include "format/bibliography_text.h"

#include <cstring>

#include "store/reference.h"
#include "store/reference_list.h"

namespace {

// Fills the caller's buffer: the header at once, references while they fit, the footer last.
// The footer's room is set aside before anything else is written.
class BibliographyWriter {
public:
    BibliographyWriter(const BibFormat& format, char* out, std::size_t outSize)
        : format_(format), out_(out), size_(outSize), capacity_(outSize > 0 ? outSize - 1 : 0)
    {
        footerLength_ = Bounded(format.footer, capacity_);
        Append(format.header, Bounded(format.header, capacity_ - footerLength_));
    }

    // Formats `reference` and appends it; false once the limit has been reached.
    bool Add(const Reference& reference)
    {
        if (result_.truncated) return false;
        const std::size_t length =
            FormatReferenceWith(format_, reference, scratch_, sizeof scratch_);
        const std::size_t total = result_.length + length;
        if (total + kBibliographyMargin >= size_ || total + footerLength_ > capacity_) {
            result_.truncated = true;
            return false;
        }
        Append(scratch_, length);
        ++result_.included;
        return true;
    }

    BibliographyText Finish()
    {
        Append(format_.footer, footerLength_);
        if (size_ > 0) out_[result_.length] = 0;
        return result_;
    }

private:
    // The length of a part, at most `limit`; a part filled by hand may lack its terminator.
    static std::size_t Bounded(const char* part, std::size_t limit)
    {
        const void* end = std::memchr(part, 0, kBibFormatTextSize);
        const std::size_t length =
            end != nullptr ? static_cast<const char*>(end) - part : kBibFormatTextSize;
        return length < limit ? length : limit;
    }

    void Append(const char* text, std::size_t length)
    {
        std::memcpy(out_ + result_.length, text, length);
        result_.length += length;
    }

    const BibFormat& format_;
    char* out_;
    std::size_t size_;
    std::size_t capacity_;
    std::size_t footerLength_ = 0;
    BibliographyText result_;
    char scratch_[kFormattedReferenceSize];
};

}  // namespace

BibliographyText BuildBibliographyText(const BibFormat& format, const ReferenceList& references,
                                       char* out, std::size_t outSize,
                                       const BibliographyLimitNotice& tooLong)
{
    if (out == nullptr) return BibliographyText();
    BibliographyWriter writer(format, out, outSize);
    for (int32_t i = 0; i < references.count(); ++i) {
        const Reference* reference = references.referenceAt(i);
        if (reference != nullptr && !writer.Add(*reference)) {
            if (tooLong) tooLong();
            break;
        }
    }
    return writer.Finish();
}

BibliographyText BuildSingleReferenceText(const BibFormat& format, const Reference& reference,
                                          char* out, std::size_t outSize)
{
    if (out == nullptr) return BibliographyText();
    BibliographyWriter writer(format, out, outSize);
    writer.Add(reference);
    return writer.Finish();
}
