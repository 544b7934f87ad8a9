#pragma once

#include "Resultat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The fixed-column QSO line of the log and the numbered line of the main list.
namespace Sous_Programmes {

inline constexpr qsizetype Longueur_Ligne_QSO = 53;
inline constexpr qsizetype Largeur_Date = 8;
inline constexpr qsizetype Largeur_DMF = 5;
inline constexpr qsizetype Largeur_Type = 22;
inline constexpr qsizetype Largeur_Indicatif = 12;
// A list line is the stored line after its number (5 wide) and three blanks.
inline constexpr qsizetype Largeur_Prefixe_Liste = 8;

// A field by its 1-based column; what lies beyond a short line is not there.
inline QByteArrayView Champ(QByteArrayView ligne, qsizetype colonne, qsizetype largeur)
{
    const qsizetype debut = colonne - 1;
    if (debut >= ligne.size())
        return {};
    return ligne.sliced(debut, qMin(largeur, ligne.size() - debut));
}

inline QByteArrayView Date_QSO(QByteArrayView l) { return Champ(l, 1, Largeur_Date); }
inline QByteArrayView Attente_QSO(QByteArrayView l) { return Champ(l, 10, 1); }
inline QByteArrayView DMF_QSO(QByteArrayView l) { return Champ(l, 11, Largeur_DMF); }
inline QByteArrayView Type_QSO(QByteArrayView l) { return Champ(l, 18, Largeur_Type); }
inline QByteArrayView Indicatif_QSO(QByteArrayView l) { return Champ(l, 42, Largeur_Indicatif); }

// A character of a DMF number as the entry accepts it: a digit, A or B.
inline bool Caractere_DMF(char c) { return (c >= '0' && c <= '9') || c == 'A' || c == 'B'; }

// A number the entry accepts (five digits, A or B) as an index, each character
// a digit of base 12: tables of every possible number need no hashing. -1 for
// any other text, which old or edited logs may hold.
inline constexpr int Codes_DMF = 12 * 12 * 12 * 12 * 12;
inline int Code_DMF(QByteArrayView dmf)
{
    if (dmf.size() != Largeur_DMF)
        return -1;
    int code = 0;
    for (char c : dmf) {
        if (!Caractere_DMF(c))
            return -1;
        code = code * 12 + (c == 'A' ? 10 : c == 'B' ? 11 : c - '0');
    }
    return code;
}

// What the entry fields hold, as the operator typed it.
struct Champs_QSO {
    QString date;
    bool attente = false;
    QString dmf;
    QString type;
    QString indicatif;
};

// The 53-byte line, or a French refusal naming the field that cannot be held:
// a date not of 8 characters, a field longer than its column, a control
// character or a character that Windows-1252 has no byte for.
Resultat<QByteArray> Construit_Ligne_QSO(const Champs_QSO &champs);

// True for a line the log can take as it is: 53 bytes, no line break inside.
bool Ligne_QSO_Valide(QByteArrayView ligne);

// The number of a line right-aligned in 5 columns (wider past 99,999),
// then three blanks: the head of list lines and listing rows.
void Ajoute_Numero(QByteArray &sortie, qsizetype numero);

// The list line of the n-th stored line (n from 1): the number right-aligned
// in 5 columns, three blanks, then the fields rebuilt at their places.
QByteArray Ligne_Liste(qsizetype numero, QByteArrayView ligne_stockee);
void Ajoute_Ligne_Liste(QByteArray &sortie, qsizetype numero, QByteArrayView ligne_stockee);

// Where the stored line starts in a list line, as bytes or as shown: after
// the number and its three blanks, the number being wider than 5 only past
// line 99,999.
template <typename Texte>
qsizetype Longueur_Prefixe_Liste(const Texte &ligne_liste)
{
    qsizetype i = 0;
    while (i < 5 && i < ligne_liste.size() && ligne_liste[i] == u' ')
        ++i;
    while (i < ligne_liste.size() && ligne_liste[i] >= u'0' && ligne_liste[i] <= u'9')
        ++i;
    return qMax<qsizetype>(i + 3, Largeur_Prefixe_Liste);
}

// The stored part of a list line: what follows the number and its three blanks.
QByteArrayView Partie_Stockee(QByteArrayView ligne_liste);

// The QSO of a list line as the entry fields show it: the date as it stands,
// the other fields without their blanks. None when the line holds no QSO
// (blanks from the blank after the date to the one after the DMF number).
std::optional<Champs_QSO> QSO_De_Ligne_Liste(QByteArrayView ligne_liste);

// What a screen reader says of the n-th line (n from 1): its fields in words,
// "QSO 12, 05/01/26, DMF 21001, Moulin Contacte, F5ABC, en attente de validation";
// a line that holds no QSO is read as it is.
QString Phrase_QSO(qsizetype numero, QByteArrayView ligne_stockee);
// The same from a list line as the lists show it; its own text when it is
// not one.
QString Phrase_Ligne_Liste(const QString &ligne_liste);

} // namespace Sous_Programmes
