#pragma once

#include <QtGlobal>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The first code unit from `from` on that is at most `limit`, or `end` when there is none.
// Readers of large texts stop only at a few low code units (line ends, quotation marks), so
// they skip everything above them, eight units at a time where the processor allows.
inline const char16_t *FindUnitAtMost(const char16_t *from, const char16_t *end, char16_t limit)
{
#if defined(__SSE2__)
    const __m128i bound = _mm_set1_epi16(short(limit));
    const __m128i zero = _mm_setzero_si128();
    while (end - from >= 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
        // A unit is at most `limit` when subtracting `limit` with saturation leaves zero.
        const int found = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(units, bound), zero));
        if (found != 0)
            return from + __builtin_ctz(unsigned(found)) / 2;
        from += 8;
    }
#endif
    while (from != end && *from > limit)
        ++from;
    return from;
}

// Whether the `count` code units at `units` hold a quotation mark or a line break. Reads whole
// blocks of eight units, up to seven past the last, which must be readable: it is meant for a
// writer's own buffer, where the check costs no more than for a text of eight units.
inline bool HasQuoteOrLineBreakInBlocks(const char16_t *units, qsizetype count)
{
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi16(short(u'"'));
    const __m128i cr = _mm_set1_epi16(short(u'\r'));
    const __m128i lf = _mm_set1_epi16(short(u'\n'));
    for (qsizetype i = 0; i < count; i += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i));
        const __m128i found =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(block, quote), _mm_cmpeq_epi16(block, cr)),
                         _mm_cmpeq_epi16(block, lf));
        unsigned mask = unsigned(_mm_movemask_epi8(found));
        if (count - i < 8)
            mask &= (1u << (2 * (count - i))) - 1;
        if (mask != 0)
            return true;
    }
    return false;
#else
    for (qsizetype i = 0; i < count; ++i) {
        if (units[i] == u'"' || units[i] == u'\r' || units[i] == u'\n')
            return true;
    }
    return false;
#endif
}
