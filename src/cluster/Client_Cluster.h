#pragma once

#include "Annonce.h"
#include "Resultat.h"
#include "Spots.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

namespace Cluster {

// What the window keeps of the connection, in the settings' group "Cluster".
struct Reglages {
    QString adresse;
    int port = 7300;
    QString indicatif;
    bool demarrage = false;
};
Reglages Lit_Reglages(const QString &indicatif_station);
Sous_Programmes::Statut Sauve_Reglages(const Reglages &r);

// The line protocol of a DX cluster node: log in with the callsign, ask for
// the recent spots, then read every line the node sends. Work is done in
// bounded pieces so that a flood never holds the event loop; a lost
// connection is tried again after growing waits. Failures are told by
// `etat`, in French, never by a message box.
class Client : public QObject {
    Q_OBJECT

public:
    // The waits before each new try, in ms; the last one repeats. A node has
    // `confirmation_ms` to broadcast an announcement back.
    explicit Client(std::function<QDateTime()> horloge_utc, QList<int> attentes_ms = {5000, 15000, 60000},
                    int confirmation_ms = 15000, QObject *parent = nullptr);
    ~Client() override;

    void connecte(const QString &adresse, quint16 port, const QByteArray &indicatif);
    void deconnecte();
    // Asked to be connected, whether it is at this moment or waits to try again.
    bool actif() const { return m_actif; }
    // What `etat` told last: a window opened later shows it.
    const QString &dernier_etat() const { return m_dernier_etat; }
    // Logged in: the node takes commands.
    bool en_ligne() const { return m_identifie && m_socket.state() == QAbstractSocket::ConnectedState; }

    // The station's spot sent as a DX command, one a minute at most; what
    // the node does with it is told by `etat`. The refusal when it is not sent.
    Sous_Programmes::Statut annonce(const Annonce &a);
    static constexpr int Annonces_Espacees_s = 60;

    static constexpr qsizetype Octets_Par_Tour = 64 * 1024;

signals:
    void etat(const QString &texte);
    void spots(const QList<Cluster::Spot> &nouveaux);
    void actif_change(bool actif);
    void en_ligne_change(bool en_ligne);

private:
    void essaie();
    void connecte_ok();
    void erreur(QAbstractSocket::SocketError e);
    void perdu(const QString &raison);
    void lit();
    void traite_ligne(QByteArrayView ligne, QList<Spot> &trouves);
    void repond_invite(QByteArrayView debut_ligne, bool delai = false);
    void envoie(QByteArrayView texte);
    void ecoute_annonce(QByteArrayView ligne);
    void fin_annonce(const QString &texte);
    void hors_ligne();
    QString nom() const;

    std::function<QDateTime()> m_horloge;
    QList<int> m_attentes;
    QTcpSocket m_socket;
    QTimer m_reessai, m_delai_connexion, m_suite, m_demande_spots, m_confirmation;
    QElapsedTimer m_duree;
    QString m_adresse;
    quint16 m_port = 0;
    QByteArray m_indicatif;
    QByteArray m_ligne;         // the line being received
    bool m_ligne_trop_longue = false;
    bool m_actif = false;
    bool m_identifie = false;   // the callsign was sent
    bool m_spots_demandes = false;
    int m_essais = 0;
    std::optional<Annonce> m_annonce; // sent, its echo awaited
    QDateTime m_derniere_annonce;
    QString m_dernier_etat;
};

} // namespace Cluster
