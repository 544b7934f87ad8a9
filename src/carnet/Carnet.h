#pragma once

#include "Journal.h"
#include "Sauvegardes.h"

#include <QObject>
#include <QSet>
#include <deque>
#include <optional>
#include <vector>

// The log of the current station and year: its path, its reading, and every
// write to it, each preceded by the backup before the log's first change in
// the run. `change()` follows every write that was done, so that whatever
// shows the log reads it again. The last changes of the run can be taken
// back, one at a time, the newest first.
class Carnet : public QObject {
    Q_OBJECT

public:
    // `question` is asked when the backup cannot be made: yes lets the
    // change go on without it.
    Carnet(const QString &dossier, std::function<QDateTime()> heure_locale, Sauvegardes::Avant_Modification::Question question,
           QObject *parent = nullptr);

    // Another station or year: its log becomes the current one.
    void ouvre(const QString &indicatif, const QString &annee);

    const QString &dossier() const { return m_dossier; }
    const QString &indicatif() const { return m_indicatif; }
    const QString &annee() const { return m_annee; }
    QString chemin() const;
    QString nom() const;
    // Why no log can be used yet (first installation, or a station whose
    // name cannot name a file); none when it can.
    std::optional<QString> refus() const;

    Sous_Programmes::Resultat<Sous_Programmes::Contenu_Log> lit(QByteArray tampon = {}) const;
    Sous_Programmes::Resultat<Sous_Programmes::DMF_Trouve> cherche_dmf(QByteArrayView dmf) const;
    // The stored lines a deletion of `dmf` would remove.
    Sous_Programmes::Resultat<std::vector<QByteArray>> lignes_dmf(QByteArrayView dmf) const;

    // The writes. One the operator declined, the backup having failed, gives
    // an error without text: nothing more is to be told.
    Sous_Programmes::Statut ajoute(QByteArrayView ligne);
    // `ancienne` is the list line the QSO was shown from.
    Sous_Programmes::Statut remplace(QByteArrayView ancienne, QByteArrayView nouvelle);
    Sous_Programmes::Statut supprime(QByteArrayView dmf);
    Sous_Programmes::Statut insere(QByteArrayView ligne);
    Sous_Programmes::Statut insere(const std::vector<QByteArray> &lignes);
    // Removes the "*" of the pending QSOs of these numbers; how many.
    Sous_Programmes::Resultat<qsizetype> valide(const QSet<QByteArray> &numeros);
    // Puts a backup in the log's place, the log being backed up first.
    Sous_Programmes::Statut restaure(const QString &sauvegarde);

    // Copies the log ahead of its first change, in the background.
    void prepare_sauvegarde();

    // How many changes are kept to be taken back.
    static constexpr int Etapes_Annulables = 20;
    // The last change of this run still to be taken back, said in French
    // ("la suppression du DMF N° 21002"); none when there is none.
    std::optional<QString> derniere_modification() const;
    // Puts the log back as it was before that change, in one step, unless
    // something else has changed the file since.
    Sous_Programmes::Statut annule();

    // While one lives, `change()` waits: it is sent once, when the last one
    // ends, if anything was written meanwhile.
    class Differe {
    public:
        explicit Differe(Carnet &carnet) : m_carnet(carnet) { ++m_carnet.m_differe; }
        ~Differe()
        {
            if (--m_carnet.m_differe == 0 && std::exchange(m_carnet.m_change_en_attente, false))
                emit m_carnet.change();
        }
        Differe(const Differe &) = delete;
        Differe &operator=(const Differe &) = delete;

    private:
        Carnet &m_carnet;
    };

signals:
    void change();

private:
    template <typename F>
    auto ecrit(const QString &quoi, F ecriture) -> decltype(ecriture());
    void signale_change();
    // The log's bytes before a change, none when it could not be read.
    std::optional<QByteArray> avant();
    void retient(const QString &quoi, std::optional<QByteArray> avant);

    // A change that can be taken back: the log before it, and the state it
    // was left in, to see that nothing changed it since.
    struct Etape {
        QString quoi;
        QByteArray avant;
        Sauvegardes::Empreinte apres;
    };
    std::deque<Etape> m_etapes;

    QString m_dossier;
    std::function<QDateTime()> m_heure_locale;
    QString m_indicatif;
    QString m_annee;
    Sauvegardes::Avant_Modification m_avant_modification;
    int m_differe = 0;
    bool m_change_en_attente = false;
};
