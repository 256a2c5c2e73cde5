#include "search/text_match.h"

#include <cstdint>
#include <cstring>

#include "store/text/text_rules.h"

namespace {

// Letters of ordinary text from the most to the least common.
constexpr char kLettersByFrequency[] = "etaoinshrdlcumwfgypbvkjxqz";

// How often a byte turns up in ordinary text, on a rough scale of 0-255. Only the order
// matters: the scan looks for the least common byte of the search text.
constexpr int Commonness(unsigned char c)
{
    if (c == ' ') return 255;
    for (int rank = 0; kLettersByFrequency[rank] != 0; ++rank) {
        if (c == static_cast<unsigned char>(kLettersByFrequency[rank])) return 250 - 8 * rank;
        if (c == static_cast<unsigned char>(kLettersByFrequency[rank] - 'a' + 'A'))
            return (250 - 8 * rank) / 4;
    }
    if (c == '\r' || c == '\n') return 120;
    if (c == '.' || c == ',') return 110;
    if (c >= '0' && c <= '9') return 100;
    if (c >= 0x80) return 20;
    if (c < 0x20) return 10;
    return 40;
}

// The bytes that fold to `folded`: itself and its upper-case partner, the same byte twice
// when it has none.
void CaseForms(unsigned char folded, unsigned char forms[2])
{
    forms[0] = folded;
    forms[1] = static_cast<unsigned char>(ToUpperChar(static_cast<char>(folded)));
}

int ProbeScore(const TextMatcher& matcher, std::size_t offset)
{
    const unsigned char byte = matcher.pattern[offset];
    if (matcher.caseSensitive) return Commonness(byte);
    unsigned char forms[2];
    CaseForms(byte, forms);
    return Commonness(forms[0]) + (forms[1] != forms[0] ? Commonness(forms[1]) : 0);
}

// The least common byte of the text, then the least common other byte (another position of
// the same byte only when the text has no other).
void ChooseProbes(TextMatcher& matcher)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < matcher.length; ++i)
        if (ProbeScore(matcher, i) < ProbeScore(matcher, best)) best = i;
    std::size_t second = best;
    bool secondDiffers = false;
    for (std::size_t i = 0; i < matcher.length; ++i) {
        if (i == best) continue;
        const bool differs = matcher.pattern[i] != matcher.pattern[best];
        if (second == best || (differs && !secondDiffers) ||
            (differs == secondDiffers && ProbeScore(matcher, i) < ProbeScore(matcher, second))) {
            second = i;
            secondDiffers = differs;
        }
    }
    const std::size_t offsets[2] = {best, second};
    for (int probe = 0; probe < 2; ++probe) {
        matcher.probeOffsets[probe] = offsets[probe];
        const unsigned char byte = matcher.pattern[offsets[probe]];
        if (matcher.caseSensitive) {
            matcher.probeBytes[probe][0] = matcher.probeBytes[probe][1] = byte;
        } else {
            CaseForms(byte, matcher.probeBytes[probe]);
        }
    }
}

bool SameAt(const TextMatcher& matcher, const unsigned char* start)
{
    if (matcher.caseSensitive) return std::memcmp(start, matcher.pattern, matcher.length) == 0;
    for (std::size_t i = 0; i < matcher.length; ++i)
        if (matcher.fold[start[i]] != matcher.pattern[i]) return false;
    return true;
}

bool ProbesAgree(const TextMatcher& matcher, const unsigned char* start)
{
    for (int probe = 0; probe < 2; ++probe) {
        const unsigned char byte = start[matcher.probeOffsets[probe]];
        if (byte != matcher.probeBytes[probe][0] && byte != matcher.probeBytes[probe][1])
            return false;
    }
    return true;
}

// Whether the text starts at one of the places begin .. `last`, which is at most the field's
// length less the text's; one place after the other.
bool FindPlaceByPlace(const TextMatcher& matcher, const unsigned char* begin, std::size_t last)
{
    for (std::size_t start = 0; start <= last; ++start)
        if (ProbesAgree(matcher, begin + start) && SameAt(matcher, begin + start)) return true;
    return false;
}

#if defined(__i386__) || defined(__x86_64__)
// Sixteen starting places at a time: each probe's bytes are compared for all of them at once
// in the compiler's vector types. The plain i686 build compiles this part for SSE2 and takes
// it only on processors that have it; others take the places one after the other.
#if defined(__SSE2__)
#define VECTOR_CODE
#else
#define VECTOR_CODE __attribute__((target("sse2")))
#endif

constexpr std::size_t kBlock = 16;
typedef unsigned char ByteBlock __attribute__((vector_size(kBlock)));

// The probes' byte forms, sixteen of each side by side.
struct ProbeBlocks {
    ByteBlock a0, a1, b0, b1;
};

VECTOR_CODE inline ByteBlock Splat(unsigned char byte)
{
    ByteBlock block;
    for (std::size_t i = 0; i < kBlock; ++i) block[i] = byte;
    return block;
}

