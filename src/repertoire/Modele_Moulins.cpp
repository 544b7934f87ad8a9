#include "Modele_Moulins.h"

using namespace Moulins;

Modele_Moulins::Modele_Moulins(std::shared_ptr<const Liste> liste, const std::vector<Etat_Moulin> *etats, QObject *parent)
    : QAbstractTableModel(parent), m_liste(std::move(liste)), m_etats(etats), m_nombre(m_liste ? m_liste->taille() : 0)
{
}

void Modele_Moulins::Montre(qsizetype premier, qsizetype nombre)
{
    beginResetModel();
    m_premier = premier;
    m_nombre = nombre;
    endResetModel();
}

int Modele_Moulins::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_nombre); }
int Modele_Moulins::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Nombre_Colonnes; }

QVariant Modele_Moulins::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const qsizetype i = m_premier + index.row();
    const Moulin &m = (*m_liste)[i];
    auto texte = [&](int colonne) -> QString {
        switch (colonne) {
        case Numero: return QString::fromLatin1(m.Numero());
        case Nom: return m_liste->Chaine(m.nom);
        case Commune: return m_liste->Chaine(m.commune);
        default: return m_etats ? Texte_Etat((*m_etats)[size_t(i)]) : QString::fromLatin1(m.Departement());
        }
    };
    switch (role) {
    case Qt::DisplayRole: return texte(index.column());
    case Qt::AccessibleTextRole: {
        QStringList s{texte(Numero), texte(Nom), texte(Commune)};
        s.removeAll(QString());
        if (m_etats)
            s << texte(Derniere);
        else
            s << QStringLiteral("département ") + texte(Derniere);
        return s.join(QStringLiteral(", "));
    }
    case Role_Etat: return m_etats ? int((*m_etats)[size_t(i)].etat) : int(Etat::Restant);
    case Role_Recherche: return Repli(texte(Nom) + u' ' + texte(Commune));
    default: return {};
    }
}

QVariant Modele_Moulins::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Numero: return QStringLiteral("N° DMF");
    case Nom: return QStringLiteral("Nom");
    case Commune: return QStringLiteral("Commune");
    default: return m_etats ? QStringLiteral("État") : QStringLiteral("Département");
    }
}

void Filtre_Moulins::Choisit(Choix choix, const QString &texte)
{
    m_choix = choix;
    m_texte = Repli(texte.trimmed());
    invalidateFilter();
}

bool Filtre_Moulins::filterAcceptsRow(int rangee, const QModelIndex &parent) const
{
    const QModelIndex i = sourceModel()->index(rangee, 0, parent);
    const auto etat = Etat(i.data(Modele_Moulins::Role_Etat).toInt());
    if ((m_choix == Restants && etat != Etat::Restant) || (m_choix == Contactes && etat == Etat::Restant))
        return false;
    return m_texte.isEmpty() || i.data(Modele_Moulins::Role_Recherche).toString().contains(m_texte);
}

QStringList Lignes_En_Colonnes(const QStringList &titres, const QList<QStringList> &rangees)
{
    QList<qsizetype> largeurs;
    for (const QString &t : titres)
        largeurs << t.size();
    for (const QStringList &r : rangees)
        for (qsizetype c = 0; c < r.size() && c < largeurs.size(); ++c)
            largeurs[c] = qMax(largeurs[c], r[c].size());
    auto ligne = [&](const QStringList &champs) {
        QString l;
        for (qsizetype c = 0; c < champs.size(); ++c)
            l += c + 1 < champs.size() ? champs[c].leftJustified(largeurs[c] + 2) : champs[c];
        return l;
    };
    QStringList lignes{ligne(titres)};
    for (const QStringList &r : rangees)
        lignes << ligne(r);
    return lignes;
}
