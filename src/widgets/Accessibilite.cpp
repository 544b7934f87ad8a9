#include "Accessibilite.h"

#include <QLabel>
#include <QShortcut>
#include <QWidget>

namespace Accessibilite {

void Nomme(QWidget *controle, const QString &nom, const QString &description)
{
    controle->setAccessibleName(nom);
    if (!description.isEmpty())
        controle->setAccessibleDescription(description);
}

void Etiquette_De(QLabel *etiquette, QWidget *champ)
{
    etiquette->setBuddy(champ);
    // The label's text without its shortcut mark and final colon.
    QString nom = etiquette->text();
    nom.remove(QLatin1Char('&'));
    nom = nom.trimmed();
    if (nom.endsWith(QLatin1Char(':')))
        nom.chop(1);
    champ->setAccessibleName(nom.trimmed());
}

void Montre_Valeur(QLabel *etiquette, const QString &texte, const QString &nom)
{
    etiquette->setText(texte);
    if (etiquette->accessibleName() != nom)
        etiquette->setAccessibleName(nom);
}

void Echap_Ferme(QWidget *fenetre)
{
    auto *echap = new QShortcut(QKeySequence(Qt::Key_Escape), fenetre);
    echap->setObjectName(QStringLiteral("Echap_Ferme"));
    echap->setContext(Qt::WindowShortcut);
    QObject::connect(echap, &QShortcut::activated, fenetre, &QWidget::close);
}

} // namespace Accessibilite
