#include "Frequences.h"

namespace Sous_Programmes {

namespace {

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

} // namespace

namespace {

// The kHz typed, in units of 10^-decimales kHz, rounded once at the next
// digit typed.
std::optional<qint64> kHz_Arrondis(QByteArrayView khz, int decimales)
{
    const QByteArrayView t = khz.trimmed();
    qint64 entiers = 0;
    qsizetype i = 0;
    for (; i < t.size() && Chiffre(t[i]); ++i) {
        entiers = entiers * 10 + (t[i] - '0');
        // Above 300 GHz is no radio's.
        if (entiers > 300'000'000)
            return std::nullopt;
    }
    if (i == 0)
        return std::nullopt;
    qint64 echelle = 1;
    for (int d = 0; d < decimales; ++d)
        echelle *= 10;
    qint64 unites = entiers * echelle;
    if (i < t.size()) {
        if (t[i] != '.' && t[i] != ',')
            return std::nullopt;
        ++i;
        if (i == t.size())
            return std::nullopt;
        qint64 poids = echelle;
        for (int rang = 0; i < t.size(); ++i, ++rang) {
            if (!Chiffre(t[i]))
                return std::nullopt;
            const int d = t[i] - '0';
            poids /= 10;
            if (rang < decimales)
                unites += d * poids;
            else if (rang == decimales && d >= 5)
                ++unites;
        }
    }
    if (unites <= 0)
        return std::nullopt;
    return unites;
}

} // namespace

// Hz are the last place a radio takes.
std::optional<qint64> Hertz_De_kHz(QByteArrayView khz) { return kHz_Arrondis(khz, 3); }

std::optional<qint64> Dixiemes_De_kHz(QByteArrayView khz) { return kHz_Arrondis(khz, 1); }

QString Texte_kHz(qint64 hertz)
{
    const qint64 dixiemes = Dixiemes_kHz(hertz);
    QString entiers = QString::number(dixiemes / 10);
    for (qsizetype p = entiers.size() - 3; p > 0; p -= 3)
        entiers.insert(p, u' ');
    return entiers + u',' + QString::number(dixiemes % 10);
}

} // namespace Sous_Programmes
