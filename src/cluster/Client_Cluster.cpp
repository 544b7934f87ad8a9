#include "Client_Cluster.h"

#include "Frequences.h"
#include "Reglages.h"
#include "Texte.h"

#include <QSettings>

#include <cstring>

using namespace Sous_Programmes;

namespace Cluster {

namespace {

const QString Groupe = QStringLiteral("Cluster/");

// A connection that held this long starts the waits over when it is lost.
constexpr qint64 Connexion_Stable_ms = 60'000;
constexpr int Delai_Connexion_ms = 20'000;
// A node that asks nothing is given the callsign, then the request, after this.
constexpr int Sans_Invite_ms = 3'000;

bool Invite_Connexion(QByteArrayView texte)
{
    const QByteArray t = texte.trimmed().toByteArray().toLower();
    return t.endsWith("login:") || t.endsWith("call:") || t.contains("please enter your call");
}

} // namespace

Reglages Lit_Reglages(const QString &indicatif_station)
{
    QSettings s(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
    Reglages r;
    r.adresse = s.value(Groupe + QStringLiteral("Adresse")).toString();
    r.port = Lit_Port(s, Groupe + QStringLiteral("Port"), 7300);
    r.indicatif = s.value(Groupe + QStringLiteral("Indicatif"), indicatif_station).toString();
    r.demarrage = s.value(Groupe + QStringLiteral("Connexion_Demarrage")).toString() == QLatin1String("Oui");
    return r;
}

Statut Sauve_Reglages(const Reglages &r)
{
    return Sous_Programmes::Sauve_Reglages({{Groupe + QStringLiteral("Adresse"), r.adresse},
                                            {Groupe + QStringLiteral("Port"), QString::number(r.port)},
                                            {Groupe + QStringLiteral("Indicatif"), r.indicatif},
                                            {Groupe + QStringLiteral("Connexion_Demarrage"),
                                             r.demarrage ? QStringLiteral("Oui") : QStringLiteral("Non")}});
}

Client::Client(std::function<QDateTime()> horloge_utc, QList<int> attentes_ms, int confirmation_ms, QObject *parent)
    : QObject(parent), m_horloge(std::move(horloge_utc)), m_attentes(std::move(attentes_ms))
{
    if (m_attentes.isEmpty())
        m_attentes = {5000};
    connect(this, &Client::etat, this, [this](const QString &texte) { m_dernier_etat = texte; });
    // A node sending faster than we read waits in its own buffers, not in ours.
    m_socket.setReadBufferSize(4 * Octets_Par_Tour);
    m_reessai.setSingleShot(true);
    m_delai_connexion.setSingleShot(true);
    m_suite.setSingleShot(true);
    m_demande_spots.setSingleShot(true);
    m_confirmation.setSingleShot(true);
    m_confirmation.setInterval(confirmation_ms);
    connect(&m_confirmation, &QTimer::timeout, this, [this] { fin_annonce(QStringLiteral("Pas de confirmation du nœud")); });
    connect(&m_reessai, &QTimer::timeout, this, &Client::essaie);
    connect(&m_suite, &QTimer::timeout, this, &Client::lit);
    connect(&m_delai_connexion, &QTimer::timeout, this, [this] {
        m_socket.abort();
        perdu(QStringLiteral("Pas de réponse de %1").arg(nom()));
    });
    connect(&m_demande_spots, &QTimer::timeout, this, [this] { repond_invite({}, true); });
    connect(&m_socket, &QTcpSocket::connected, this, &Client::connecte_ok);
    connect(&m_socket, &QTcpSocket::readyRead, this, &Client::lit);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &Client::erreur);
}

Client::~Client()
{
    m_actif = false;
    m_socket.disconnect(this);
    m_socket.abort();
}

QString Client::nom() const { return m_adresse + QLatin1Char(':') + QString::number(m_port); }

void Client::connecte(const QString &adresse, quint16 port, const QByteArray &indicatif)
{
    m_adresse = adresse.trimmed();
    m_port = port;
    m_indicatif = indicatif;
    m_essais = 0;
    if (!m_actif) {
        m_actif = true;
        emit actif_change(true);
    }
    essaie();
}

void Client::deconnecte()
{
    m_reessai.stop();
    m_delai_connexion.stop();
    m_demande_spots.stop();
    m_suite.stop();
    const bool etait_actif = m_actif;
    m_actif = false;
    m_socket.abort();
    hors_ligne();
    emit etat(QStringLiteral("Déconnecté"));
    if (etait_actif)
        emit actif_change(false);
}

void Client::essaie()
{
    m_socket.abort();
    hors_ligne();
    m_ligne.clear();
    m_ligne_trop_longue = false;
    m_spots_demandes = false;
    m_duree.invalidate();
    emit etat(QStringLiteral("Connexion à %1...").arg(nom()));
    m_delai_connexion.start(Delai_Connexion_ms);
    m_socket.connectToHost(m_adresse, m_port);
}

void Client::connecte_ok()
{
    m_delai_connexion.stop();
    m_duree.start();
    m_socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    emit etat(QStringLiteral("Connecté à %1").arg(nom()));
    m_demande_spots.start(Sans_Invite_ms);
}

void Client::erreur(QAbstractSocket::SocketError e)
{
    if (!m_actif || m_reessai.isActive())
        return;
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError: perdu(QStringLiteral("Connexion refusée par %1").arg(nom())); break;
    case QAbstractSocket::HostNotFoundError: perdu(QStringLiteral("Hôte inconnu : %1").arg(m_adresse)); break;
    default:
        perdu(m_duree.isValid() ? QStringLiteral("Connexion perdue avec %1").arg(nom())
                                : QStringLiteral("Connexion impossible avec %1").arg(nom()));
    }
}

