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
    // `i` holds an LF, or a CR that no LF follows.
    auto fin_de_ligne = [&](qsizetype i) {
        qsizetype fin = i;
        if (p[i] == '\n' && fin > debut && p[fin - 1] == '\r')
            --fin;
        f(QByteArrayView(p + debut, fin - debut), QByteArrayView(p + debut, i + 1 - debut));
        debut = i + 1;
    };
    auto fin_possible = [&](qsizetype i) {
        if (p[i] == '\n' || (p[i] == '\r' && (i + 1 == n || p[i + 1] != '\n')))
            fin_de_ligne(i);
    };
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; i + 65 <= n; i += 64) {
        std::uint64_t masque = 0;
        __m128i seuls = _mm_setzero_si128();
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + 16 * k));
            const __m128i suivant = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + 16 * k + 1));
            masque |= std::uint64_t(std::uint16_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))) << (16 * k);
            seuls = _mm_or_si128(seuls, _mm_andnot_si128(_mm_cmpeq_epi8(suivant, lf), _mm_cmpeq_epi8(v, cr)));
        }
        // A block holding a lone CR, which is rare, is gone through byte by byte.
        if (_mm_movemask_epi8(seuls)) [[unlikely]] {
            for (qsizetype j = i; j < i + 64; ++j)
                fin_possible(j);
            continue;
        }
        while (masque) {
            fin_de_ligne(i + __builtin_ctzll(masque));
            masque &= masque - 1;
        }
    }
#endif
    for (; i < n; ++i)
        fin_possible(i);
    if (debut < n)
        f(QByteArrayView(p + debut, n - debut), QByteArrayView(p + debut, n - debut));
}

} // namespace Sous_Programmes
