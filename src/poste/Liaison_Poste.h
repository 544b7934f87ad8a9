#pragma once

#include "Protocoles_Poste.h"
#include "Reglage_Poste.h"

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace Radio {

// The radio's connection: a reading of its frequency and mode, or tuning it,
// one exchange after the other and never waited for. Each answer has 2 s
// to come; whatever fails is told by a signal, in French, never by a
// message box. Hamlib's daemon keeps its connection; flrig takes one per call.
class Liaison : public QObject {
    Q_OBJECT

public:
    explicit Liaison(QObject *parent = nullptr);
    ~Liaison() override;

    // Drops what was under way.
    void configure(const Reglages &reglages);
    const Reglages &reglages() const { return m_reglages; }
    bool occupee() const { return m_operation != nullptr; }

    // A reading; false when none is asked (no radio, or one under way).
    bool lit();
    // The frequency, then the mode unless none; after what is under way,
    // in the place of a tuning not yet begun.
    void regle(qint64 hertz, std::optional<Mode> mode);

    static constexpr int Delai_ms = 2000;

signals:
    void lecture(const Radio::Lecture &lue);
    void lecture_impossible(const QString &raison);
    // "Poste réglé sur 14 285,0 kHz en USB".
    void reglage(const QString &texte);
    void reglage_impossible(const QString &raison);

private:
    // One request and its answer; `recoit` takes the answer's values and
    // says what is wrong with them, if anything.
    struct Etape {
        QString quoi; // "la lecture de la fréquence"
        std::function<QByteArray()> envoi;
        int lignes = 0; // Hamlib: lines of the answer
        std::function<std::optional<QString>(const QStringList &)> recoit;
    };
    struct Operation {
        bool reglage = false;
        std::vector<Etape> etapes;
        size_t courante = 0;
        Lecture lue;
        QString texte;
        QString mode_poste; // flrig: the radio's name of the mode asked
    };

    static std::function<std::optional<QString>(const QStringList &)> Frequence_Lue(Operation *o);
    static std::function<std::optional<QString>(const QStringList &)> Mode_Lu(Operation *o);
    std::unique_ptr<Operation> Lecture_Hamlib();
    std::unique_ptr<Operation> Lecture_Flrig();
    std::unique_ptr<Operation> Reglage_Hamlib(qint64 hertz, std::optional<Mode> mode);
    std::unique_ptr<Operation> Reglage_Flrig(qint64 hertz, std::optional<Mode> mode);
    Etape Appel_Flrig(const QString &quoi, QByteArray methode, std::function<QByteArray()> parametre,
                      std::function<std::optional<QString>(const QStringList &)> recoit);

    void commence(std::unique_ptr<Operation> operation);
    void etape();
    void envoie();
    void recu(bool fin);
    void erreur(QAbstractSocket::SocketError e);
    void delai_depasse();
    // The operation done, or failed for `raison`; the next one begins.
    void termine(const std::optional<QString> &raison);
    QString nom() const;     // "Hamlib (rigctld)"
    QString adresse() const; // "127.0.0.1:4532"

    Reglages m_reglages;
    QTcpSocket m_socket;
    QTimer m_delai;
    QByteArray m_recu;
    std::unique_ptr<Operation> m_operation;
    std::unique_ptr<Operation> m_suivante;
    QStringList m_modes_flrig; // the radio's modes, asked once
    bool m_envoye = false;     // the current step's request is written
};

} // namespace Radio
