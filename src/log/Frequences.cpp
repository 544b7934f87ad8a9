#include "Frequences.h"

namespace Sous_Programmes {

namespace {

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<qint64> Hertz_De_kHz(QByteArrayView khz)
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
    qint64 hertz = entiers * 1000;
    if (i < t.size()) {
        if (t[i] != '.' && t[i] != ',')
            return std::nullopt;
        ++i;
        if (i == t.size())
            return std::nullopt;
        // Hz are the last place a radio takes; the next decimal rounds.
        static constexpr int poids[] = {100, 10, 1};
        for (int rang = 0; i < t.size(); ++i, ++rang) {
            if (!Chiffre(t[i]))
                return std::nullopt;
            const int d = t[i] - '0';
            if (rang < 3)
                hertz += d * poids[rang];
            else if (rang == 3 && d >= 5)
                ++hertz;
        }
    }
    if (hertz <= 0)
        return std::nullopt;
    return hertz;
}

QString Texte_kHz(qint64 hertz)
{
    const qint64 dixiemes = Dixiemes_kHz(hertz);
    QString entiers = QString::number(dixiemes / 10);
    for (qsizetype p = entiers.size() - 3; p > 0; p -= 3)
        entiers.insert(p, u' ');
    return entiers + u',' + QString::number(dixiemes % 10);
}

} // namespace Sous_Programmes
