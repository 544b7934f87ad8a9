#include "Modele_Spots.h"

#include "Alertes.h"
#include "Controles_Saisie.h"
#include "Departements.h"
#include "Frequences.h"
#include "Texte.h"

#include <QBrush>
#include <QColor>
#include <QFont>

using namespace Cluster;

Modele_Spots::Modele_Spots(Index_Log index, std::shared_ptr<const Moulins::Liste> moulins, QObject *parent)
    : QAbstractTableModel(parent), m_index(std::move(index)), m_moulins(std::move(moulins))
{
    m_affichage.setSingleShot(true);
    m_affichage.setInterval(Intervalle_Affichage_ms);
    connect(&m_affichage, &QTimer::timeout, this, &Modele_Spots::montre);
}

int Modele_Spots::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_liste.nombre()); }

int Modele_Spots::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Colonnes; }

QVariant Modele_Spots::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList titres{QStringLiteral("Heure"),   QString::fromUtf8("Fréquence"), QStringLiteral("Indicatif"),
                                    QString::fromUtf8("N° DMF"), QStringLiteral("Moulin"),      QString::fromUtf8("Dépt"),      QString::fromUtf8("État"),
                                    QStringLiteral("Commentaire"), QStringLiteral("Spotteur")};
    return titres.value(section);
}

QVariant Modele_Spots::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_liste.nombre())
        return {};
    const Spot &s = m_liste.spot(index.row());
    if (role == Qt::FontRole || role == Qt::AccessibleDescriptionRole) {
        if (!m_hertz_poste)
            return {};
        const auto hertz = Sous_Programmes::Hertz_De_kHz(s.frequence);
        if (!hertz || qAbs(*hertz - *m_hertz_poste) > Pres_Du_Poste_Hz)
            return {};
        if (role == Qt::AccessibleDescriptionRole)
            return QStringLiteral("sur la fréquence du poste");
        QFont gras;
        gras.setBold(true);
        return gras;
    }
    // Looked up only for the roles that show it: a painted cell asks for many.
    if (role == Role_Etat)
        return int(m_index.etat(s.dmf));
    // The station said it stops: its row stays, greyed.
    if (role == Qt::ForegroundRole)
        return Alertes::QRT(s) ? QVariant(QBrush(QColor(Qt::darkGray))) : QVariant();
    if (role == Qt::BackgroundRole)
        return m_index.etat(s.dmf) == Cluster::Etat::Nouveau ? QVariant(QBrush(QColor(Controles_Saisie::Vert_Pale))) : QVariant();
    if (role == Qt::ToolTipRole && index.column() == Moulin)
        return Bulle_Moulin(s.dmf);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Heure: return QString::fromLatin1(s.heure.left(2) + ':' + s.heure.mid(2));
    case Frequence: return QString::fromLatin1(s.frequence);
    case Indicatif: return Texte_Reseau(s.indicatif);
    case DMF: return QString::fromLatin1(s.dmf);
    case Moulin: {
        if (!m_moulins || m_moulins->vide())
            return {};
        // Not in the list: a new mill, or a number mistyped by the spotter.
        const Moulins::Moulin *m = m_moulins->Trouve(s.dmf);
        return m ? m_moulins->Designation(*m) : QStringLiteral("Nouveau moulin (absent de la liste)");
    }
    case Departement: {
        const int d = Sous_Programmes::Departement_Carte(QByteArrayView(s.dmf).first(2));
        if (d == 96 || d == 97)
            return QString::fromLatin1(s.dmf.left(2));
        return d < 0 ? QString() : QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0'));
    }
    case Etat: {
        QByteArray date;
        QString etat;
        switch (m_index.etat(s.dmf, &date)) {
        case Cluster::Etat::Nouveau: etat = QStringLiteral("Nouveau moulin"); break;
        case Cluster::Etat::Contacte: etat = QString::fromUtf8("Contacté le ") + Sous_Programmes::Depuis_Log(date); break;
        case Cluster::Etat::En_Attente: etat = QStringLiteral("En attente"); break;
        }
        return Alertes::QRT(s) ? QStringLiteral("QRT, ") + etat.front().toLower() + etat.mid(1) : etat;
    }
    case Commentaire: return Texte_Reseau(s.commentaire);
    case Spotteur: return Texte_Reseau(s.spotteur);
    default: return {};
    }
}

void Modele_Spots::ajoute(const QList<Spot> &spots)
{
    for (const Spot &s : spots)
        m_en_attente.ajoute(s);
    if (!m_affichage.isActive())
        m_affichage.start();
}

void Modele_Spots::montre()
{
    m_affichage.stop();
    if (m_en_attente.nombre() == 0)
        return;
    beginResetModel();
    // Oldest first, so that spots of the same minute keep the order they came in.
    for (qsizetype i = m_en_attente.nombre() - 1; i >= 0; --i)
        m_liste.ajoute(m_en_attente.spot(i));
    m_en_attente = {};
    endResetModel();
}

void Modele_Spots::cache(int ligne)
{
    if (ligne < 0 || ligne >= rowCount())
        return;
    beginRemoveRows({}, ligne, ligne);
    m_liste.cache(ligne);
    endRemoveRows();
}

void Modele_Spots::retire_avant(const QDateTime &limite)
{
    m_en_attente.retire_avant(limite);
    if (m_liste.nombre() == 0 || m_liste.spot(m_liste.nombre() - 1).quand >= limite)
        return;
    beginResetModel();
    m_liste.retire_avant(limite);
    endResetModel();
}

std::optional<QDateTime> Modele_Spots::plus_ancien() const
{
    if (m_liste.nombre() == 0)
        return std::nullopt;
    return m_liste.spot(m_liste.nombre() - 1).quand;
}

QVariant Modele_Spots::Bulle_Moulin(QByteArrayView dmf) const
{
    const Moulins::Moulin *m = m_moulins ? m_moulins->Trouve(dmf) : nullptr;
    if (!m)
        return {};
    const QString designation = m_moulins->Designation(*m);
    const auto position = m_moulins->Position(*m);
    if (!m_station || !position)
        return designation;
    return designation + QStringLiteral(" : ") + Geo::Texte_Distance(*m_station, *position);
}

void Modele_Spots::change_station(std::optional<Geo::Position> station)
{
    m_station = station;
    if (rowCount() > 0)
        emit dataChanged(index(0, Moulin), index(rowCount() - 1, Moulin));
}

void Modele_Spots::change_moulins(std::shared_ptr<const Moulins::Liste> moulins)
{
    m_moulins = std::move(moulins);
    if (rowCount() > 0)
        emit dataChanged(index(0, Moulin), index(rowCount() - 1, Moulin));
}

void Modele_Spots::change_log(Index_Log index)
{
    m_index = std::move(index);
    if (rowCount() > 0)
        emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, Colonnes - 1));
}

void Modele_Spots::change_frequence_poste(std::optional<qint64> hertz)
{
    if (hertz == m_hertz_poste)
        return;
    m_hertz_poste = hertz;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, Colonnes - 1), {Qt::FontRole, Qt::AccessibleDescriptionRole});
}

void Filtre_Nouveaux::seulement_nouveaux(bool oui)
{
    m_seulement = oui;
    invalidateFilter();
}

bool Filtre_Nouveaux::filterAcceptsRow(int ligne, const QModelIndex &parent) const
{
    if (!m_seulement)
        return true;
    return sourceModel()->index(ligne, 0, parent).data(Modele_Spots::Role_Etat).toInt() == int(Cluster::Etat::Nouveau);
}