void Client::perdu(const QString &raison)
{
    hors_ligne();
    m_delai_connexion.stop();
    m_demande_spots.stop();
    m_suite.stop();
    if (m_duree.isValid() && m_duree.elapsed() >= Connexion_Stable_ms)
        m_essais = 0;
    m_duree.invalidate();
    const int attente = m_attentes[qMin(m_essais, int(m_attentes.size()) - 1)];
    ++m_essais;
    emit etat(QStringLiteral("%1, nouvel essai dans %2 s").arg(raison).arg((attente + 999) / 1000));
    m_reessai.start(attente);
}

void Client::envoie(QByteArrayView texte)
{
    m_socket.write(texte.data(), texte.size());
    m_socket.write("\r\n", 2);
}

// Answers the login prompt, then asks for the recent spots at the node's
// first prompt; a node that asks nothing gets both after a while.
void Client::repond_invite(QByteArrayView debut_ligne, bool delai)
{
    if (m_socket.state() != QAbstractSocket::ConnectedState)
        return;
    if (!m_identifie) {
        if (!delai && !Invite_Connexion(debut_ligne))
            return;
        envoie(m_indicatif);
        m_identifie = true;
        emit etat(QStringLiteral("Connecté à %1 (%2)").arg(nom(), QString::fromLatin1(m_indicatif)));
        emit en_ligne_change(true);
        m_demande_spots.start(Sans_Invite_ms);
    } else if (!m_spots_demandes) {
        if (!delai && !debut_ligne.trimmed().endsWith('>'))
            return;
        envoie("sh/dx 30");
        m_spots_demandes = true;
        m_demande_spots.stop();
    }
}

void Client::hors_ligne()
{
    m_annonce.reset();
    m_confirmation.stop();
    if (m_identifie) {
        m_identifie = false;
        emit en_ligne_change(false);
    }
}

