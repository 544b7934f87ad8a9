#include "Recherche.h"

#include "Controles_Saisie.h"

namespace Recherche {

QString Cle(Mode mode, const QString &ligne_liste)
{
    const QString qso = Controles_Saisie::Partie_QSO(ligne_liste);
    switch (mode) {
    case Mode::Indicatif: return qso.mid(41, 12).trimmed();
    case Mode::DMF: return qso.mid(10, 5).trimmed();
    case Mode::Departement: return qso.mid(10, 2);
    }
    return {};
}

QString Entree(Mode mode, const QString &texte)
{
    return mode == Mode::Departement ? texte : texte.toUpper();
}

bool Correspond(Mode mode, const QString &ligne_liste, const QString &entree)
{
    const QString cle = Cle(mode, ligne_liste);
    return mode == Mode::Indicatif ? cle.contains(entree) : cle == entree;
}

QString Message_Vide(Mode mode)
{
    switch (mode) {
    case Mode::Indicatif: return QStringLiteral("Entrez un indicatif");
    case Mode::DMF: return QStringLiteral("Entrez une reference");
    case Mode::Departement: return QStringLiteral("Entrez un departement");
    }
    return {};
}

std::optional<Refus> Verifie(Mode boite, const QString &texte)
{
    switch (boite) {
    case Mode::Indicatif:
        if (texte.size() > 12)
            return Refus{QStringLiteral("Attention 12 caracteres maxi pour l'indicatif")};
        break;
    case Mode::DMF:
        if (!texte.isEmpty() && texte.size() != 5)
            return Refus{QStringLiteral("Attention 5 caracteres maxi pour la reference")};
        break;
    case Mode::Departement:
        if (texte.size() > 2)
            return Refus{QStringLiteral("Attention 2 caracteres maxi pour le departement")};
        break;
    }
    if (texte.isEmpty())
        return Refus{Message_Vide(boite), true};
    return std::nullopt;
}

} // namespace Recherche
