#include "Texte.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>

namespace Sous_Programmes {

namespace {

constexpr const char *Code_Page = "windows-1252";

// Each byte's character, found once by the converter: decoding one line then
// costs a table look-up per byte instead of opening a converter.
const std::array<char16_t, 256> &Table_Code_Page()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        QStringDecoder decodeur(Code_Page);
        for (int i = 0; i < 256; ++i) {
            const char octet = char(i);
            const QString c = decodeur.decode(QByteArrayView(&octet, 1));
            t[size_t(i)] = c.size() == 1 ? c.at(0).unicode() : u'\uFFFD';
        }
        return t;
    }();
    return table;
}

} // namespace

QString Depuis_Log(QByteArrayView octets)
{
    const auto &table = Table_Code_Page();
    QString texte(octets.size(), Qt::Uninitialized);
    QChar *c = texte.data();
    for (char o : octets)
        *c++ = QChar(table[static_cast<unsigned char>(o)]);
    return texte;
}

std::optional<QByteArray> Vers_Log(const QString &texte, QString *fautif)
{
    // ASCII is its own code page; no converter needed.
    if (std::all_of(texte.cbegin(), texte.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return texte.toLatin1();
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

QString Texte_Visible(const QString &texte)
{
    QString visible = texte;
    for (QChar &c : visible) {
        if (c.category() == QChar::Other_Control)
            c = u'?';
    }
    return visible;
}

} // namespace Sous_Programmes
