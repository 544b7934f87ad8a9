#pragma once

#include <QByteArrayView>

#include <cstring>

namespace Sous_Programmes {

// Calls f(texte, brute) for each line of `octets`, in order: `texte` without
// its end, `brute` with it. A line ends with CR LF, LF or a lone CR (some old
// editors write those); a last line without an end counts.
template <typename F>
void Pour_Chaque_Ligne(QByteArrayView octets, F &&f)
{
    const char *p = octets.data();
    const qsizetype n = octets.size();
    auto cherche = [&](qsizetype de, qsizetype a, char c) {
        const void *t = std::memchr(p + de, c, size_t(a - de));
        return t ? static_cast<const char *>(t) - p : a;
    };
    // The next LF is looked for again only once passed: a file of lone CRs
    // is gone through once, not once a line.
    qsizetype lf = -1;
    for (qsizetype debut = 0; debut < n;) {
        if (lf < debut)
            lf = cherche(debut, n, '\n');
        qsizetype fin = cherche(debut, lf, '\r');
        qsizetype suite;
        if (fin < lf && fin + 1 < lf) {
            suite = fin + 1; // a lone CR
        } else {
            fin = fin + 1 == lf ? fin : lf; // CR LF, or LF
            suite = lf < n ? lf + 1 : n;
        }
        f(QByteArrayView(p + debut, fin - debut), QByteArrayView(p + debut, suite - debut));
        debut = suite;
    }
}

} // namespace Sous_Programmes
