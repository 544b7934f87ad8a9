#include "Liaison_Poste.h"

namespace Radio {

using Sous_Programmes::Texte_kHz;

namespace {

std::optional<QString> Rien(const QStringList &) { return std::nullopt; }

QString Valeur(const QStringList &valeurs) { return valeurs.isEmpty() ? QString() : valeurs.first(); }

} // namespace

// What a reading keeps of the first value of each answer.
std::function<std::optional<QString>(const QStringList &)> Liaison::Frequence_Lue(Operation *o)
{
    return [o](const QStringList &v) -> std::optional<QString> {
        const auto hertz = Hertz_Lus(Valeur(v));
        if (!hertz || *hertz <= 0)
            return QStringLiteral("fréquence « %1 »").arg(Extrait(Valeur(v).toLatin1()));
        o->lue.hertz = *hertz;
        return std::nullopt;
    };
}

std::function<std::optional<QString>(const QStringList &)> Liaison::Mode_Lu(Operation *o)
{
    return [o](const QStringList &v) -> std::optional<QString> {
        const QString mode = Valeur(v).trimmed();
        if (!Mode_Lisible(mode))
            return QStringLiteral("mode « %1 »").arg(Extrait(mode.toLatin1()));
        o->lue.mode = mode;
        return std::nullopt;
    };
}

Liaison::Liaison(QObject *parent) : QObject(parent)
{
    m_delai.setSingleShot(true);
    connect(&m_delai, &QTimer::timeout, this, &Liaison::delai_depasse);
    connect(&m_socket, &QTcpSocket::connected, this, &Liaison::envoie);
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] { recu(false); });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &Liaison::erreur);
}

Liaison::~Liaison()
{
    m_socket.disconnect(this);
    m_socket.abort();
}

void Liaison::configure(const Reglages &reglages)
{
    m_reglages = reglages;
    m_operation.reset();
    m_suivante.reset();
    m_modes_flrig.clear();
    m_delai.stop();
    m_socket.abort();
}

QString Liaison::nom() const { return Nom_Type(m_reglages.type); }

QString Liaison::adresse() const { return m_reglages.adresse.trimmed() + u':' + QString::number(m_reglages.port); }

bool Liaison::lit()
{
    if (m_reglages.type == Type::Aucun || occupee())
        return false;
    commence(m_reglages.type == Type::Hamlib ? Lecture_Hamlib() : Lecture_Flrig());
    return true;
}

void Liaison::regle(qint64 hertz, std::optional<Mode> mode)
{
    if (m_reglages.type == Type::Aucun)
        return;
    auto operation = m_reglages.type == Type::Hamlib ? Reglage_Hamlib(hertz, mode) : Reglage_Flrig(hertz, mode);
    if (occupee())
        m_suivante = std::move(operation);
    else
        commence(std::move(operation));
}

std::unique_ptr<Liaison::Operation> Liaison::Lecture_Hamlib()
{
    auto operation = std::make_unique<Operation>();
    Operation *o = operation.get();
    o->etapes.push_back({QStringLiteral("la lecture de la fréquence"), [] { return QByteArray("f\n"); }, 1, Frequence_Lue(o)});
    o->etapes.push_back({QStringLiteral("la lecture du mode"), [] { return QByteArray("m\n"); }, 2, Mode_Lu(o)});
    return operation;
}

std::unique_ptr<Liaison::Operation> Liaison::Reglage_Hamlib(qint64 hertz, std::optional<Mode> mode)
{
    auto operation = std::make_unique<Operation>();
    operation->reglage = true;
    operation->texte = QStringLiteral("Poste réglé sur %1 kHz").arg(Texte_kHz(hertz));
    operation->etapes.push_back({QStringLiteral("le réglage de la fréquence"),
                                 [hertz] { return "F " + QByteArray::number(hertz) + '\n'; }, 0, Rien});
    if (mode) {
        const QByteArray nom = Mode_Hamlib(*mode);
        operation->texte += QStringLiteral(" en ") + QString::fromLatin1(nom);
        // -1: the passband is left as it is.
        operation->etapes.push_back({QStringLiteral("le réglage du mode"), [nom] { return "M " + nom + " -1\n"; }, 0, Rien});
    }
    return operation;
}

