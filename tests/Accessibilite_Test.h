#pragma once

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QLabel>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <functional>

// What a screen reader finds in a window: each control it can reach, with
// the name it would say.
struct Controle_Accessible {
    QString objet;
    QString nom;
    QAccessible::Role role;
    bool prend_le_focus;
    bool montre_des_donnees;
};

inline QList<Controle_Accessible> Controles_Accessibles(QWidget *fenetre)
{
    QList<Controle_Accessible> controles;
    std::function<void(QAccessibleInterface *)> parcours = [&](QAccessibleInterface *parent) {
        for (int k = 0; k < parent->childCount(); ++k) {
            QAccessibleInterface *i = parent->child(k);
            if (!i || !i->isValid())
                continue;
            auto *w = qobject_cast<QWidget *>(i->object());
            // The rows and cells of a list are its own children, not controls.
            if (!w || i->object() == parent->object() || !w->isVisibleTo(fenetre))
                continue;
            // A list's drawing area is the list itself.
            if (auto *zone = qobject_cast<QAbstractScrollArea *>(w->parentWidget()); zone && zone->viewport() == w)
                continue;
            static const QList<QAccessible::Role> donnees{QAccessible::EditableText, QAccessible::List, QAccessible::Table,
                                                           QAccessible::Tree,         QAccessible::Chart, QAccessible::Graphic,
                                                           QAccessible::Document,     QAccessible::ProgressBar};
            const bool focus = w->focusPolicy() != Qt::NoFocus && i->role() != QAccessible::ScrollBar;
            controles.append({w->objectName(), i->text(QAccessible::Name), i->role(), focus, donnees.contains(i->role())});
            parcours(i);
        }
    };
    if (QAccessibleInterface *racine = QAccessible::queryAccessibleInterface(fenetre))
        parcours(racine);
    return controles;
}

// The controls a screen reader would announce as nothing.
inline QStringList Controles_Sans_Nom(QWidget *fenetre)
{
    QStringList sans_nom;
    for (const Controle_Accessible &c : Controles_Accessibles(fenetre))
        if ((c.prend_le_focus || c.montre_des_donnees) && c.nom.trimmed().isEmpty())
            sans_nom.append(QStringLiteral("%1 (rôle %2)").arg(c.objet).arg(int(c.role)));
    return sans_nom;
}

// Names said for two controls that take the focus.
inline QStringList Noms_En_Double(QWidget *fenetre)
{
    QStringList vus, doubles;
    for (const Controle_Accessible &c : Controles_Accessibles(fenetre)) {
        if (!c.prend_le_focus || c.nom.isEmpty())
            continue;
        if (vus.contains(c.nom))
            doubles.append(QStringLiteral("« %1 » (%2)").arg(c.nom, c.objet));
        vus.append(c.nom);
    }
    return doubles;
}

// Whether a label's text is a bare value (a number, a date, a time, a
// callsign: it has a digit, and at most one word beside it, "10:20 Loc"),
// not a heading or a sentence, which say what they are.
inline bool Valeur_Nue(const QString &texte)
{
    if (!std::any_of(texte.begin(), texte.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    int mots = 0;
    for (const QString &mot : texte.split(QRegularExpression(QStringLiteral("[^\\w]+")), Qt::SkipEmptyParts))
        mots += mot.size() > 1 && std::none_of(mot.begin(), mot.end(), [](QChar c) { return c.isDigit(); });
    return mots <= 1;
}

// Labels showing a value that a screen reader would read bare, without
// saying what it is. A field's own label says it by its field.
inline QStringList Valeurs_Sans_Sens(QWidget *fenetre)
{
    QStringList fautes;
    for (QLabel *l : fenetre->findChildren<QLabel *>()) {
        const QString texte = l->text().trimmed();
        if (!l->isVisibleTo(fenetre) || l->buddy() || l->textFormat() == Qt::RichText || Qt::mightBeRichText(texte)
            || !Valeur_Nue(texte))
            continue;
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(l);
        const QString nom = i ? i->text(QAccessible::Name).trimmed() : QString();
        if (nom.isEmpty() || texte.contains(nom))
            fautes.append(QStringLiteral("%1 « %2 » dit « %3 »").arg(l->objectName(), texte, nom));
    }
    return fautes;
}
