#pragma once

#include "Noeud_Cluster.h"

#include <QList>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <functional>

// A port of 127.0.0.1 that nothing listens on, a moment ago.
inline quint16 Port_Libre()
{
    QTcpServer libre;
    if (!libre.listen(QHostAddress::LocalHost))
        qFatal("no free port");
    return libre.serverPort();
}

// Hamlib's daemon with its dummy radio (-m 1), started by the test on
// 127.0.0.1 on a free port, stopped with it.
class Rigctld {
public:
    // Why there is none here; empty when it runs.
    QString absent;

    Rigctld()
    {
#ifdef Q_OS_WIN
        absent = QStringLiteral("rigctld n'est pas lancé sous Windows (Wine) : le paquet Debian ne s'y installe pas");
        return;
#else
        const QString programme = QStandardPaths::findExecutable(QStringLiteral("rigctld"));
        if (programme.isEmpty()) {
            absent = QStringLiteral("rigctld introuvable : tools/paquets.sh installe libhamlib-utils");
            return;
        }
        // Another process may take the port between its choice and the start: try again.
        for (int essai = 0; essai < 5 && !m_port; ++essai) {
            const quint16 port = Port_Libre();
            m_processus.start(programme, {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                                          QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(port)});
            if (!m_processus.waitForStarted(5000))
                break;
            for (int i = 0; i < 100 && m_processus.state() == QProcess::Running; ++i) {
                QTcpSocket s;
                s.connectToHost(QHostAddress::LocalHost, port);
                // Ours, not another one that took the port first: ours would have stopped.
                if (s.waitForConnected(200) && !m_processus.waitForFinished(100)) {
                    m_port = port;
                    ferme(s);
                    break;
                }
                QTest::qWait(50);
            }
            if (!m_port) {
                m_processus.kill();
                m_processus.waitForFinished(2000);
            }
        }
        if (!m_port)
            absent = QStringLiteral("rigctld ne démarre pas : ") + QString::fromLocal8Bit(m_processus.readAllStandardError());
#endif
    }
    ~Rigctld() { arrete(); }

    quint16 port() const { return m_port; }
    void arrete()
    {
        if (m_processus.state() != QProcess::NotRunning) {
            m_processus.kill();
            m_processus.waitForFinished(5000);
        }
    }

    // A command on a connection of the test's own, its answer's lines.
    // rigctld 4.5 now and then leaves a new client unanswered while it
    // serves another: the question is asked again.
    QStringList demande(const QByteArray &commande, int lignes) const
    {
        for (int essai = 0; essai < 5; ++essai) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, m_port);
            if (!s.waitForConnected(3000))
                continue;
            s.write(commande + '\n');
            QByteArray recu;
            while (recu.count('\n') < lignes && s.waitForReadyRead(3000))
                recu += s.readAll();
            ferme(s);
            if (recu.count('\n') >= lignes)
                return QString::fromLatin1(recu).split(u'\n', Qt::SkipEmptyParts);
        }
        return {QStringLiteral("<pas de réponse de rigctld>")};
    }

private:
    // rigctld 4.5 releases a closed client's descriptor late: a connection
    // it accepts meanwhile may get that number and be closed unanswered.
    // The test's own connections are over before the program opens one.
    static void ferme(QTcpSocket &s)
    {
        s.disconnectFromHost();
        if (s.state() != QAbstractSocket::UnconnectedState)
            s.waitForDisconnected(1000);
        QThread::msleep(200);
    }

    QProcess m_processus;
    quint16 m_port = 0;
};

// Hamlib's daemon for this test, or the test skipped with the reason.
#define RIGCTLD_OU_SAUTE(nom) \
    Rigctld nom;               \
    if (!nom.absent.isEmpty()) \
        QSKIP(qPrintable(nom.absent))

// A peer on 127.0.0.1 that answers what it receives as the test says: the
// answer to all that came on a connection so far, once it is whole (empty:
// not yet, or never). `ferme` closes the connection after that answer.
class Pair_Scripte : public Noeud {
public:
    explicit Pair_Scripte(std::function<QByteArray(const QByteArray &recu)> reponse, bool ferme = false)
    {
        accueil.clear();
        // After the node's own handlers, which have kept the connection and what came.
        connect(&serveur, &QTcpServer::newConnection, this, [this, reponse = std::move(reponse), ferme] {
            for (; m_suivies < clients.size(); ++m_suivies) {
                QTcpSocket *s = clients[m_suivies];
                connect(s, &QTcpSocket::readyRead, this, [this, s, n = m_suivies, reponse, ferme] {
                    const QByteArray r = reponse(recu[n]);
                    if (r.isEmpty())
                        return;
                    s->write(r);
                    s->flush();
                    if (ferme)
                        s->disconnectFromHost();
                });
            }
        });
    }

private:
    qsizetype m_suivies = 0;
};