Statut Client::annonce(const Annonce &a)
{
    if (!en_ligne())
        return Erreur{QStringLiteral("Pas de connexion au nœud : l'annonce n'est pas envoyée.")};
    const QDateTime maintenant = m_horloge();
    if (m_derniere_annonce.isValid()) {
        const qint64 ecoule_ms = m_derniere_annonce.msecsTo(maintenant);
        // A clock set back does not hold the next one for ever.
        if (ecoule_ms >= 0 && ecoule_ms < Annonces_Espacees_s * 1000)
            return Erreur{QStringLiteral("Une annonce par minute au plus : attendez encore %1 s.")
                              .arg((Annonces_Espacees_s * 1000 - ecoule_ms + 999) / 1000)};
    }
    const std::optional<QByteArray> ligne = Ligne_Annonce(a);
    if (!ligne)
        return Erreur{QStringLiteral("L'annonce contient un caractère qui ne peut pas être envoyé au nœud.")};
    envoie(*ligne);
    m_derniere_annonce = maintenant;
    m_annonce = a;
    m_confirmation.start();
    emit etat(QStringLiteral("Annonce envoyée à %1, en attente de sa diffusion...").arg(nom()));
    return Succes();
}

// The node broadcasts the spot back to its sender, or says why not.
void Client::ecoute_annonce(QByteArrayView ligne)
{
    if (const auto s = Lit_Diffusion(ligne, m_horloge())) {
        const auto hertz = Hertz_De_kHz(s->frequence);
        if (s->spotteur.toUpper() == m_indicatif.toUpper() && s->indicatif == m_annonce->indicatif && hertz
            && qAbs(*hertz - m_annonce->hertz) < 100)
            fin_annonce(QStringLiteral("Annonce diffusée"));
        return;
    }
    if (const auto refus = Refus_Du_Noeud(ligne))
        fin_annonce(*refus);
}

void Client::fin_annonce(const QString &texte)
{
    m_annonce.reset();
    m_confirmation.stop();
    emit etat(texte);
}

void Client::traite_ligne(QByteArrayView ligne, QList<Spot> &trouves)
{
    const QByteArray propre = Nettoie_Ligne(ligne);
    if (!m_spots_demandes)
        repond_invite(propre);
    if (m_annonce)
        ecoute_annonce(propre);
    if (auto s = Lit_Spot(propre, m_horloge()))
        trouves.append(std::move(*s));
}

void Client::lit()
{
    QList<Spot> trouves;
    char tampon[8192];
    qsizetype reste = Octets_Par_Tour;
    while (reste > 0 && m_socket.bytesAvailable() > 0) {
        const qint64 n = m_socket.read(tampon, qMin<qsizetype>(sizeof tampon, reste));
        if (n <= 0)
            break;
        reste -= n;
        const char *p = tampon, *fin = tampon + n;
        while (p < fin) {
            const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(fin - p)));
            const char *bout = nl ? nl : fin;
            if (!m_ligne_trop_longue) {
                m_ligne.append(p, bout - p);
                // The CR of the line end may still follow.
                if (m_ligne.size() > Ligne_Maximum + 1) {
                    m_ligne.clear();
                    m_ligne_trop_longue = true;
                }
            }
            if (nl) {
                if (!m_ligne_trop_longue)
                    traite_ligne(m_ligne, trouves);
                m_ligne.clear();
                m_ligne_trop_longue = false;
            }
            p = nl ? nl + 1 : fin;
        }
    }
    // Prompts come without a line end.
    if (!m_spots_demandes && !m_ligne.isEmpty() && !m_ligne_trop_longue) {
        const bool identifie = m_identifie, demandes = m_spots_demandes;
        repond_invite(Nettoie_Ligne(m_ligne));
        // A prompt answered is done with: a node that does not echo the
        // answer starts its next line right after it.
        if (identifie != m_identifie || demandes != m_spots_demandes)
            m_ligne.clear();
    }
    if (!trouves.isEmpty())
        emit spots(trouves);
    if (m_socket.bytesAvailable() > 0)
        m_suite.start(0);
}

} // namespace Cluster
