#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace Sous_Programmes {

// A failure the operator must be told about, already worded in French.
struct Erreur {
    QString message;
};

template <typename T>
class [[nodiscard]] Resultat {
public:
    Resultat(T valeur) : m_valeur(std::move(valeur)) {}
    Resultat(Erreur erreur) : m_erreur(std::move(erreur.message)) {}

    bool ok() const { return m_valeur.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &valeur() const & { return *m_valeur; }
    T &valeur() & { return *m_valeur; }
    T &&valeur() && { return std::move(*m_valeur); }
    const QString &erreur() const { return m_erreur; }

private:
    std::optional<T> m_valeur;
    QString m_erreur;
};

struct Rien {};
using Statut = Resultat<Rien>;

inline Statut Succes() { return Rien{}; }

} // namespace Sous_Programmes
