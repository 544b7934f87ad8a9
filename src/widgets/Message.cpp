#include "Message.h"

namespace Message {

namespace {

Repondeur &Repondeur_Installe()
{
    static Repondeur repondeur;
    return repondeur;
}

QMessageBox::StandardButton Montre(QWidget *parent, const QString &texte, QMessageBox::StandardButtons boutons,
                                   QMessageBox::StandardButton defaut)
{
    if (Repondeur_Installe())
        return Repondeur_Installe()(texte, boutons);
    const auto boite = Boite(parent, texte, boutons);
    boite->setDefaultButton(defaut);
    return QMessageBox::StandardButton(boite->exec());
}

} // namespace

std::unique_ptr<QMessageBox> Boite(QWidget *parent, const QString &texte, QMessageBox::StandardButtons boutons)
{
    return std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("KOB_Dezudidar_ERI"), texte, boutons, parent);
}

void Information(QWidget *parent, const QString &texte) { Montre(parent, texte, QMessageBox::Ok, QMessageBox::Ok); }

bool Question(QWidget *parent, const QString &texte)
{
    return Montre(parent, texte, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

void Installe_Repondeur(Repondeur repondeur) { Repondeur_Installe() = std::move(repondeur); }

} // namespace Message