Liaison::Etape Liaison::Appel_Flrig(const QString &quoi, QByteArray methode, std::function<QByteArray()> parametre,
                                    std::function<std::optional<QString>(const QStringList &)> recoit)
{
    return {quoi,
            [this, methode, parametre] {
                return XMLRPC::Requete(m_reglages.adresse.trimmed(), quint16(m_reglages.port), methode,
                                       parametre ? parametre() : QByteArray());
            },
            0, std::move(recoit)};
}

std::unique_ptr<Liaison::Operation> Liaison::Lecture_Flrig()
{
    auto operation = std::make_unique<Operation>();
    Operation *o = operation.get();
    o->etapes.push_back(Appel_Flrig(QStringLiteral("la lecture de la fréquence"), "rig.get_vfo", {}, Frequence_Lue(o)));
    o->etapes.push_back(Appel_Flrig(QStringLiteral("la lecture du mode"), "rig.get_mode", {}, Mode_Lu(o)));
    return operation;
}

std::unique_ptr<Liaison::Operation> Liaison::Reglage_Flrig(qint64 hertz, std::optional<Mode> mode)
{
    auto operation = std::make_unique<Operation>();
    Operation *o = operation.get();
    o->reglage = true;
    o->texte = QStringLiteral("Poste réglé sur %1 kHz").arg(Texte_kHz(hertz));
    // The mode by the radio's own name, once its names are known: the last
    // step is taken away when it has none for the mode asked.
    const auto choisit_mode = [this, o, mode] {
        o->mode_poste = Mode_Flrig(*mode, m_modes_flrig);
        if (o->mode_poste.isEmpty()) {
            o->etapes.pop_back();
            o->texte += QStringLiteral(" ; mode laissé tel quel : %1 n'offre pas le mode %2 pour ce poste").arg(nom(), Nom_Mode(*mode));
        } else {
            o->texte += QStringLiteral(" en ") + o->mode_poste;
        }
    };
    if (mode && m_modes_flrig.isEmpty())
        o->etapes.push_back(Appel_Flrig(QStringLiteral("la lecture des modes du poste"), "rig.get_modes", {},
                                        [this, choisit_mode](const QStringList &v) -> std::optional<QString> {
                                            m_modes_flrig = v;
                                            choisit_mode();
                                            return std::nullopt;
                                        }));
    o->etapes.push_back(Appel_Flrig(QStringLiteral("le réglage de la fréquence"), "rig.set_frequency",
                                    [hertz] { return "<double>" + QByteArray::number(hertz) + ".0</double>"; }, Rien));
    if (mode) {
        o->etapes.push_back(Appel_Flrig(QStringLiteral("le réglage du mode"), "rig.set_mode",
                                        [o] { return "<string>" + o->mode_poste.toHtmlEscaped().toUtf8() + "</string>"; }, Rien));
        if (!m_modes_flrig.isEmpty())
            choisit_mode();
    }
    return operation;
}

void Liaison::commence(std::unique_ptr<Operation> operation)
{
    m_operation = std::move(operation);
    etape();
}

void Liaison::etape()
{
    m_recu.clear();
    m_envoye = false;
    m_delai.start(Delai_ms);
    if (m_reglages.type == Type::Hamlib && m_socket.state() == QAbstractSocket::ConnectedState) {
        envoie();
        return;
    }
    m_socket.abort();
    m_socket.connectToHost(m_reglages.adresse.trimmed(), quint16(m_reglages.port));
}

void Liaison::envoie()
{
    if (!m_operation || m_envoye)
        return;
    m_envoye = true;
    // What came unasked would be taken for the answer.
    m_socket.readAll();
    m_socket.write(m_operation->etapes[m_operation->courante].envoi());
}

