#include "Protocoles_Poste.h"

#include "Texte.h"

#include <QXmlStreamReader>

#include <array>

namespace Radio {

namespace {

// A first line this long without its end is no answer of Hamlib's.
constexpr qsizetype Ligne_Hamlib_Maximum = 1024;
constexpr qsizetype Entete_HTTP_Maximum = 16 * 1024;

Reponse Illisible(const QString &raison) { return {Reponse::Illisible, {}, raison}; }
Reponse Refus(const QString &raison) { return {Reponse::Refus, {}, raison}; }

std::optional<int> Entier(QByteArrayView t)
{
    bool ok = false;
    const int n = t.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// The next child of the element being read that is named `nom`, the others
// skipped; false at the element's end.
bool Enfant(QXmlStreamReader &x, QLatin1String nom)
{
    while (x.readNextStartElement()) {
        if (x.name() == nom)
            return true;
        x.skipCurrentElement();
    }
    return false;
}

// From a <value> just read to its end: each value it holds, an array's one by one.
void Lit_Valeur(QXmlStreamReader &x, QStringList &valeurs)
{
    QString texte;
    bool typee = false;
    while (!x.atEnd()) {
        const QXmlStreamReader::TokenType t = x.readNext();
        if (t == QXmlStreamReader::Characters) {
            texte += x.text();
        } else if (t == QXmlStreamReader::StartElement) {
            typee = true;
            if (x.name() == QLatin1String("array")) {
                while (Enfant(x, QLatin1String("data")))
                    while (Enfant(x, QLatin1String("value")))
                        Lit_Valeur(x, valeurs);
            } else if (x.name() == QLatin1String("struct")) {
                x.skipCurrentElement();
            } else {
                valeurs.append(x.readElementText(QXmlStreamReader::SkipChildElements));
            }
        } else if (t == QXmlStreamReader::EndElement) {
            // An untyped value is a string.
            if (!typee)
                valeurs.append(texte);
            return;
        }
    }
}

// From <fault> to its end: the faultString of its struct.
QString Lit_Faute(QXmlStreamReader &x)
{
    QString faute;
    while (Enfant(x, QLatin1String("value")))
        while (Enfant(x, QLatin1String("struct")))
            while (Enfant(x, QLatin1String("member"))) {
                QString nom;
                QStringList valeur;
                while (x.readNextStartElement()) {
                    if (x.name() == QLatin1String("name"))
                        nom = x.readElementText().trimmed();
                    else if (x.name() == QLatin1String("value"))
                        Lit_Valeur(x, valeur);
                    else
                        x.skipCurrentElement();
                }
                if (nom == QLatin1String("faultString"))
                    faute = valeur.join(u' ');
            }
    return faute;
}

Reponse Lit_XML(QByteArrayView corps)
{
    QXmlStreamReader x(corps.toByteArray());
    if (!x.readNextStartElement() || x.name() != QLatin1String("methodResponse"))
        return Illisible(QStringLiteral("pas une réponse XML-RPC : « %1 »").arg(Extrait(corps)));
    Reponse r{Reponse::Complete, {}, {}};
    bool faute = false;
    QString texte_faute;
    while (x.readNextStartElement()) {
        if (x.name() == QLatin1String("fault")) {
            faute = true;
            texte_faute = Lit_Faute(x);
        } else if (x.name() == QLatin1String("params")) {
            while (Enfant(x, QLatin1String("param")))
                while (Enfant(x, QLatin1String("value")))
                    Lit_Valeur(x, r.valeurs);
        } else {
            x.skipCurrentElement();
        }
    }
    if (x.hasError())
        return Illisible(QStringLiteral("XML mal formé (%1)").arg(x.errorString()));
    if (faute)
        return Refus(QStringLiteral("« %1 »").arg(Sous_Programmes::Texte_Visible(texte_faute.trimmed())));
    return r;
}

} // namespace

namespace Hamlib {

Reponse Analyse(QByteArrayView recu, int lignes_attendues)
{
    QList<QByteArrayView> lignes;
    qsizetype debut = 0;
    while (lignes.size() < qMax(1, lignes_attendues)) {
        const qsizetype fin = recu.indexOf('\n', debut);
        if (fin < 0)
            break;
        QByteArrayView l = recu.sliced(debut, fin - debut);
        if (l.endsWith('\r'))
            l.chop(1);
        lignes.append(l.trimmed());
        debut = fin + 1;
    }
    if (recu.size() - debut > Ligne_Hamlib_Maximum)
        return Illisible(QStringLiteral("ligne sans fin : « %1 »").arg(Extrait(recu.sliced(debut))));
    if (lignes.isEmpty())
        return {};
    const QByteArrayView premiere = lignes.first();
    if (premiere.startsWith("RPRT")) {
        const std::optional<int> code = Entier(premiere.sliced(4));
        if (!code || premiere.size() < 6 || premiere[4] != ' ')
            return Illisible(QStringLiteral("« %1 »").arg(Extrait(premiere)));
        if (*code < 0)
            return Refus(QStringLiteral("RPRT %1, %2").arg(*code).arg(Sens_Code(*code)));
        if (*code == 0 && lignes_attendues == 0)
            return {Reponse::Complete, {}, {}};
        return Illisible(QStringLiteral("« %1 »").arg(Extrait(premiere)));
    }
    if (lignes_attendues == 0)
        return Illisible(QStringLiteral("« %1 » au lieu de RPRT 0").arg(Extrait(premiere)));
    if (lignes.size() < lignes_attendues)
        return {};
    Reponse r{Reponse::Complete, {}, {}};
    for (QByteArrayView l : lignes)
        r.valeurs.append(QString::fromLatin1(l));
    return r;
}

QString Sens_Code(int code)
{
    static const std::array<const char *, 23> sens{
        "aucune erreur",
        "paramètre non valable",
        "configuration non valable (port série, vitesse...)",
        "mémoire insuffisante",
        "fonction pas encore réalisée pour ce poste",
        "le poste ne répond pas à temps",
        "erreur d'entrée-sortie (le port du poste ne s'ouvre pas ?)",
        "erreur interne de Hamlib",
        "erreur de protocole avec le poste",
        "commande refusée par le poste",
        "commande faite, mais valeur tronquée",
        "fonction que ce poste n'offre pas",
        "VFO inaccessible",
        "erreur sur le bus de communication",
        "collision sur le bus de communication",
        "paramètre manquant",
        "VFO non valable",
        "valeur hors des limites",
        "fonction abandonnée par Hamlib",
        "erreur de sécurité (mot de passe ?)",
        "le poste n'est pas allumé",
        "limite dépassée",
        "accès refusé (port déjà utilisé ?)",
    };
    // In 64 bits: the lowest int has no opposite in 32.
    const qint64 n = code < 0 ? -qint64(code) : qint64(code);
    return n < qint64(sens.size()) ? QString::fromUtf8(sens[size_t(n)]) : QStringLiteral("erreur inconnue de Hamlib");
}

} // namespace Hamlib

namespace XMLRPC {

QByteArray Requete(const QString &hote, quint16 port, QByteArrayView methode, QByteArrayView parametre)
{
    QByteArray corps = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>";
    corps += methode;
    corps += "</methodName><params>";
    if (!parametre.isEmpty()) {
        corps += "<param><value>";
        corps += parametre;
        corps += "</value></param>";
    }
    corps += "</params></methodCall>\r\n";
    QByteArray requete = "POST /RPC2 HTTP/1.1\r\nHost: " + hote.toUtf8() + ':' + QByteArray::number(port)
                         + "\r\nUser-Agent: KOB_Dezudidar_ERI\r\nContent-Type: text/xml\r\nContent-Length: "
                         + QByteArray::number(corps.size()) + "\r\nConnection: close\r\n\r\n";
    return requete + corps;
}

namespace {

// Where the header's first blank line starts and where the body starts
// after it, whichever line end each uses; -1 before it has come.
std::pair<qsizetype, qsizetype> Fin_Entete(QByteArrayView recu)
{
    for (qsizetype i = recu.indexOf('\n'); i >= 0; i = recu.indexOf('\n', i + 1)) {
        qsizetype j = i + 1;
        if (j < recu.size() && recu[j] == '\r')
            ++j;
        if (j < recu.size() && recu[j] == '\n')
            return {i, j + 1};
    }
    return {-1, -1};
}

} // namespace

Reponse Analyse(QByteArrayView recu, bool fin)
{
    const auto [fin_entete, debut_corps] = Fin_Entete(recu);
    if (fin_entete < 0) {
        if (recu.size() > Entete_HTTP_Maximum)
            return Illisible(QStringLiteral("en-tête HTTP sans fin"));
        if (fin)
            return Illisible(recu.isEmpty() ? QStringLiteral("aucune réponse")
                                            : QStringLiteral("réponse coupée : « %1 »").arg(Extrait(recu)));
        return {};
    }
    const QByteArrayView entete = recu.first(fin_entete);
    const qsizetype fin_statut = entete.indexOf('\n');
    const QByteArrayView statut = (fin_statut < 0 ? entete : entete.first(fin_statut)).trimmed();
    if (!statut.startsWith("HTTP/") || statut.indexOf(' ') < 0)
        return Illisible(QStringLiteral("pas une réponse HTTP : « %1 »").arg(Extrait(statut)));
    const QByteArrayView apres_version = statut.sliced(statut.indexOf(' ') + 1).trimmed();
    if (!apres_version.startsWith("200"))
        return Refus(QStringLiteral("HTTP %1").arg(Extrait(apres_version)));

    qsizetype longueur = -1;
    for (qsizetype debut = fin_statut < 0 ? entete.size() : fin_statut + 1; debut < entete.size();) {
        qsizetype fin_ligne = entete.indexOf('\n', debut);
        if (fin_ligne < 0)
            fin_ligne = entete.size();
        const QByteArrayView ligne = entete.sliced(debut, fin_ligne - debut).trimmed();
        debut = fin_ligne + 1;
        const qsizetype deux_points = ligne.indexOf(':');
        if (deux_points < 0 || ligne.first(deux_points).trimmed().compare("Content-Length", Qt::CaseInsensitive) != 0)
            continue;
        const std::optional<int> n = Entier(ligne.sliced(deux_points + 1));
        if (!n || *n < 0 || *n > Reponse_Maximum)
            return Illisible(QStringLiteral("longueur HTTP non valable : « %1 »").arg(Extrait(ligne)));
        longueur = *n;
    }
    const QByteArrayView reste = recu.sliced(debut_corps);
    if (longueur >= 0 && reste.size() < longueur) {
        if (fin)
            return Illisible(QStringLiteral("réponse coupée après %1 octets sur %2").arg(reste.size()).arg(longueur));
        return {};
    }
    if (longueur < 0 && !fin)
        return {};
    return Lit_XML(longueur >= 0 ? reste.first(longueur) : reste);
}

} // namespace XMLRPC

std::optional<qint64> Hertz_Lus(const QString &texte)
{
    const QString t = texte.trimmed();
    qint64 hertz = 0;
    qsizetype i = 0;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
        hertz = hertz * 10 + (t[i].unicode() - '0');
        if (hertz > 300'000'000'000)
            return std::nullopt;
    }
    if (i == 0)
        return std::nullopt;
    if (i < t.size()) {
        if (t[i] != u'.' || i + 1 == t.size())
            return std::nullopt;
        for (qsizetype j = i + 1; j < t.size(); ++j)
            if (t[j] < u'0' || t[j] > u'9')
                return std::nullopt;
        if (t[i + 1] >= u'5')
            ++hertz;
    }
    return hertz;
}

bool Mode_Lisible(const QString &texte)
{
    if (texte.isEmpty() || texte.size() > 20)
        return false;
    bool lettre = false;
    for (QChar c : texte) {
        const bool l = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        lettre |= l;
        if (!(l || (c >= u'0' && c <= u'9') || c == u'-' || c == u'+' || c == u'_'))
            return false;
    }
    return lettre;
}

QString Extrait(QByteArrayView recu)
{
    constexpr qsizetype Longueur = 40;
    const QByteArrayView t = recu.trimmed();
    QString texte = Sous_Programmes::Texte_Visible(QString::fromLatin1(t.first(qMin(t.size(), Longueur))));
    if (t.size() > Longueur)
        texte += QStringLiteral("…");
    return texte;
}

} // namespace Radio
