#pragma once

#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// A node of our own on 127.0.0.1: it holds each connection and what it received.
class Noeud : public QObject {
public:
    Noeud()
    {
        connect(&serveur, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = serveur.nextPendingConnection()) {
                clients.append(s);
                recu.append(QByteArray());
                const qsizetype n = clients.size() - 1;
                connect(s, &QTcpSocket::readyRead, this, [this, s, n] { recu[n] += s->readAll(); });
                if (!accueil.isEmpty())
                    s->write(accueil);
            }
        });
        QVERIFY(serveur.listen(QHostAddress::LocalHost));
    }
    quint16 port() const { return serveur.serverPort(); }
    QTcpSocket *dernier() const { return clients.isEmpty() ? nullptr : clients.last().data(); }

    QTcpServer serveur;
    QByteArray accueil = "Bienvenue sur F1NODE\r\nlogin: ";
    QList<QPointer<QTcpSocket>> clients;
    QList<QByteArray> recu;
};
