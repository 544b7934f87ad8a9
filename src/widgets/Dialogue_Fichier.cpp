#include "Dialogue_Fichier.h"

#include <QFileDialog>

namespace Dialogue_Fichier {

namespace {

Repondeur &Repondeur_Installe()
{
    static Repondeur repondeur;
    return repondeur;
}

} // namespace

QString A_Ouvrir(QWidget *parent, const QString &titre, const QString &dossier, const QString &filtre)
{
    if (Repondeur_Installe())
        return Repondeur_Installe()(titre, dossier);
    return QFileDialog::getOpenFileName(parent, titre, dossier, filtre);
}

QString A_Enregistrer(QWidget *parent, const QString &titre, const QString &propose, const QString &filtre)
{
    if (Repondeur_Installe())
        return Repondeur_Installe()(titre, propose);
    return QFileDialog::getSaveFileName(parent, titre, propose, filtre);
}

void Installe_Repondeur(Repondeur repondeur) { Repondeur_Installe() = std::move(repondeur); }

} // namespace Dialogue_Fichier