void Liaison::recu(bool fin)
{
    if (!m_operation || !m_envoye) {
        m_socket.readAll();
        return;
    }
    m_recu += m_socket.read(Reponse_Maximum + 1 - m_recu.size());
    const Etape &e = m_operation->etapes[m_operation->courante];
    if (m_recu.size() > Reponse_Maximum) {
        termine(QStringLiteral("Réponse démesurée de %1 à %2 pour %3").arg(nom(), adresse(), e.quoi));
        return;
    }
    const Reponse r = m_reglages.type == Type::Hamlib ? Hamlib::Analyse(m_recu, e.lignes) : XMLRPC::Analyse(m_recu, fin);
    switch (r.etat) {
    case Reponse::Incomplete:
        if (fin)
            termine((m_recu.isEmpty() ? QStringLiteral("%1 à %2 a coupé la liaison sans répondre à %3")
                                     : QStringLiteral("%1 à %2 a coupé la liaison au milieu de sa réponse à %3"))
                       .arg(nom(), adresse(), e.quoi));
        return;
    case Reponse::Illisible:
        termine(QStringLiteral("Réponse illisible de %1 à %2 pour %3 : %4").arg(nom(), adresse(), e.quoi, r.raison));
        return;
    case Reponse::Refus:
        termine(QStringLiteral("%1 refuse %2 : %3").arg(nom(), e.quoi, r.raison));
        return;
    case Reponse::Complete:
        break;
    }
    if (const auto faute = e.recoit(r.valeurs)) {
        termine(QStringLiteral("Réponse illisible de %1 à %2 pour %3 : %4").arg(nom(), adresse(), e.quoi, *faute));
        return;
    }
    if (m_reglages.type == Type::Flrig)
        m_socket.abort();
    if (++m_operation->courante < m_operation->etapes.size())
        etape();
    else
        termine(std::nullopt);
}

void Liaison::erreur(QAbstractSocket::SocketError e)
{
    if (!m_operation)
        return;
    switch (e) {
    case QAbstractSocket::RemoteHostClosedError: recu(true); break;
    case QAbstractSocket::ConnectionRefusedError:
        termine(QStringLiteral("Connexion refusée par %1 : %2 est-il lancé ?").arg(adresse(), nom()));
        break;
    case QAbstractSocket::HostNotFoundError: termine(QStringLiteral("Hôte inconnu : %1").arg(m_reglages.adresse.trimmed())); break;
    default: termine(QStringLiteral("%1 injoignable à %2").arg(nom(), adresse()));
    }
}

void Liaison::delai_depasse()
{
    if (!m_operation)
        return;
    const QString quoi = m_operation->etapes[m_operation->courante].quoi;
    if (m_socket.state() != QAbstractSocket::ConnectedState)
        termine(QStringLiteral("%1 injoignable à %2 : pas de connexion en 2 s").arg(nom(), adresse()));
    else if (m_recu.isEmpty())
        termine(QStringLiteral("Pas de réponse de %1 à %2 en 2 s pour %3").arg(nom(), adresse(), quoi));
    else
        termine(QStringLiteral("Réponse incomplète de %1 à %2 : rien de plus en 2 s pour %3").arg(nom(), adresse(), quoi));
}

void Liaison::termine(const std::optional<QString> &raison)
{
    m_delai.stop();
    // A daemon that failed once starts over on a connection of its own.
    if (raison)
        m_socket.abort();
    m_recu.clear();
    const std::unique_ptr<Operation> finie = std::move(m_operation);
    if (m_suivante)
        commence(std::move(m_suivante));
    if (raison && finie->reglage)
        emit reglage_impossible(*raison);
    else if (raison)
        emit lecture_impossible(*raison);
    else if (finie->reglage)
        emit reglage(finie->texte);
    else
        emit lecture(finie->lue);
}

} // namespace Radio
