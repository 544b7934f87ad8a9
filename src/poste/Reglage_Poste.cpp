#include "Reglage_Poste.h"

#include "Frequences.h"
#include "Reglages.h"
#include "Texte.h"

#include <QSettings>


using namespace Sous_Programmes;

namespace Radio {

namespace {

const QString Groupe = QStringLiteral("Poste/");

// The settings' words for the types, which the window's captions may outgrow.
QString Cle_Type(Type type)
{
    switch (type) {
    case Type::Hamlib: return QStringLiteral("Hamlib");
    case Type::Flrig: return QStringLiteral("flrig");
    case Type::Aucun: break;
    }
    return QStringLiteral("Aucun");
}

} // namespace

QString Nom_Type(Type type)
{
    switch (type) {
    case Type::Hamlib: return QStringLiteral("Hamlib (rigctld)");
    case Type::Flrig: return QStringLiteral("flrig");
    case Type::Aucun: break;
    }
    return QStringLiteral("Aucun");
}

int Port_Par_Defaut(Type type) { return type == Type::Flrig ? 12345 : 4532; }

int Port_Apres_Changement(Type ancien, Type nouveau, int port)
{
    return port == Port_Par_Defaut(ancien) ? Port_Par_Defaut(nouveau) : port;
}

Reglages Lit_Reglages()
{
    QSettings s(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
    Reglages r;
    const QString type = s.value(Groupe + QStringLiteral("Type")).toString();
    for (Type t : Types)
        if (type == Cle_Type(t))
            r.type = t;
    // One kept by an older version may be blank: the spots window would try it every second.
    if (const QString adresse = s.value(Groupe + QStringLiteral("Adresse"), r.adresse).toString();
        Verifie_Adresse(adresse) == Forme_Adresse::Bonne)
        r.adresse = adresse;
    r.port = Lit_Port(s, Groupe + QStringLiteral("Port"), Port_Par_Defaut(r.type));
    return r;
}

Statut Sauve_Reglages(const Reglages &r)
{
    return Sous_Programmes::Sauve_Reglages({{Groupe + QStringLiteral("Type"), Cle_Type(r.type)},
                                            {Groupe + QStringLiteral("Adresse"), r.adresse},
                                            {Groupe + QStringLiteral("Port"), QString::number(r.port)}});
}

std::optional<QString> Refus_Adresse(const QString &adresse)
{
    switch (Verifie_Adresse(adresse)) {
    case Forme_Adresse::Vide: return QStringLiteral("Indiquez l'adresse du poste : 127.0.0.1 quand rigctld ou flrig tourne sur cette machine.");
    case Forme_Adresse::Mauvaise: return QStringLiteral("L'adresse du poste ne doit comporter ni blanc ni plus de 253 caractères.");
    case Forme_Adresse::Bonne: break;
    }
    return std::nullopt;
}

namespace {

// Each word of a comment in capitals, until `trouve` gives something.
template <typename F>
auto Premier_Mot(QByteArrayView commentaire, F trouve) -> decltype(trouve(QByteArray()))
{
    qsizetype i = 0;
    while (i < commentaire.size()) {
        while (i < commentaire.size() && !Alphanumerique(commentaire[i]))
            ++i;
        QByteArray mot;
        while (i < commentaire.size() && Alphanumerique(commentaire[i]))
            mot += Majuscule_Ascii(commentaire[i++]);
        if (auto r = trouve(mot))
            return r;
    }
    return {};
}

} // namespace

QString Mode_Annonce(QByteArrayView commentaire_spot, const QString &mode_poste)
{
    const std::optional<QByteArray> du_spot = Premier_Mot(commentaire_spot, [](const QByteArray &mot) -> std::optional<QByteArray> {
        if (Mode_Du_Commentaire(mot, 0))
            return mot;
        return std::nullopt;
    });
    if (du_spot)
        return QString::fromLatin1(*du_spot);
    const QString m = mode_poste.trimmed().toUpper();
    for (const char *simple : {"CW", "USB", "LSB", "FM", "AM", "RTTY"})
        if (m == QLatin1String(simple))
            return m;
    if (m.startsWith(QLatin1String("CW")))
        return QStringLiteral("CW");
    if (m.startsWith(QLatin1String("RTTY")))
        return QStringLiteral("RTTY");
    return {};
}

std::optional<Mode> Mode_Du_Commentaire(QByteArrayView commentaire, qint64 hertz)
{
    return Premier_Mot(commentaire, [hertz](const QByteArray &mot) -> std::optional<Mode> {
        if (mot == "CW")
            return Mode::CW;
        if (mot == "SSB")
            return hertz >= 10'000'000 ? Mode::USB : Mode::LSB;
        if (mot == "USB")
            return Mode::USB;
        if (mot == "LSB")
            return Mode::LSB;
        if (mot == "FM")
            return Mode::FM;
        if (mot == "AM")
            return Mode::AM;
        if (mot == "RTTY")
            return Mode::RTTY;
        // PSK31, BPSK63 and the like as well.
        if (mot == "FT8" || mot == "FT4" || mot.startsWith("PSK") || mot.startsWith("BPSK"))
            return Mode::Donnees;
        return std::nullopt;
    });
}

QString Nom_Mode(Mode mode)
{
    switch (mode) {
    case Mode::CW: return QStringLiteral("CW");
    case Mode::USB: return QStringLiteral("USB");
    case Mode::LSB: return QStringLiteral("LSB");
    case Mode::FM: return QStringLiteral("FM");
    case Mode::AM: return QStringLiteral("AM");
    case Mode::RTTY: return QStringLiteral("RTTY");
    case Mode::Donnees: break;
    }
    return QStringLiteral("données (USB)");
}

QByteArray Mode_Hamlib(Mode mode)
{
    switch (mode) {
    case Mode::CW: return "CW";
    case Mode::USB: return "USB";
    case Mode::LSB: return "LSB";
    case Mode::FM: return "FM";
    case Mode::AM: return "AM";
    case Mode::RTTY: return "RTTY";
    case Mode::Donnees: break;
    }
    return "PKTUSB";
}

QString Mode_Flrig(Mode mode, const QStringList &modes_du_poste)
{
    // The names radios give each mode in flrig, the likeliest first.
    static const QStringList cw{"CW", "CW-U", "CWU", "CW-USB", "CW-L", "CWL", "CW-LSB"};
    static const QStringList usb{"USB"};
    static const QStringList lsb{"LSB"};
    static const QStringList fm{"FM", "FM-N", "NFM", "NBFM"};
    static const QStringList am{"AM", "AM-N"};
    static const QStringList rtty{"RTTY", "RTTY-L", "RTTY-LSB", "FSK", "RTTY-U", "RTTY-USB", "RTTYR"};
    static const QStringList donnees{"USB-D", "DATA-U", "PKTUSB", "D-USB", "USB-D1", "DATA-USB", "DIGU", "PKT-U", "USB+D", "DATA"};
    const QStringList *noms = &donnees;
    switch (mode) {
    case Mode::CW: noms = &cw; break;
    case Mode::USB: noms = &usb; break;
    case Mode::LSB: noms = &lsb; break;
    case Mode::FM: noms = &fm; break;
    case Mode::AM: noms = &am; break;
    case Mode::RTTY: noms = &rtty; break;
    case Mode::Donnees: break;
    }
    for (const QString &nom : *noms)
        for (const QString &du_poste : modes_du_poste)
            if (du_poste.trimmed().compare(nom, Qt::CaseInsensitive) == 0)
                return du_poste.trimmed();
    return {};
}

QString Texte_Lecture(const Lecture &l)
{
    QString texte = Texte_kHz(l.hertz) + QStringLiteral(" kHz");
    if (!l.mode.isEmpty())
        texte += QStringLiteral(" en ") + l.mode;
    return texte;
}

} // namespace Radio
