#include "Modele_Liste.h"

#include "Ligne_QSO.h"

#include "Controles.h"
#include "Texte.h"

void Modele_Liste::remplace(Sous_Programmes::Contenu_Log contenu)
{
    beginResetModel();
    m_contenu = std::move(contenu);
    endResetModel();
}

void Modele_Liste::recharge(const std::function<Sous_Programmes::Contenu_Log(QByteArray tampon)> &lecture)
{
    beginResetModel();
    m_contenu = lecture(m_contenu.libere());
    endResetModel();
}

int Modele_Liste::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_contenu.nombre());
}

QVariant Modele_Liste::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_contenu.nombre())
        return {};
    if (role == Role_Ligne_Log) {
        const QByteArrayView ligne = m_contenu.ligne(index.row());
        return QByteArray::fromRawData(ligne.data(), ligne.size());
    }
    if (role == Qt::AccessibleTextRole) {
        const QByteArrayView l = m_contenu.ligne(index.row());
        QString phrase = Sous_Programmes::Phrase_QSO(index.row() + 1, l);
        const QByteArrayView dmf = Sous_Programmes::DMF_QSO(l);
        if (const QString nom = m_nom_moulin ? m_nom_moulin(dmf) : QString(); !nom.isEmpty()) {
            const QString numero = QStringLiteral("DMF ") + QString::fromLatin1(dmf);
            if (const qsizetype i = phrase.indexOf(numero); i >= 0)
                phrase.replace(i, numero.size(), numero + QStringLiteral(", ") + nom);
        }
        return phrase;
    }
    if (role != Qt::DisplayRole)
        return {};
    return ligne_liste(index.row());
}

QString Modele_Liste::ligne_liste(int ligne) const { return Sous_Programmes::Depuis_Log(ligne_liste_octets(ligne)); }

QByteArray Modele_Liste::ligne_liste_octets(int ligne) const
{
    if (ligne < 0 || ligne >= m_contenu.nombre())
        return {};
    return m_contenu.ligne_liste(ligne);
}
