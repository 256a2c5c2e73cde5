// Finding a few byte values in a text many bytes at a time: every byte of a file that is read
// or written passes through such searches, and a call to the C library for each short stretch
// between two braces or line ends costs more than the search itself. Sixteen bytes at a time
// where the processor has a vector unit, eight in an integer elsewhere (the plain i686 build).
#ifndef CARTULAN_SUPPORT_BYTE_SCAN_H
#define CARTULAN_SUPPORT_BYTE_SCAN_H

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace byte_scan {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighBits = 0x8080808080808080ull;

// The high bit of the first zero byte of `word` is set (bits above it may be set wrongly).
inline uint64_t ZeroBytes(uint64_t word)
{
    return (word - kOnes) & ~word & kHighBits;
}

inline uint64_t Matches(uint64_t word, char c)
{
    return ZeroBytes(word ^ (kOnes * static_cast<unsigned char>(c)));
}

inline uint64_t LoadWord(const char* p)
{
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The byte of a word whose high bit is the lowest set in `marks` (little-endian).
inline unsigned FirstMarked(uint64_t marks)
{
    return static_cast<unsigned>(__builtin_ctzll(marks)) >> 3;
}

#if defined(__SSE2__)
inline unsigned MatchMask(__m128i block, char c)
{
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
}

inline __m128i LoadBlock(const char* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
#endif

}  // namespace byte_scan

// The first `a` or `b` in [p, end), or end.
inline const char* FindEitherByte(const char* p, const char* end, char a, char b)
{
    using namespace byte_scan;
#if defined(__SSE2__)
    for (; end - p >= 16; p += 16) {
        const __m128i block = LoadBlock(p);
        const unsigned marks = MatchMask(block, a) | MatchMask(block, b);
        if (marks != 0)
            return p + __builtin_ctz(marks);
    }
#endif
    for (; end - p >= 8; p += 8) {
        const uint64_t word = LoadWord(p);
        const uint64_t marks = Matches(word, a) | Matches(word, b);
        if (marks != 0)
            return p + FirstMarked(marks);
    }
    while (p < end && *p != a && *p != b)
        ++p;
    return p;
}

// The first byte above 127 or `c` in [p, end), or end.
inline const char* FindHighByteOr(const char* p, const char* end, char c)
{
    using namespace byte_scan;
#if defined(__SSE2__)
    for (; end - p >= 16; p += 16) {
        const __m128i block = LoadBlock(p);
        const unsigned highBytes = static_cast<unsigned>(_mm_movemask_epi8(block));
        const unsigned marks = highBytes | MatchMask(block, c);
        if (marks != 0)
            return p + __builtin_ctz(marks);
    }
#endif
    for (; end - p >= 8; p += 8) {
        const uint64_t word = LoadWord(p);
        const uint64_t marks = (word & kHighBits) | Matches(word, c);
        if (marks != 0)
            return p + FirstMarked(marks);
    }
    while (p < end && (*p & 0x80) == 0 && *p != c)
        ++p;
    return p;
}

#endif
