#include "Ligne_QSO.h"

#include "Texte.h"

#include <QStringList>

namespace Sous_Programmes {

namespace {

Resultat<QByteArray> Encode_Champ(const QString &texte, const QString &nom, qsizetype largeur)
{
    for (QChar c : texte) {
        // C1 controls are the bytes Windows-1252 leaves undefined.
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            return Erreur{QStringLiteral("Le champ « %1 » contient un caractère de contrôle : le QSO ne peut pas être enregistré.").arg(nom)};
    }
    QString fautif;
    const auto octets = Vers_Log(texte, &fautif);
    if (!octets)
        return Erreur{QStringLiteral("Le champ « %1 » contient le caractère « %2 », que le log ne peut pas enregistrer.").arg(nom, fautif)};
    if (octets->size() > largeur)
        return Erreur{QStringLiteral("Le champ « %1 » dépasse %2 caractères : le QSO ne peut pas être enregistré.").arg(nom).arg(largeur)};
    return *octets;
}

void Ajoute_Complete(QByteArray &ligne, QByteArrayView champ, qsizetype largeur)
{
    ligne.append(champ);
    ligne.append(largeur - champ.size(), ' ');
}

} // namespace

Resultat<QByteArray> Construit_Ligne_QSO(const Champs_QSO &champs)
{
    const auto date = Encode_Champ(champs.date, QStringLiteral("Date"), Largeur_Date);
    if (!date)
        return Erreur{date.erreur()};
    if (date.valeur().size() != Largeur_Date)
        return Erreur{QStringLiteral("Le champ « Date » doit compter exactement 8 caractères (JJ/MM/AA) : le QSO ne peut pas être enregistré.")};
    const auto dmf = Encode_Champ(champs.dmf, QStringLiteral("N° DMF"), Largeur_DMF);
    if (!dmf)
        return Erreur{dmf.erreur()};
    const auto type = Encode_Champ(champs.type, QStringLiteral("Type Activité"), Largeur_Type);
    if (!type)
        return Erreur{type.erreur()};
    const auto indicatif = Encode_Champ(champs.indicatif, QStringLiteral("Indicatif"), Largeur_Indicatif);
    if (!indicatif)
        return Erreur{indicatif.erreur()};

    QByteArray ligne;
    ligne.reserve(Longueur_Ligne_QSO);
    ligne.append(date.valeur());
    ligne.append(' ');
    ligne.append(champs.attente ? '*' : ' ');
    Ajoute_Complete(ligne, dmf.valeur(), Largeur_DMF);
    ligne.append("  ");
    Ajoute_Complete(ligne, type.valeur(), Largeur_Type);
    ligne.append("  ");
    Ajoute_Complete(ligne, indicatif.valeur(), Largeur_Indicatif);
    return ligne;
}

bool Ligne_QSO_Valide(QByteArrayView ligne)
{
    return ligne.size() == Longueur_Ligne_QSO && !ligne.contains('\n') && !ligne.contains('\r');
}

void Ajoute_Numero(QByteArray &sortie, qsizetype numero)
{
    char tete[32];
    char chiffres[20];
    int n = 0;
    do {
        chiffres[n++] = char('0' + numero % 10);
        numero /= 10;
    } while (numero > 0);
    char *p = tete;
    for (int i = n; i < 5; ++i)
        *p++ = ' ';
    while (n > 0)
        *p++ = chiffres[--n];
    for (int i = 0; i < 3; ++i)
        *p++ = ' ';
    sortie.append(tete, p - tete);
}

void Ajoute_Ligne_Liste(QByteArray &sortie, qsizetype numero, QByteArrayView l)
{
    Ajoute_Numero(sortie, numero);
    if (l.size() == Longueur_Ligne_QSO && l[8] == ' ' && l[15] == ' ' && l[16] == ' ' && l[39] == ' ' && l[40] == ' ') {
        sortie.append(l); // a well-formed line rebuilds to itself
        return;
    }
    sortie.append(Date_QSO(l));
    sortie.append(' ');
    sortie.append(Attente_QSO(l));
    sortie.append(DMF_QSO(l));
    sortie.append("  ");
    sortie.append(Type_QSO(l));
    sortie.append("  ");
    sortie.append(Indicatif_QSO(l));
}

QByteArray Ligne_Liste(qsizetype numero, QByteArrayView ligne_stockee)
{
    QByteArray sortie;
    sortie.reserve(Largeur_Prefixe_Liste + Longueur_Ligne_QSO + 2);
    Ajoute_Ligne_Liste(sortie, numero, ligne_stockee);
    return sortie;
}

QByteArrayView Partie_Stockee(QByteArrayView ligne_liste)
{
    const qsizetype i = Longueur_Prefixe_Liste(ligne_liste);
    if (i >= ligne_liste.size())
        return {};
    return ligne_liste.sliced(i);
}

std::optional<Champs_QSO> QSO_De_Ligne_Liste(QByteArrayView ligne_liste)
{
    const QByteArrayView l = Partie_Stockee(ligne_liste);
    if (ligne_liste.isEmpty() || Champ(l, Largeur_Date + 1, 8) == QByteArrayView("        "))
        return std::nullopt;
    return Champs_QSO{Depuis_Log(Date_QSO(l)), Attente_QSO(l) == QByteArrayView("*"), Depuis_Log(DMF_QSO(l)).trimmed(),
                      Depuis_Log(Type_QSO(l)).trimmed(), Depuis_Log(Indicatif_QSO(l)).trimmed()};
}

QString Phrase_QSO(qsizetype numero, QByteArrayView l)
{
    const QByteArrayView dmf = Sans_Blancs(DMF_QSO(l));
    const QByteArrayView indicatif = Sans_Blancs(Indicatif_QSO(l));
    // The columns of a QSO line: a blank after the date, then the pending mark.
    const bool colonnes = l.size() > 10 && l[8] == ' ' && (l[9] == ' ' || l[9] == '*');
    if (!colonnes || (dmf.isEmpty() && indicatif.isEmpty())) {
        const QString texte = Depuis_Log(l).trimmed();
        return texte.isEmpty() ? QStringLiteral("Ligne %1, vide").arg(numero) : QStringLiteral("Ligne %1 : %2").arg(numero).arg(texte);
    }
    QStringList champs{QStringLiteral("QSO %1").arg(numero)};
    for (QByteArrayView champ : {Sans_Blancs(Date_QSO(l)), dmf, Sans_Blancs(Type_QSO(l)), indicatif}) {
        if (champ.isEmpty())
            continue;
        champs.append(champ.data() == dmf.data() ? QStringLiteral("DMF ") + Depuis_Log(champ) : Depuis_Log(champ));
    }
    if (Attente_QSO(l) == "*")
        champs.append(QStringLiteral("en attente de validation"));
    return champs.join(QStringLiteral(", "));
}

QString Phrase_Ligne_Liste(const QString &ligne_liste)
{
    const qsizetype prefixe = Longueur_Prefixe_Liste(ligne_liste);
    bool nombre = false;
    const qsizetype numero = ligne_liste.left(prefixe).trimmed().toLongLong(&nombre);
    if (!nombre || ligne_liste.size() < prefixe)
        return ligne_liste.trimmed();
    const auto stockee = Vers_Log(ligne_liste.mid(prefixe));
    return stockee ? Phrase_QSO(numero, *stockee) : ligne_liste.trimmed();
}

} // namespace Sous_Programmes
