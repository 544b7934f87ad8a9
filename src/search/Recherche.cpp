#include "Recherche.h"

#include "Ligne_QSO.h"
#include "Texte.h"

namespace Recherche {

QString Cle(Mode mode, QByteArrayView qso)
{
    // Only the field is turned into text: a search visits every line.
    using namespace Sous_Programmes;
    switch (mode) {
    case Mode::Indicatif: return Depuis_Log(Indicatif_QSO(qso)).trimmed();
    case Mode::DMF: return Depuis_Log(DMF_QSO(qso)).trimmed();
    case Mode::Departement: return Depuis_Log(Champ(qso, 11, 2));
    }
    return {};
}

QString Entree(Mode mode, const QString &texte)
{
    return mode == Mode::Departement ? texte : texte.toUpper();
}

bool Correspond(Mode mode, QByteArrayView qso, const QString &entree)
{
    const QString cle = Cle(mode, qso);
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
