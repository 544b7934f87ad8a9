#include "Modele_Import.h"

#include "Points.h"
#include "Texte.h"

using ADIF::Candidat;
using Sous_Programmes::Depuis_Log;

Modele_Import::Modele_Import(std::vector<Candidat> candidats, QObject *parent)
    : QAbstractTableModel(parent), m_candidats(std::move(candidats))
{
    for (const Candidat &c : m_candidats)
        m_coches.push_back(c.etat != Candidat::Etat::Deja_Dans_Le_Log);
}

int Modele_Import::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_candidats.size()); }

int Modele_Import::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Nombre_Colonnes; }

QVariant Modele_Import::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Candidat &c = m_candidats[size_t(index.row())];
    if (role == Qt::CheckStateRole && index.column() == Coche)
        return m_coches[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case Date: return Depuis_Log(c.date);
    case Indicatif: return Depuis_Log(c.indicatif);
    case DMF: return Depuis_Log(c.dmf);
    case Type: return Depuis_Log(c.type);
    case Remarque:
        if (c.etat == Candidat::Etat::Deja_Dans_Le_Log)
            return QStringLiteral("déjà dans le log");
        if (c.etat == Candidat::Etat::Double)
            return QStringLiteral("déjà contacté le ") + Depuis_Log(c.date_precedente);
        return QString();
    default: return {};
    }
}

QVariant Modele_Import::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *titres[] = {"Importer", "Date", "Indicatif", "N° DMF", "Type Activité", "Remarque"};
    return section >= 0 && section < Nombre_Colonnes ? QString::fromUtf8(titres[section]) : QVariant();
}

Qt::ItemFlags Modele_Import::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (m_candidats[size_t(index.row())].etat == Candidat::Etat::Deja_Dans_Le_Log)
        return Qt::ItemIsSelectable; // shown, never imported
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Coche)
        f |= Qt::ItemIsUserCheckable;
    if (index.column() == Type)
        f |= Qt::ItemIsEditable;
    return f;
}

bool Modele_Import::setData(const QModelIndex &index, const QVariant &valeur, int role)
{
    if (!(flags(index) & Qt::ItemIsEnabled))
        return false;
    const size_t ligne = size_t(index.row());
    if (index.column() == Coche && role == Qt::CheckStateRole) {
        m_coches[ligne] = valeur.value<Qt::CheckState>() == Qt::Checked;
        emit dataChanged(index, index, {role});
        emit Coches_Changees();
        return true;
    }
    if (index.column() == Type && role == Qt::EditRole) {
        // Only the nine activity texts: a type is chosen, not typed.
        const QString texte = valeur.toString();
        for (const auto &t : Sous_Programmes::Types_Activite) {
            if (texte == Depuis_Log(t.texte)) {
                m_candidats[ligne].type = QByteArray(t.texte);
                emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
                return true;
            }
        }
    }
    return false;
}

qsizetype Modele_Import::cochees() const { return std::count(m_coches.begin(), m_coches.end(), true); }

qsizetype Modele_Import::deja_dans_le_log() const
{
    return std::count_if(m_candidats.begin(), m_candidats.end(),
                         [](const Candidat &c) { return c.etat == Candidat::Etat::Deja_Dans_Le_Log; });
}

std::vector<QByteArray> Modele_Import::lignes(bool attente) const
{
    std::vector<QByteArray> l;
    for (size_t i = 0; i < m_candidats.size(); ++i) {
        if (m_coches[i])
            l.push_back(ADIF::Ligne_Candidat(m_candidats[i], attente));
    }
    return l;
}
