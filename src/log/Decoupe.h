#pragma once

#include <QByteArrayView>

#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Sous_Programmes {

// Calls f(texte, brute) for each line of `octets`, in order: `texte` without
// its end (LF, or CR LF), `brute` with it. A last line without an end counts.
// The newlines are found 64 bytes at a time: a 99,999-line log is split in
// about the time it takes to read it.
template <typename F>
void Pour_Chaque_Ligne(QByteArrayView octets, F &&f)
{
    const char *p = octets.data();
    const qsizetype n = octets.size();
    qsizetype debut = 0;
    auto fin_de_ligne = [&](qsizetype lf) {
        qsizetype fin = lf;
        if (fin > debut && p[fin - 1] == '\r')
            --fin;
        f(QByteArrayView(p + debut, fin - debut), QByteArrayView(p + debut, lf + 1 - debut));
        debut = lf + 1;
    };
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 64 <= n; i += 64) {
        const auto bloc = [&](int k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + 16 * k));
            return std::uint64_t(std::uint16_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))) << (16 * k);
        };
        std::uint64_t masque = bloc(0) | bloc(1) | bloc(2) | bloc(3);
        while (masque) {
            fin_de_ligne(i + __builtin_ctzll(masque));
            masque &= masque - 1;
        }
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == '\n')
            fin_de_ligne(i);
    }
    if (debut < n) {
        qsizetype fin = n;
        if (p[fin - 1] == '\r')
            --fin;
        f(QByteArrayView(p + debut, fin - debut), QByteArrayView(p + debut, n - debut));
    }
}

} // namespace Sous_Programmes
