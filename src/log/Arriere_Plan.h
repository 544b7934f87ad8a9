#pragma once

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

// The program's one way to work in the background: a piece of work on a
// QThread of its own, its result taken on the thread that started it, either
// at once by `attend` or by `fin` when the work ends.
template <typename T>
class Arriere_Plan {
public:
    Arriere_Plan() = default;
    ~Arriere_Plan()
    {
        if (m_fil)
            m_fil->wait();
    }
    Arriere_Plan(const Arriere_Plan &) = delete;
    Arriere_Plan &operator=(const Arriere_Plan &) = delete;

    // A work already started is first waited for and its result dropped.
    // `fin` runs on `contexte`'s thread, unless `attend` took the result.
    void lance(std::function<T()> travail, QObject *contexte = nullptr, std::function<void(T)> fin = {})
    {
        if (m_fil)
            m_fil->wait();
        if (m_etat)
            m_etat->pris = true;
        auto etat = std::make_shared<Etat>();
        m_etat = etat;
        m_fil.reset(QThread::create([etat, travail = std::move(travail)] { etat->resultat.emplace(travail()); }));
        if (contexte && fin)
            QObject::connect(m_fil.get(), &QThread::finished, contexte, [etat, fin = std::move(fin)] {
                if (etat->resultat && !etat->pris) {
                    etat->pris = true;
                    fin(std::move(*etat->resultat));
                }
            });
        m_fil->start();
    }

    // Started, and its result not taken yet.
    bool en_cours() const { return m_etat && !m_etat->pris; }

    // Waits for the work and takes its result; none when there is no work
    // or its result was taken.
    std::optional<T> attend()
    {
        if (!m_etat || m_etat->pris)
            return std::nullopt;
        m_fil->wait();
        m_etat->pris = true;
        return std::move(m_etat->resultat);
    }

private:
    struct Etat {
        std::optional<T> resultat; // written by the work's thread before it ends
        bool pris = false; // on the starting thread only
    };
    std::unique_ptr<QThread> m_fil;
    std::shared_ptr<Etat> m_etat;
};
