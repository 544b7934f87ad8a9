#include "Texte.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Sous_Programmes {

namespace {
constexpr const char *Code_Page = "windows-1252";
}

QString Depuis_Log(QByteArrayView octets)
{
    QStringDecoder decodeur(Code_Page);
    return decodeur.decode(octets);
}

std::optional<QByteArray> Vers_Log(const QString &texte, QString *fautif)
{
    QStringEncoder encodeur(Code_Page);
    QByteArray octets = encodeur.encode(texte);
    if (!encodeur.hasError() && octets.size() == texte.size())
        return octets;
    // Find the first character that has no byte of its own, to name it.
    if (fautif) {
        for (qsizetype i = 0; i < texte.size();) {
            const qsizetype n = (texte.at(i).isHighSurrogate() && i + 1 < texte.size()) ? 2 : 1;
            const QStringView caractere = QStringView(texte).mid(i, n);
            QStringEncoder un(Code_Page);
            const QByteArray octet = un.encode(caractere);
            if (octet.size() != 1 || un.hasError()) {
                *fautif = caractere.toString();
                break;
            }
            i += n;
        }
    }
    return std::nullopt;
}

QByteArrayView Sans_Blancs(QByteArrayView texte)
{
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && texte[debut] == ' ')
        ++debut;
    while (fin > debut && texte[fin - 1] == ' ')
        --fin;
    return texte.sliced(debut, fin - debut);
}

} // namespace Sous_Programmes
