#include "Texte.h"

#include <QLocale>

#include <array>

namespace Sous_Programmes {

namespace {

// Windows-1252 differs from Latin-1 only from 0x80 to 0x9F. The five bytes it
// leaves undefined read as the C1 controls of the same number, as converters
// do; the entry refuses those, so the program never writes them.
constexpr char16_t Haut_Code_Page[32] = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

// The code page's own table, kept in the program: a converter of the system
// may lack it (Qt without ICU, on Windows).
constexpr std::array<char16_t, 256> Table_Code_Page = [] {
    std::array<char16_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[size_t(i)] = (i >= 0x80 && i < 0xA0) ? Haut_Code_Page[i - 0x80] : char16_t(i);
    return t;
}();

// The byte of a character, or -1 when the code page has none.
int Octet(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (Haut_Code_Page[i] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString Depuis_Log(QByteArrayView octets)
{
    QString texte(octets.size(), Qt::Uninitialized);
    QChar *c = texte.data();
    for (char o : octets)
        *c++ = QChar(Table_Code_Page[static_cast<unsigned char>(o)]);
    return texte;
}

std::optional<QByteArray> Vers_Log(const QString &texte, QString *fautif)
{
    QByteArray octets(texte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const int o = Octet(texte.at(i).unicode());
        if (o < 0) {
            // A character outside the code page: named whole, surrogate pair included.
            if (fautif)
                *fautif = texte.mid(i, texte.at(i).isHighSurrogate() && i + 1 < texte.size() ? 2 : 1);
            return std::nullopt;
        }
        octets[i] = char(o);
    }
    return octets;
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

bool Lettres_Chiffres_Ou(QStringView texte, QStringView autres)
{
    for (QChar c : texte)
        if (c.unicode() >= 128 || !(Alphanumerique(char(c.unicode())) || autres.contains(c)))
            return false;
    return true;
}

QByteArray Texte_Lignes(const QStringList &lignes)
{
    QByteArray octets;
    for (const QString &ligne : lignes)
        octets.append(Vers_Log(ligne).value_or(ligne.toLatin1())).append("\r\n");
    return octets;
}

void Ajoute_Coupee(QStringList &lignes, const QString &ligne)
{
    qsizetype debut_texte = 0;
    while (debut_texte < ligne.size() && ligne[debut_texte] == u' ')
        ++debut_texte;
    const QString suite(debut_texte + 4, u' ');
    QString reste = ligne;
    while (reste.size() > Largeur_Page) {
        qsizetype coupe = reste.lastIndexOf(u' ', Largeur_Page);
        if (coupe <= suite.size())
            coupe = Largeur_Page;
        lignes << reste.left(coupe);
        reste = suite + reste.mid(coupe).trimmed();
    }
    lignes << reste;
}

QString Nombre(qsizetype n) { return QLocale(QLocale::French).toString(qlonglong(n)); }

} // namespace Sous_Programmes
