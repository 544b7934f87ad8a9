#include "Formes_Carte.h"

#include <QFile>
#include <QXmlStreamReader>

#include <charconv>

namespace {

bool Blanc(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r'; }

class Lecteur_Chemin {
public:
    explicit Lecteur_Chemin(QByteArrayView d) : m_p(d.data()), m_fin(d.data() + d.size()) {}

    bool fini()
    {
        passe_blancs();
        return m_p == m_fin;
    }
    bool commande_suit()
    {
        passe_blancs();
        return m_p != m_fin && ((*m_p >= 'A' && *m_p <= 'Z') || (*m_p >= 'a' && *m_p <= 'z'));
    }
    char commande() { return *m_p++; }
    bool nombre(qreal &valeur)
    {
        passe_blancs();
        if (m_p != m_fin && *m_p == '+')
            ++m_p;
        const auto [fin, erreur] = std::from_chars(m_p, m_fin, valeur);
        if (erreur != std::errc())
            return false;
        m_p = fin;
        return true;
    }

private:
    void passe_blancs()
    {
        while (m_p != m_fin && Blanc(*m_p))
            ++m_p;
    }
    const char *m_p;
    const char *m_fin;
};

// The box index for a shape's id ("01" … "95", "2A", "2B"), or -1.
int Index_Departement(QStringView identifiant)
{
    if (identifiant == QLatin1String("2A"))
        return 96;
    if (identifiant == QLatin1String("2B"))
        return 97;
    if (identifiant.size() != 2 || !identifiant[0].isDigit() || !identifiant[1].isDigit())
        return -1;
    const int n = identifiant.toInt();
    return n >= 1 && n <= 95 && n != 20 ? n : -1;
}

} // namespace

std::optional<QPainterPath> Trace_Chemin(QByteArrayView donnees)
{
    Lecteur_Chemin l(donnees);
    QPainterPath chemin;
    chemin.setFillRule(Qt::WindingFill); // SVG's default
    QPointF courant, debut;
    char commande = 0;
    while (!l.fini()) {
        if (l.commande_suit())
            commande = l.commande();
        else if (commande == 0)
            return std::nullopt;
        const bool relatif = commande >= 'a';
        const QPointF origine = relatif ? courant : QPointF();
        qreal x = 0, y = 0;
        switch (commande | 0x20) {
        case 'z':
            chemin.closeSubpath();
            courant = debut;
            commande = 0; // numbers after Z have no meaning
            break;
        case 'm':
            if (!l.nombre(x) || !l.nombre(y))
                return std::nullopt;
            courant = debut = origine + QPointF(x, y);
            chemin.moveTo(courant);
            commande = relatif ? 'l' : 'L'; // further pairs draw lines
            break;
        case 'l':
            if (!l.nombre(x) || !l.nombre(y))
                return std::nullopt;
            courant = origine + QPointF(x, y);
            chemin.lineTo(courant);
            break;
        case 'h':
            if (!l.nombre(x))
                return std::nullopt;
            courant.setX(origine.x() + x);
            chemin.lineTo(courant);
            break;
        case 'v':
            if (!l.nombre(y))
                return std::nullopt;
            courant.setY(origine.y() + y);
            chemin.lineTo(courant);
            break;
        default:
            return std::nullopt;
        }
    }
    return chemin;
}

std::optional<Formes_Carte> Lit_Formes_Carte(const QByteArray &svg)
{
    Formes_Carte formes;
    QXmlStreamReader lecteur(svg);
    while (lecteur.readNextStartElement()) {
        if (lecteur.name() == QLatin1String("svg")) {
            const auto vue = lecteur.attributes().value(QLatin1String("viewBox")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (vue.size() == 4)
                formes.vue = QRectF(vue[0].toDouble(), vue[1].toDouble(), vue[2].toDouble(), vue[3].toDouble());
            continue; // its children
        }
        if (lecteur.name() == QLatin1String("path")) {
            const int index = Index_Departement(lecteur.attributes().value(QLatin1String("id")));
            if (index >= 0) {
                const auto chemin = Trace_Chemin(lecteur.attributes().value(QLatin1String("d")).toLatin1());
                if (!chemin)
                    return std::nullopt;
                formes.forme[size_t(index)] = *chemin;
            }
        }
        lecteur.skipCurrentElement();
    }
    if (lecteur.hasError() || formes.vue.isEmpty())
        return std::nullopt;
    return formes;
}

const Formes_Carte &Formes_France()
{
    static const Formes_Carte formes = [] {
        QFile fichier(QStringLiteral(":/carte/france.departments.svg"));
        const auto lues = fichier.open(QIODevice::ReadOnly) ? Lit_Formes_Carte(fichier.readAll()) : std::nullopt;
        return lues.value_or(Formes_Carte{});
    }();
    return formes;
}
