#pragma once

#include <QByteArrayView>

#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Sous_Programmes {

// Calls f(texte, brute) for each line of `octets`, in order: `texte` without
// its end, `brute` with it. A line ends with CR LF, LF or a lone CR (some old
// editors write those); a last line without an end counts.
// The ends are found 64 bytes at a time: a 99,999-line log is split in about
// the time it takes to read it.
template <typename F>
void Pour_Chaque_Ligne(QByteArrayView octets, F &&f)
{
    const char *p = octets.data();
    const qsizetype n = octets.size();
    qsizetype debut = 0;
    // `i` holds a CR or an LF; the CR of a CR LF waits for its LF.
    auto fin_possible = [&](qsizetype i) {
        if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
            return;
        qsizetype fin = i;
        if (p[i] == '\n' && fin > debut && p[fin - 1] == '\r')
            --fin;
        f(QByteArrayView(p + debut, fin - debut), QByteArrayView(p + debut, i + 1 - debut));
        debut = i + 1;
    };
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; i + 64 <= n; i += 64) {
        const auto bloc = [&](int k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + 16 * k));
            const __m128i fins = _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr));
            return std::uint64_t(std::uint16_t(_mm_movemask_epi8(fins))) << (16 * k);
        };
        std::uint64_t masque = bloc(0) | bloc(1) | bloc(2) | bloc(3);
        while (masque) {
            fin_possible(i + __builtin_ctzll(masque));
            masque &= masque - 1;
        }
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == '\n' || p[i] == '\r')
            fin_possible(i);
    }
    if (debut < n)
        f(QByteArrayView(p + debut, n - debut), QByteArrayView(p + debut, n - debut));
}

} // namespace Sous_Programmes
