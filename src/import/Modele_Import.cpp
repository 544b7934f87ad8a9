#include "Modele_Import.h"

#include "Points.h"
#include "Texte.h"

#include <algorithm>
#include <iterator>

using ADIF::Candidat;
using Sous_Programmes::Depuis_Log;

Modele_Import::Modele_Import(ADIF::Analyse analyse, std::shared_ptr<const Moulins::Liste> moulins, QObject *parent)
    : QAbstractTableModel(parent), m_analyse(std::move(analyse)), m_moulins(std::move(moulins))
{
    m_coches.reserve(m_analyse.candidats.size());
    for (const Candidat &c : m_analyse.candidats)
        m_coches.push_back(Importable(c));
}

bool Modele_Import::Importable(const Candidat &c)
{
    return c.etat == Candidat::Etat::Nouveau || c.etat == Candidat::Etat::Double;
}

namespace {

// A field as the row shows it: cut ones end with an ellipsis.
template <int N>
QString Texte(const ADIF::Texte_Court<N> &t)
{
    const QString texte = Sous_Programmes::Texte_Visible(Depuis_Log(t.vue()));
    return t.coupe() ? texte + u'…' : texte;
}

} // namespace

int Modele_Import::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_analyse.candidats.size()); }

int Modele_Import::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Nombre_Colonnes; }

QVariant Modele_Import::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Candidat &c = m_analyse.candidats[size_t(index.row())];
    if (role == Qt::CheckStateRole && index.column() == Coche)
        return m_coches[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case Date: return Texte(c.date);
    case Indicatif: return Texte(c.indicatif);
    case DMF: return Texte(c.dmf);
    case Moulin: {
        if (!m_moulins || m_moulins->vide())
            return {};
        const Moulins::Moulin *m = m_moulins->Trouve(c.dmf.vue());
        return m ? m_moulins->Designation(*m) : QString();
    }
    case Type: return Sous_Programmes::Texte_Visible(Depuis_Log(m_analyse.type(c)));
    case Remarque: {
        QString remarque = m_analyse.remarque(c);
        if (m_moulins && !m_moulins->vide() && c.etat != ADIF::Candidat::Etat::Refuse && !m_moulins->Trouve(c.dmf.vue()))
            remarque += (remarque.isEmpty() ? QString() : QStringLiteral(" ; ")) + QStringLiteral("absent de la liste des moulins");
        return remarque;
    }
    default: return {};
    }
}

QVariant Modele_Import::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *titres[] = {"Importer", "Date", "Indicatif", "N° DMF", "Moulin", "Type Activité", "Remarque"};
    return section >= 0 && section < Nombre_Colonnes ? QString::fromUtf8(titres[section]) : QVariant();
}

Qt::ItemFlags Modele_Import::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (!Importable(m_analyse.candidats[size_t(index.row())]))
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
        for (size_t t = 0; t < std::size(Sous_Programmes::Types_Activite); ++t) {
            if (texte == Depuis_Log(Sous_Programmes::Types_Activite[t].texte)) {
                m_analyse.candidats[ligne].type = quint32(t);
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
    return std::count_if(m_analyse.candidats.begin(), m_analyse.candidats.end(),
                         [](const Candidat &c) { return c.etat == Candidat::Etat::Deja_Dans_Le_Log; });
}

qsizetype Modele_Import::refuses() const
{
    return std::count_if(m_analyse.candidats.begin(), m_analyse.candidats.end(),
                         [](const Candidat &c) { return c.etat == Candidat::Etat::Refuse; });
}

std::vector<QByteArray> Modele_Import::lignes(bool attente) const
{
    std::vector<QByteArray> l;
    for (size_t i = 0; i < m_analyse.candidats.size(); ++i) {
        if (m_coches[i])
            l.push_back(m_analyse.ligne(m_analyse.candidats[i], attente));
    }
    return l;
}
