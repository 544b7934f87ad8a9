#pragma once

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QStringList>
#include <QWidget>

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
            // A list's or chart's drawing area is the list itself.
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