// An HTTP request whole in `recu`: its body; empty while it is not.
inline QByteArray Corps_HTTP(const QByteArray &recu)
{
    const qsizetype fin = recu.indexOf("\r\n\r\n");
    if (fin < 0)
        return {};
    const qsizetype debut = recu.indexOf("Content-Length: ");
    if (debut < 0 || debut > fin)
        return {};
    const int longueur = recu.mid(debut + 16, recu.indexOf("\r\n", debut) - debut - 16).toInt();
    if (recu.size() < fin + 4 + longueur)
        return {};
    return recu.mid(fin + 4, longueur);
}

inline QByteArray Reponse_HTTP(const QByteArray &corps)
{
    return "HTTP/1.1 200 OK\r\nServer: XMLRPC++ 0.8\r\nContent-Type: text/xml\r\nContent-length: "
           + QByteArray::number(corps.size()) + "\r\n\r\n" + corps;
}

inline QByteArray Reponse_XMLRPC(const QByteArray &valeur)
{
    return Reponse_HTTP("<?xml version=\"1.0\"?>\r\n<methodResponse><params><param>\r\n\t<value>" + valeur
                        + "</value>\r\n</param></params></methodResponse>\r\n");
}

// flrig as its XML-RPC server answers, for a radio that has `modes`: each
// call kept, the frequency and mode it was set to given back.
class Flrig_Factice {
public:
    explicit Flrig_Factice(QStringList modes = {"LSB", "USB", "CW", "FM", "AM", "RTTY", "USB-D"})
        : modes(std::move(modes)), pair([this](const QByteArray &recu) { return repond(recu); }, true)
    {
    }
    quint16 port() const { return pair.port(); }

    QStringList modes;
    QString mode = QStringLiteral("USB");
    QByteArray frequence = "14070000";
    QStringList appels; // "rig.set_frequency <double>14285000.0</double>"
    QByteArray faute_set_mode; // when set, rig.set_mode answers this fault
    Pair_Scripte pair;

private:
    QByteArray repond(const QByteArray &recu)
    {
        const QByteArray corps = Corps_HTTP(recu);
        if (corps.isEmpty())
            return {};
        const auto entre = [&](const char *debut, const char *fin) {
            const qsizetype d = corps.indexOf(debut);
            if (d < 0)
                return QByteArray();
            const qsizetype a = d + qsizetype(qstrlen(debut));
            return corps.mid(a, corps.indexOf(fin, a) - a);
        };
        const QByteArray methode = entre("<methodName>", "</methodName>");
        const QByteArray valeur = entre("<value>", "</value>");
        appels.append(QString::fromUtf8(methode + (valeur.isEmpty() ? "" : " " + valeur)));
        if (methode == "rig.get_vfo")
            return Reponse_XMLRPC(frequence);
        if (methode == "rig.get_mode")
            return Reponse_XMLRPC(mode.toUtf8());
        if (methode == "rig.get_modes") {
            QByteArray a = "<array><data>";
            for (const QString &m : modes)
                a += "<value>" + m.toUtf8() + "</value>";
            return Reponse_XMLRPC(a + "</data></array>");
        }
        if (methode == "rig.set_frequency") {
            frequence = QByteArray::number(qint64(entre("<double>", "</double>").toDouble()));
            return Reponse_XMLRPC("<i4>1</i4>");
        }
        if (methode == "rig.set_mode") {
            if (!faute_set_mode.isEmpty())
                return Reponse_HTTP("<?xml version=\"1.0\"?>\r\n<methodResponse><fault>\r\n\t<value><struct><member><name>faultCode</name>"
                                    "<value><i4>-1</i4></value></member><member><name>faultString</name><value>"
                                    + faute_set_mode + "</value></member></struct></value>\r\n</fault></methodResponse>\r\n");
            mode = QString::fromUtf8(entre("<string>", "</string>"));
            return Reponse_XMLRPC("<i4>1</i4>");
        }
        return {};
    }
};