VECTOR_CODE inline ByteBlock Load(const unsigned char* at)
{
    ByteBlock block;
    std::memcpy(&block, at, kBlock);
    return block;
}

VECTOR_CODE inline bool AnySet(const ByteBlock& block)
{
    uint32_t quarters[4];
    std::memcpy(quarters, &block, sizeof quarters);
    return (quarters[0] | quarters[1] | quarters[2] | quarters[3]) != 0;
}

// The places in a block where a probe's byte stands: one compare when case counts, one per
// case form when it does not.
template <bool IgnoringCase>
VECTOR_CODE inline ByteBlock ProbeHits(const ByteBlock& bytes, const ByteBlock& form0,
                                       const ByteBlock& form1)
{
    if constexpr (IgnoringCase)
        return reinterpret_cast<ByteBlock>((bytes == form0) | (bytes == form1));
    else
        return reinterpret_cast<ByteBlock>(bytes == form0);
}

// Whether the text starts at one of the sixteen places from `at`.
template <bool IgnoringCase>
VECTOR_CODE inline bool BlockFinds(const TextMatcher& matcher, const unsigned char* begin,
                                   const ProbeBlocks& probes, std::size_t at)
{
    const ByteBlock hits =
        ProbeHits<IgnoringCase>(Load(begin + matcher.probeOffsets[0] + at), probes.a0, probes.a1) &
        ProbeHits<IgnoringCase>(Load(begin + matcher.probeOffsets[1] + at), probes.b0, probes.b1);
    if (!AnySet(hits)) return false;
    for (std::size_t i = 0; i < kBlock; ++i)
        if (hits[i] != 0 && SameAt(matcher, begin + at + i)) return true;
    return false;
}

template <bool IgnoringCase>
VECTOR_CODE bool FindByBlocks(const TextMatcher& matcher, const unsigned char* begin,
                              std::size_t last)
{
    ProbeBlocks probes;
    probes.a0 = Splat(matcher.probeBytes[0][0]);
    probes.a1 = Splat(matcher.probeBytes[0][1]);
    probes.b0 = Splat(matcher.probeBytes[1][0]);
    probes.b1 = Splat(matcher.probeBytes[1][1]);
    // Every load ends at or before the field's last byte: at + 15 + offset <= last + length
    // - 1. The last block ends at the last place and may go over places already tested.
    std::size_t start = 0;
    for (; start + kBlock - 1 <= last; start += kBlock)
        if (BlockFinds<IgnoringCase>(matcher, begin, probes, start)) return true;
    return start <= last && BlockFinds<IgnoringCase>(matcher, begin, probes, last + 1 - kBlock);
}

bool HasVectorUnit()
{
#if defined(__SSE2__)
    return true;
#else
    static const bool has = __builtin_cpu_supports("sse2");
    return has;
#endif
}

template <bool IgnoringCase>
bool FindFrom(const TextMatcher& matcher, const unsigned char* begin, std::size_t last)
{
    if (last + 1 < kBlock || !HasVectorUnit()) return FindPlaceByPlace(matcher, begin, last);
    return FindByBlocks<IgnoringCase>(matcher, begin, last);
}
#else
template <bool IgnoringCase>
bool FindFrom(const TextMatcher& matcher, const unsigned char* begin, std::size_t last)
{
    return FindPlaceByPlace(matcher, begin, last);
}
#endif

}  // namespace

void PrepareTextMatcher(TextMatcher& matcher, const char* text, bool caseSensitive)
{
    if (text == nullptr) text = "";
    matcher.caseSensitive = caseSensitive;
    for (int c = 0; c < 256; ++c)
        matcher.fold[c] = static_cast<unsigned char>(ToLowerChar(static_cast<char>(c)));
    std::size_t length = 0;
    for (; length < kSearchTextSize - 1 && text[length] != 0; ++length) {
        const unsigned char c = static_cast<unsigned char>(text[length]);
        matcher.pattern[length] = caseSensitive ? c : matcher.fold[c];
    }
    matcher.pattern[length] = 0;
    matcher.length = length;
    ChooseProbes(matcher);
}

bool MatcherFinds(const TextMatcher& matcher, const char* field)
{
    if (field == nullptr) return false;
    if (matcher.length == 0) return true;
    const std::size_t fieldLength = std::strlen(field);
    if (fieldLength < matcher.length) return false;
    const unsigned char* begin = reinterpret_cast<const unsigned char*>(field);
    const std::size_t last = fieldLength - matcher.length;
    return matcher.caseSensitive ? FindFrom<false>(matcher, begin, last)
                                 : FindFrom<true>(matcher, begin, last);
}

bool FieldContains(const char* field, const char* text, bool caseSensitive)
{
    TextMatcher matcher;
    PrepareTextMatcher(matcher, text, caseSensitive);
    return MatcherFinds(matcher, field);
}
