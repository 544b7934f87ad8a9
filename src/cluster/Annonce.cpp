#include "Annonce.h"

#include "Echange_ADIF.h"
#include "Frequences.h"
#include "Ligne_QSO.h"
#include "Regles_Saisie.h"
#include "Texte.h"

#include <algorithm>

using namespace Sous_Programmes;

namespace Cluster {

namespace {

Refus_Annonce Refus(Champ_Annonce champ, const QString &raison)
{
    static const QString noms[] = {QStringLiteral("Fréquence (kHz)"), QStringLiteral("Indicatif"), QStringLiteral("N° DMF"),
                                   QStringLiteral("Commentaire")};
    return {champ, QStringLiteral("Annonce non envoyée. Champ « %1 » : %2").arg(noms[int(champ)], raison)};
}

bool Controle(QChar c) { return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0); }

} // namespace

bool Dans_Une_Bande(qint64 hertz)
{
    return std::any_of(std::begin(Bandes), std::end(Bandes),
                       [hertz](const Bande &b) { return hertz >= b.debut_khz * 1000 && hertz <= b.fin_khz * 1000; });
}

QByteArray Frequence_Annonce(qint64 hertz)
{
    const qint64 dixiemes = Dixiemes_kHz(hertz);
    return QByteArray::number(dixiemes / 10) + '.' + QByteArray::number(dixiemes % 10);
}

std::variant<Annonce, Refus_Annonce> Prepare_Annonce(const Champs_Annonce &champs)
{
    Annonce a;
    const QString frequence = champs.frequence.trimmed();
    const std::optional<qint64> dixiemes = Dixiemes_De_kHz(frequence.toLatin1());
    if (frequence.isEmpty())
        return Refus(Champ_Annonce::Frequence, QStringLiteral("indiquez la fréquence de l'activation en kHz (14285.0 par exemple)."));
    if (!dixiemes)
        return Refus(Champ_Annonce::Frequence,
                     QStringLiteral("« %1 » n'est pas une fréquence en kHz (14285.0 par exemple).").arg(Texte_Visible(frequence)));
    // The node is given one decimal: that is what is announced.
    a.hertz = *dixiemes * 100;
    if (!Dans_Une_Bande(a.hertz))
        return Refus(Champ_Annonce::Frequence,
                     QStringLiteral("%1 kHz n'est dans aucune bande amateur (de 1,8 à 440 MHz).").arg(Texte_kHz(a.hertz)));
    a.frequence = Frequence_Annonce(a.hertz);

    // Checked as typed: put in capitals first, "ß" would pass as "SS".
    const QString indicatif = champs.indicatif.trimmed();
    if (indicatif.isEmpty() || indicatif.size() > Largeur_Indicatif || !Lettres_Chiffres_Ou(indicatif, u"/"))
        return Refus(Champ_Annonce::Indicatif, QStringLiteral("de 1 à 12 lettres, chiffres ou « / » (F8KOB/P par exemple)."));
    a.indicatif = indicatif.toLatin1().toUpper();

    const QString dmf = champs.dmf.trimmed().toUpper();
    if (const QString refus = Verifie_DMF(dmf); !refus.isEmpty())
        return Refus(Champ_Annonce::DMF, refus);

    const QString commentaire = champs.commentaire.trimmed();
    if (std::any_of(commentaire.begin(), commentaire.end(), Controle))
        return Refus(Champ_Annonce::Commentaire, QStringLiteral("il ne doit contenir ni fin de ligne ni autre caractère de contrôle."));
    if (const auto accent = std::find_if(commentaire.begin(), commentaire.end(), [](QChar c) { return c.unicode() > 0x7E; });
        accent != commentaire.end())
        return Refus(Champ_Annonce::Commentaire,
                     QStringLiteral("les nœuds ne transmettent que les caractères sans accent : « %1 » n'en est pas un.").arg(*accent));
    const QByteArray octets = commentaire.toLatin1();
    if (ADIF::Reference_Dans_Texte(octets).value_or(QByteArray()) != dmf.toLatin1())
        return Refus(Champ_Annonce::Commentaire, QStringLiteral("il doit porter le moulin annoncé, « DMF %1 ».").arg(dmf));
    if (commentaire.size() > Commentaire_Maximum)
        return Refus(Champ_Annonce::Commentaire, QStringLiteral("%1 caractères au plus (il en a %2).")
                                                     .arg(Commentaire_Maximum)
                                                     .arg(commentaire.size()));
    a.commentaire = octets;
    return a;
}

std::optional<QByteArray> Ligne_Annonce(const Annonce &a)
{
    if (a.frequence.isEmpty() || a.indicatif.isEmpty())
        return std::nullopt;
    const QByteArray ligne = "DX " + a.frequence + ' ' + a.indicatif + ' ' + a.commentaire;
    if (std::any_of(ligne.begin(), ligne.end(), [](char c) { return uchar(c) < 0x20 || uchar(c) > 0x7E; }))
        return std::nullopt;
    return ligne.trimmed();
}

std::optional<QString> Refus_Du_Noeud(QByteArrayView ligne)
{
    const QByteArrayView l = ligne.trimmed();
    const QByteArray minuscules = l.toByteArray().toLower();
    // Others' words ("DX de F5XYZ:", "To ALL de F1ABC:", "WWV de W0MU <18>:")
    // are no answer to ours, whatever they say.
    if (const qsizetype deux_points = minuscules.indexOf(':'); deux_points > 0 && minuscules.first(deux_points).contains(" de "))
        return std::nullopt;
    // The words nodes answer a refused DX command with, the most telling first.
    static const std::pair<const char *, const char *> refus[] = {
        {"duplicate", "doublon : ce spot vient d'être annoncé"},
        {"not in band", "fréquence hors des bandes"},
        {"need a callsign", "indicatif manquant"},
        {"registered", "il faut être enregistré auprès du nœud pour annoncer"},
        {"not allowed", "annonce interdite"},
        {"not permitted", "annonce interdite"},
        {"invalid", "indicatif ou fréquence non valable"},
        {"sorry", "refus"},
    };
    for (const auto &[mot, raison] : refus)
        if (minuscules.contains(mot))
            return QStringLiteral("Annonce refusée par le nœud (%1) : « %2 »")
                .arg(QString::fromUtf8(raison), Texte_Visible(QString::fromLatin1(l)));
    return std::nullopt;
}

} // namespace Cluster
