// Parsing and formatting under arbitrary format texts and field contents, into buffers of
// arbitrary size: nothing may be written outside a buffer, and the results keep their shape.
//
// Input: two bytes of output size, one of source type, two of field presence bits, then the
// format text and the twelve field texts, separated by zero bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "format/bib_format.h"
#include "format/bibliography_text.h"
#include "store/reference.h"
#include "store/reference_list.h"

namespace {

constexpr std::size_t kHeaderBytes = 5;
constexpr std::size_t kMaxOutSize = 20000;

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "bibliography format fault: %s\n", what);
        std::abort();
    }
}

bool Terminated(const char* part) { return std::memchr(part, 0, kBibFormatTextSize) != nullptr; }

// The texts between zero bytes: the format text first, then the fields.
std::vector<std::string> Pieces(const uint8_t* data, std::size_t size)
{
    std::vector<std::string> pieces(1 + kFilterTextCount);
    std::size_t piece = 0;
    for (std::size_t i = 0; i < size && piece < pieces.size(); ++i)
        data[i] == 0 ? void(++piece) : void(pieces[piece] += static_cast<char>(data[i]));
    return pieces;
}

// Formats into a buffer of exactly `size` bytes; the sanitizer sees any byte written past it.
std::string FormatInto(const BibFormat& format, const Reference& reference, std::size_t size)
{
    std::unique_ptr<char[]> out(new char[size > 0 ? size : 1]);
    const std::size_t length = FormatReferenceWith(format, reference, out.get(), size);
    if (size == 0) {
        Check(length == 0, "a zero-sized buffer got text");
        return std::string();
    }
    Check(length < size, "the result does not fit its buffer");
    Check(std::strlen(out.get()) == length, "the length is not the text's length");
    Check(length == 0 || (length >= 4 && std::memcmp(out.get() + length - 4, "\r\n\r\n", 4) == 0),
          "the result lacks its closing");
    return std::string(out.get(), length);
}

void CheckBibliography(const BibFormat& format, Reference* reference, std::size_t size)
{
    ReferenceList* list = CreateReferenceList(20, 0, nullptr);
    Check(list != nullptr && list->insert(reference) >= 0, "the reference was refused");
    std::unique_ptr<char[]> out(new char[size > 0 ? size : 1]);
    int notices = 0;
    const BibliographyText text =
        BuildBibliographyText(format, *list, out.get(), size, [&notices] { ++notices; });
    if (size > 0) {
        Check(text.length < size, "the bibliography does not fit its buffer");
        Check(std::strlen(out.get()) == text.length, "the bibliography length is wrong");
    }
    Check(notices == (text.truncated ? 1 : 0), "the limit was not reported exactly once");
    Check(text.included + (text.truncated ? 1 : 0) == 1, "a reference went missing");
    list->removeAll();
    delete list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeaderBytes) return 0;
    const std::size_t outSize = (data[0] | data[1] << 8) % kMaxOutSize;
    const unsigned presence = data[3] | data[4] << 8;
    const std::vector<std::string> pieces = Pieces(data + kHeaderBytes, size - kHeaderBytes);

    Reference* reference = new Reference;
    reference->sourceType = static_cast<int32_t>(data[2] % 4);
    for (int field = 0; field < kFilterTextCount; ++field)
        if ((presence >> field) & 1)
            SetReferenceText(*reference, static_cast<ReferenceField>(field),
                             pieces[1 + field].c_str());

    BibFormat format;
    ParseBibFormatInto(pieces[0].c_str(), format);
    Check(Terminated(format.header) && Terminated(format.footer) && Terminated(format.body),
          "a format part lost its terminator");

    // A result that fits the smaller of two buffers is the same in both.
    const bool below = outSize < kFormattedReferenceSize;
    const std::size_t smallSize = below ? outSize : kFormattedReferenceSize;
    const std::size_t largeSize = below ? kFormattedReferenceSize : outSize;
    const std::string large = FormatInto(format, *reference, largeSize);
    const std::string small = FormatInto(format, *reference, smallSize);
    if (large.size() < smallSize) Check(small == large, "a result that fits was changed");
    CheckBibliography(format, reference, outSize / 4);
    return 0;
}
