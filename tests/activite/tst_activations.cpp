// An activation's own log read back: the station's mill, the QSOs grouped by
// mill and day, the activity sheet and what the settings keep of it.
#include "Activations.h"
#include "Feuille.h"
#include "Liste_Moulins.h"
#include "Memoire_Residente.h"
#include "ADIF_Test.h"
#include "Outils_Test.h"

#include <QTime>

using namespace Activite;

namespace {

// A QSO of the station at `dmf` (none when empty), at `heure` (HHMM) of `date`.
QByteArray Qso(const QByteArray &call, const QByteArray &date, const QByteArray &heure, const QByteArray &dmf,
               const QByteArray &autres = {})
{
    QByteArray c = F("CALL", call) + F("QSO_DATE", date);
    if (!heure.isEmpty())
        c += F("TIME_ON", heure);
    if (!dmf.isEmpty())
        c += F("MY_SIG", "DMF") + F("MY_SIG_INFO", dmf);
    return Enr(c + autres);
}

Lecture Lit(const QByteArray &fichier)
{
    ADIF::Lecteur lecteur(fichier);
    auto l = Lit_Activations(lecteur);
    if (!l)
        qFatal("reading failed");
    return std::move(l).valeur();
}

// "indicatif|jour|heure|hertz|bande|mode|opérateur|station|moulin".
QString Decrit(const Lecture &l, const QSO &q)
{
    return QStringList{QString::fromLatin1(q.indicatif.vue()),
                       q.jour ? QDate::fromJulianDay(q.jour).toString(Qt::ISODate) : QStringLiteral("0"),
                       q.seconde < 0 ? QStringLiteral("-") : QTime(0, 0).addSecs(q.seconde).toString(QStringLiteral("HH:mm:ss")),
                       QString::number(q.hertz), QString::fromLatin1(l.texte(q.bande)), QString::fromLatin1(l.texte(q.mode)),
                       QString::fromLatin1(l.texte(q.operateur)), QString::fromLatin1(l.texte(q.station)),
                       QString::fromLatin1(q.dmf.vue())}
        .join(u'|');
}

QStringList Decrit(const Lecture &l)
{
    QStringList s;
    for (const QSO &q : l.qso)
        s << Decrit(l, q);
    return s;
}

// "dmf@jour:nombre;..."
QString Groupes(const std::vector<Activation> &activations)
{
    QStringList s;
    for (const Activation &a : activations)
        s << QStringLiteral("%1@%2:%3").arg(QString::fromLatin1(a.dmf), a.jour.toString(Qt::ISODate)).arg(a.nombre());
    return s.join(u';');
}

// The callsigns of a group in the order it gives them.
QStringList Indicatifs(const Lecture &l, const Activation &a)
{
    QStringList s;
    for (const quint32 i : a.qso)
        s << QString::fromLatin1(l.qso[size_t(i)].indicatif.vue());
    return s;
}

QString Comptes(const std::vector<Compte> &comptes)
{
    QStringList s;
    for (const Compte &c : comptes)
        s << QString::fromLatin1(c.texte) + u'=' + QString::number(c.nombre);
    return s.join(u' ');
}

QString Textes(const std::vector<QByteArray> &textes)
{
    QStringList s;
    for (const QByteArray &t : textes)
        s << QString::fromLatin1(t);
    return s.join(u' ');
}

// `n` QSOs at 21003 on 15/03/2026 from 08:12 on, each a callsign of its own.
QByteArray Qso_Numerotes(int n)
{
    QByteArray f = "<EOH>\r\n";
    for (int i = 0; i < n; ++i)
        f += Qso("F5A" + QByteArray::number(i), "20260315", QTime(8, 12).addSecs(i * 60).toString(QStringLiteral("HHmm")).toLatin1(),
                 "21003", F("BAND", "40m") + F("MODE", "SSB"));
    return f;
}

void Aucune_Ligne_Trop_Large(const QStringList &lignes)
{
    for (const QString &l : lignes)
        QVERIFY2(l.size() <= 80, qPrintable(l));
}

} // namespace

class Tst_Activations : public QObject {
    Q_OBJECT

private slots:
    void init();

    // The station's mill and the fields read.
    void moulin_de_la_station_data();
    void moulin_de_la_station();
    void champs_lus_data();
    void champs_lus();
    void enregistrements_sans_indicatif_ou_illisibles();

    // Grouped by mill and day.
    void un_moulin_sur_deux_jours();
    void deux_moulins_dans_un_fichier();
    void qso_sans_moulin_data();
    void qso_sans_moulin();
    void doubles_comptes_une_fois_data();
    void doubles_comptes_une_fois();
    void minimum_de_qso_data();
    void minimum_de_qso();
    void heures_et_indicatifs_distincts();
    void comptes_par_bande_et_mode();
    void operateurs_et_stations();

    // The file.
    void lu_du_fichier_comme_en_memoire();
    void arret_par_l_avancement_data();
    void arret_par_l_avancement();
    void fichier_absent();
    void carnet_general_d_un_million_de_qso();

    // Texts.
    void heure_data();
    void heure();
    void frequence_khz_data();
    void frequence_khz();
    void nom_feuille_data();
    void nom_feuille();

    // The settings.
    void refus_operateur_data();
    void refus_operateur();
    void operateurs_gardes_et_relus();
    void feuille_faite_marquee();

    // The sheet.
    void lignes_de_la_feuille();
    void feuille_sans_liste_ni_moulin();
    void feuille_de_nombreux_qso();

private:
    std::unique_ptr<Dossier_Test> m_reglages;
};

void Tst_Activations::init()
{
    // Each case starts from settings of its own, never the user's.
    m_reglages = std::make_unique<Dossier_Test>();
    Isole_Reglages(m_reglages->chemin());
}

void Tst_Activations::moulin_de_la_station_data()
{
    QTest::addColumn<QByteArray>("champs");
    QTest::addColumn<QByteArray>("numero"); // empty: none
    QTest::newRow("MY_SIG et MY_SIG_INFO") << F("MY_SIG", "DMF") + F("MY_SIG_INFO", "21001") << QByteArray("21001");
    QTest::newRow("noms en minuscules, valeur entourée de blancs")
        << F("my_sig", " dmf ") + F("My_Sig_Info", "DMF-21002") << QByteArray("21002");
    QTest::newRow("Corse en minuscules") << F("MY_SIG", "DMF") + F("MY_SIG_INFO", "dmf-2a001") << QByteArray("2A001");
    QTest::newRow("MY_SIG_INFO sans MY_SIG") << F("MY_SIG_INFO", "DMF 21003") << QByteArray("21003");
    QTest::newRow("MY_SIG d'un autre programme") << F("MY_SIG", "POTA") + F("MY_SIG_INFO", "FR-1234") << QByteArray();
    QTest::newRow("autre champ MY_..._INFO") << F("MY_WWFF_INFO", "FFF-1234 DMF 29015") << QByteArray("29015");
    QTest::newRow("autre champ en minuscules") << F("my_wwff_info", "dmf:2b004") << QByteArray("2B004");
    QTest::newRow("champ d'un programme") << F("APP_LOG_MY_SIG_INFO", "DMF 21010") << QByteArray();
    QTest::newRow("commentaire") << F("COMMENT", "Activation DMF 21004") << QByteArray("21004");
    QTest::newRow("commentaire en minuscules") << F("comment", "activation dmf 21004") << QByteArray("21004");
    QTest::newRow("MY_SIG_INFO avant le commentaire") << F("COMMENT", "DMF 21007") + F("MY_SIG_INFO", "DMF 21008")
                                                      << QByteArray("21008");
    QTest::newRow("commentaire du moulin contacté, SIG DMF")
        << F("SIG", "DMF") + F("SIG_INFO", "21005") + F("COMMENT", "DMF 21005") << QByteArray();
    QTest::newRow("commentaire du moulin contacté, SIG_INFO en texte")
        << F("SIG_INFO", "DMF-21005") + F("comment", "merci dmf 21005") << QByteArray();
    QTest::newRow("commentaire d'un autre moulin que le contacté")
        << F("SIG", "DMF") + F("SIG_INFO", "21005") + F("COMMENT", "depuis DMF 21006") << QByteArray("21006");
    QTest::newRow("moulin contacté seul") << F("SIG", "DMF") + F("SIG_INFO", "21009") << QByteArray();
    QTest::newRow("aucun") << F("COMMENT", "rien") << QByteArray();
}

void Tst_Activations::moulin_de_la_station()
{
    QFETCH(QByteArray, champs);
    QFETCH(QByteArray, numero);
    const QByteArray fichier = "<EOH>\r\n" + Enr(F("CALL", "F5ABC") + champs);
    const Lecture l = Lit(fichier);
    QCOMPARE(l.qso.size(), size_t(1));
    QCOMPARE(l.qso[0].dmf.octets(), numero);
}

void Tst_Activations::champs_lus_data()
{
    QTest::addColumn<QByteArray>("champs");
    QTest::addColumn<QString>("qso");
    const QByteArray base = F("CALL", "F5ABC") + F("QSO_DATE", "20260315");
    QTest::newRow("tous, noms en minuscules")
        << F("call", " f5abc ") + F("qso_date", "20260315") + F("time_on", "081230") + F("freq", "7.088") + F("band", "40M")
               + F("mode", "ssb") + F("operator", " f4def ") + F("station_callsign", "f8kob/p") + F("my_sig", "DMF")
               + F("my_sig_info", "21001")
        << "F5ABC|2026-03-15|08:12:30|7088000|40m|SSB|F4DEF|F8KOB/P|21001";
    QTest::newRow("heure HHMM") << base + F("TIME_ON", "0812") << "F5ABC|2026-03-15|08:12:00|0|||||";
    QTest::newRow("heure hors du jour") << base + F("TIME_ON", "2460") << "F5ABC|2026-03-15|-|0|||||";
    QTest::newRow("heure de trois chiffres") << base + F("TIME_ON", "812") << "F5ABC|2026-03-15|-|0|||||";
    QTest::newRow("date hors calendrier") << F("CALL", "F5ABC") + F("QSO_DATE", "20260230") << "F5ABC|0|-|0|||||";
    QTest::newRow("sans date") << F("CALL", "F5ABC") << "F5ABC|0|-|0|||||";
    QTest::newRow("indicatif trop long coupé") << F("CALL", "F5ABCDEFGHIJKLM") << "F5ABCDEFGHIJK|0|-|0|||||";
    QTest::newRow("fréquence 14.2705") << base + F("FREQ", "14.2705") << "F5ABC|2026-03-15|-|14270500|||||";
    QTest::newRow("fréquence 145.5") << base + F("FREQ", "145.5") << "F5ABC|2026-03-15|-|145500000|||||";
    QTest::newRow("fréquence 10368.1") << base + F("FREQ", "10368.1") << "F5ABC|2026-03-15|-|10368100000|||||";
    QTest::newRow("fréquence arrondie") << base + F("FREQ", "3.5000005") << "F5ABC|2026-03-15|-|3500001|||||";
    QTest::newRow("fréquence entière") << base + F("FREQ", "7") << "F5ABC|2026-03-15|-|7000000|||||";
    QTest::newRow("fréquence illisible") << base + F("FREQ", "7.0x") << "F5ABC|2026-03-15|-|0|||||";
    QTest::newRow("fréquence point seul") << base + F("FREQ", ".") << "F5ABC|2026-03-15|-|0|||||";
    QTest::newRow("bande sans fréquence, fréquence sans bande")
        << base + F("BAND", "2M") << "F5ABC|2026-03-15|-|0|2m||||";
}

void Tst_Activations::champs_lus()
{
    QFETCH(QByteArray, champs);
    QFETCH(QString, qso);
    const Lecture l = Lit("<EOH>\r\n" + Enr(champs));
    QCOMPARE(Decrit(l), QStringList{qso});
}

void Tst_Activations::enregistrements_sans_indicatif_ou_illisibles()
{
    const Lecture l = Lit("<EOH>\r\n" + Enr(F("QSO_DATE", "20260315") + F("MY_SIG_INFO", "DMF 21001")) + Enr(F("CALL", "  "))
                          + Qso("F5ABC", "20260315", "0812", "21001") + "<CALL:9999>F1");
    QCOMPARE(Decrit(l), QStringList{"F5ABC|2026-03-15|08:12:00|0|||||21001"});
    QCOMPARE(l.illisibles, 1);
    QCOMPARE(l.doubles, 0);
    QCOMPARE(l.textes.size(), size_t(1));
}

void Tst_Activations::un_moulin_sur_deux_jours()
{
    const Lecture l = Lit(Qso("F5AAA", "20260315", "2358", "21001") + Qso("F5BBB", "20260316", "0001", "21001")
                          + Qso("F5CCC", "20260315", "2359", "21001") + Qso("F5DDD", "20260316", "0002", "21001"));
    const auto a = Regroupe(l);
    QCOMPARE(Groupes(a), QStringLiteral("21001@2026-03-15:2;21001@2026-03-16:2"));
    QCOMPARE(Indicatifs(l, a[0]), (QStringList{"F5AAA", "F5CCC"}));
    QCOMPARE(Indicatifs(l, a[1]), (QStringList{"F5BBB", "F5DDD"}));
    QVERIFY(!a[0].sans_moulin());
}

void Tst_Activations::deux_moulins_dans_un_fichier()
{
    const Lecture l = Lit(Qso("F5AAA", "20260315", "1000", "29015") + Qso("F5BBB", "20260315", "0900", "21001")
                          + Qso("F5CCC", "20260315", "1100", "29015") + Qso("F5DDD", "20260314", "1200", "2A001"));
    const auto a = Regroupe(l);
    QCOMPARE(Groupes(a), QStringLiteral("21001@2026-03-15:1;29015@2026-03-15:2;2A001@2026-03-14:1"));
}

void Tst_Activations::qso_sans_moulin_data()
{
    QTest::addColumn<QByteArray>("moulin_du_fichier"); // empty: none named
    QTest::addColumn<QString>("groupes");
    QTest::newRow("aucun nommé: un dernier groupe") << QByteArray() << "21001@2026-03-15:2;@:3";
    QTest::newRow("le moulin des autres QSO") << QByteArray("21001") << "21001@2026-03-15:4;21001@2026-03-16:1";
    QTest::newRow("un autre moulin") << QByteArray("29015") << "21001@2026-03-15:2;29015@2026-03-15:2;29015@2026-03-16:1";
    QTest::newRow("écrit comme une référence") << QByteArray("dmf-2a001") << "21001@2026-03-15:2;2A001@2026-03-15:2;2A001@2026-03-16:1";
}

void Tst_Activations::qso_sans_moulin()
{
    QFETCH(QByteArray, moulin_du_fichier);
    QFETCH(QString, groupes);
    const Lecture l = Lit(Qso("F5AAA", "20260315", "0900", "21001") + Qso("F5BBB", "20260316", "0800", "")
                          + Qso("F5CCC", "20260315", "1000", "") + Qso("F5DDD", "20260315", "0930", "21001")
                          + Qso("F5EEE", "20260315", "0700", ""));
    const auto a = Regroupe(l, moulin_du_fichier.isEmpty() ? std::nullopt : std::optional<QByteArray>(moulin_du_fichier));
    QCOMPARE(Groupes(a), groupes);
    if (moulin_du_fichier.isEmpty()) {
        QVERIFY(a.back().sans_moulin());
        QVERIFY(!a.back().jour.isValid());
        // In the file's order: a general log is mostly such QSOs.
        QCOMPARE(Indicatifs(l, a.back()), (QStringList{"F5BBB", "F5CCC", "F5EEE"}));
    } else {
        QCOMPARE(Indicatifs(l, a.back()), QStringList{"F5BBB"});
    }
}

void Tst_Activations::doubles_comptes_une_fois_data()
{
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<int>("qso");
    QTest::addColumn<int>("doubles");
    const QByteArray bande_mode = F("BAND", "40m") + F("MODE", "SSB");
    QTest::newRow("le même") << Qso("F5ABC", "20260315", "0812", "21001", bande_mode) << 1 << 1;
    QTest::newRow("la même minute") << Qso("F5ABC", "20260315", "081259", "21001", bande_mode) << 1 << 1;
    QTest::newRow("indicatif en minuscules, bande en capitales")
        << Qso("f5abc", "20260315", "0812", "21001", F("BAND", "40M") + F("MODE", "ssb")) << 1 << 1;
    QTest::newRow("une autre minute") << Qso("F5ABC", "20260315", "0813", "21001", bande_mode) << 2 << 0;
    QTest::newRow("un autre jour") << Qso("F5ABC", "20260316", "0812", "21001", bande_mode) << 2 << 0;
    QTest::newRow("une autre bande") << Qso("F5ABC", "20260315", "0812", "21001", F("BAND", "20m") + F("MODE", "SSB")) << 2 << 0;
    QTest::newRow("un autre mode") << Qso("F5ABC", "20260315", "0812", "21001", F("BAND", "40m") + F("MODE", "CW")) << 2 << 0;
    QTest::newRow("un autre moulin") << Qso("F5ABC", "20260315", "0812", "21002", bande_mode) << 2 << 0;
    QTest::newRow("un autre indicatif") << Qso("F5ABD", "20260315", "0812", "21001", bande_mode) << 2 << 0;
}

void Tst_Activations::doubles_comptes_une_fois()
{
    QFETCH(QByteArray, second);
    QFETCH(int, qso);
    QFETCH(int, doubles);
    const Lecture l = Lit(Qso("F5ABC", "20260315", "081200", "21001", F("BAND", "40m") + F("MODE", "SSB")) + second);
    QCOMPARE(int(l.qso.size()), qso);
    QCOMPARE(l.doubles, doubles);
    // The first one is kept, as it was.
    QCOMPARE(Decrit(l, l.qso[0]), QStringLiteral("F5ABC|2026-03-15|08:12:00|0|40m|SSB|||21001"));
}

void Tst_Activations::minimum_de_qso_data()
{
    QTest::addColumn<int>("qso");
    QTest::addColumn<QString>("texte");
    QTest::newRow("38") << 38 << "manque 12";
    QTest::newRow("49") << 49 << "manque 1";
    QTest::newRow("50") << 50 << "atteint";
    QTest::newRow("51") << 51 << "atteint";
}

void Tst_Activations::minimum_de_qso()
{
    QFETCH(int, qso);
    QFETCH(QString, texte);
    const Lecture l = Lit(Qso_Numerotes(qso));
    const auto a = Regroupe(l);
    QCOMPARE(a.size(), size_t(1));
    QCOMPARE(a[0].nombre(), qso);
    QCOMPARE(a[0].indicatifs, qso);
    QCOMPARE(Texte_Minimum(a[0].nombre()), texte);
}

void Tst_Activations::heures_et_indicatifs_distincts()
{
    const Lecture l = Lit(Qso("F5AAA", "20260315", "1540", "21003", F("BAND", "40m")) + Qso("F5BBB", "20260315", "", "21003")
                          + Qso("F5CCC", "20260315", "0812", "21003") + Qso("F5AAA", "20260315", "1000", "21003", F("BAND", "20m"))
                          + Qso("F5DDD", "20260315", "", "21003") + Qso("F5EEE", "20260315", "1000", "21003"));
    const auto a = Regroupe(l);
    QCOMPARE(a.size(), size_t(1));
    // By time, the file's order among equals, those without a time last.
    QCOMPARE(Indicatifs(l, a[0]), (QStringList{"F5CCC", "F5AAA", "F5EEE", "F5AAA", "F5BBB", "F5DDD"}));
    QCOMPARE(Heure(a[0].de), QStringLiteral("08:12"));
    QCOMPARE(Heure(a[0].a), QStringLiteral("15:40"));
    QCOMPARE(a[0].indicatifs, 5);

    const auto sans_heure = Regroupe(Lit(Qso("F5BBB", "20260315", "", "21003")));
    QCOMPARE(sans_heure[0].de, -1);
    QCOMPARE(sans_heure[0].a, -1);
}

void Tst_Activations::comptes_par_bande_et_mode()
{
    const Lecture l = Lit(Qso("F5AAA", "20260315", "0900", "21003", F("BAND", "20m") + F("MODE", "CW"))
                          + Qso("F5BBB", "20260315", "0800", "21003", F("BAND", "40m") + F("MODE", "SSB"))
                          + Qso("F5CCC", "20260315", "1000", "21003", F("BAND", "40M") + F("MODE", "cw"))
                          + Qso("F5DDD", "20260315", "1100", "21003", F("MODE", "FT8"))
                          + Qso("F5EEE", "20260315", "1200", "21003", F("BAND", "40m") + F("MODE", "SSB")));
    const auto a = Regroupe(l);
    QCOMPARE(a.size(), size_t(1));
    // In the order of the first QSO of each, by time; none counted without one.
    QCOMPARE(Comptes(a[0].bandes), QStringLiteral("40m=3 20m=1"));
    QCOMPARE(Comptes(a[0].modes), QStringLiteral("SSB=2 CW=2 FT8=1"));
}

void Tst_Activations::operateurs_et_stations()
{
    const Lecture l = Lit(Qso("F5AAA", "20260315", "0900", "21003", F("OPERATOR", "F4DEF") + F("STATION_CALLSIGN", "F8KOB/P"))
                          + Qso("F5BBB", "20260315", "0800", "21003", F("STATION_CALLSIGN", "f8kob"))
                          + Qso("F5CCC", "20260315", "1000", "21003", F("OPERATOR", "F8KOB") + F("STATION_CALLSIGN", "F8KOB/P"))
                          + Qso("F5DDD", "20260315", "1100", "21003", F("OPERATOR", "f4def")));
    const auto a = Regroupe(l);
    QCOMPARE(a.size(), size_t(1));
    QCOMPARE(Textes(a[0].operateurs), QStringLiteral("F4DEF F8KOB F8KOB/P"));
    QCOMPARE(Textes(a[0].stations), QStringLiteral("F8KOB F8KOB/P"));
}

void Tst_Activations::lu_du_fichier_comme_en_memoire()
{
    QByteArray octets = "Log de la journée\r\n" + F("ADIF_VER", "3.1.4") + "<EOH>\r\n";
    for (int i = 0; i < 4000; ++i) {
        const QByteArray qso = Qso("F5A" + QByteArray::number(i % 1500), i % 3 ? "20260315" : "20260316",
                                   QTime(0, 0).addSecs(i % 1440 * 60).toString(QStringLiteral("HHmm")).toLatin1(), i % 7 ? "21003" : "",
                                   F("BAND", i % 2 ? "40m" : "20m") + F("MODE", "SSB") + F("FREQ", i % 2 ? "7.088" : "14.2705")
                                       + F("COMMENT", "un commentaire assez long pour que le fichier passe les 256 Ko"));
        octets += i % 10 ? qso : qso + qso;
    }
    Dossier_Test d;
    const QString chemin = d.ecrit(QStringLiteral("activation.adi"), octets);
    const Lecture memoire = Lit(octets);
    QList<qint64> faits;
    qint64 total = 0;
    auto l = Lit_Fichier_Activations(chemin, [&](qint64 fait, qint64 tout) {
        faits << fait;
        total = tout;
        return true;
    });
    QVERIFY2(l.ok(), qPrintable(l.erreur()));
    QCOMPARE(Decrit(l.valeur()), Decrit(memoire));
    QCOMPARE(l.valeur().doubles, memoire.doubles);
    QCOMPARE(memoire.doubles, 400);
    QCOMPARE(l.valeur().textes, memoire.textes);
    QCOMPARE(Groupes(Regroupe(l.valeur())), Groupes(Regroupe(memoire)));
    // Told as it goes, to the end.
    QVERIFY(octets.size() > 2 * (256 << 10));
    QVERIFY(faits.size() >= 3);
    QVERIFY(std::is_sorted(faits.begin(), faits.end()));
    QCOMPARE(faits.last(), qint64(octets.size()));
    QCOMPARE(total, qint64(octets.size()));
}

void Tst_Activations::arret_par_l_avancement_data()
{
    QTest::addColumn<int>("arret"); // the call answered false, from 1
    QTest::newRow("au début") << 1;
    QTest::newRow("en cours") << 2;
}

void Tst_Activations::arret_par_l_avancement()
{
    QFETCH(int, arret);
    QByteArray octets = "<EOH>\r\n";
    for (int i = 0; i < 4000; ++i)
        octets += Qso("F5A" + QByteArray::number(i), "20260315", "0812", "21003",
                      F("COMMENT", "un commentaire assez long pour que le fichier passe les 256 Ko"));
    Dossier_Test d;
    const QString chemin = d.ecrit(QStringLiteral("activation.adi"), octets);
    int appels = 0;
    auto l = Lit_Fichier_Activations(chemin, [&](qint64, qint64) { return ++appels < arret; });
    QVERIFY(!l.ok());
    QCOMPARE(l.erreur(), QString());
    QCOMPARE(appels, arret);
}

void Tst_Activations::fichier_absent()
{
    Dossier_Test d;
    auto l = Lit_Fichier_Activations(d.fichier(QStringLiteral("absent.adi")));
    QVERIFY(!l.ok());
    QVERIFY(!l.erreur().isEmpty());
}

// A station's general log opened as an activation's: a million QSOs without
// the station's mill, read a piece at a time and kept in a few dozen bytes
// each, within the margin the import is allowed.
void Tst_Activations::carnet_general_d_un_million_de_qso()
{
    if (!Memoire_Residente::Remet_Pic())
        QSKIP("the peak of resident memory cannot be read here");
    Dossier_Test d;
    QFile f(d.fichier(QStringLiteral("general.adi")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    constexpr int Nombre = 1000000;
    QByteArray bloc;
    for (int i = 0; i < Nombre; ++i) {
        bloc += "<CALL:6>F" + QByteArray::number(1000000 + i, 36).toUpper().right(5) + "<QSO_DATE:8>2026"
              + QByteArray::number(101 + i % 12 * 100 + i % 28).rightJustified(4, '0') + "<TIME_ON:4>1200<BAND:3>40m<MODE:3>SSB<EOR>\r\n";
        if (bloc.size() > (4 << 20) || i + 1 == Nombre) {
            QVERIFY(f.write(bloc) == bloc.size());
            bloc.clear();
        }
    }
    f.close();
    const qint64 avant = Memoire_Residente::Actuelle();
    QVERIFY(Memoire_Residente::Remet_Pic());
    {
        const auto l = Lit_Fichier_Activations(f.fileName());
        QVERIFY(l.ok());
        const auto a = Regroupe(l.valeur());
        QCOMPARE(l.valeur().doubles, qsizetype(0));
        QCOMPARE(a.size(), size_t(1));
        QVERIFY(a[0].sans_moulin());
        QCOMPARE(a[0].nombre(), Nombre);
        QCOMPARE(a[0].indicatifs, Nombre);
    }
    const qint64 pic = Memoire_Residente::Pic() - avant;
    QVERIFY2(pic <= qint64(Nombre) * 64 + (qint64(32) << 20), qPrintable(QStringLiteral("%1 MB at the peak").arg(pic >> 20)));
}

void Tst_Activations::heure_data()
{
    QTest::addColumn<int>("seconde");
    QTest::addColumn<QString>("texte");
    QTest::newRow("minuit") << 0 << "00:00";
    QTest::newRow("matin") << 8 * 3600 + 12 * 60 + 59 << "08:12";
    QTest::newRow("soir") << 23 * 3600 + 59 * 60 << "23:59";
    QTest::newRow("aucune") << -1 << "";
}

void Tst_Activations::heure()
{
    QFETCH(int, seconde);
    QFETCH(QString, texte);
    QCOMPARE(Heure(seconde), texte);
}

void Tst_Activations::frequence_khz_data()
{
    QTest::addColumn<qint64>("hertz");
    QTest::addColumn<QString>("texte");
    QTest::newRow("40 m") << qint64(7088000) << "7 088,000";
    QTest::newRow("20 m") << qint64(14270500) << "14 270,500";
    QTest::newRow("2 m") << qint64(145500000) << "145 500,000";
    QTest::newRow("3 cm") << qint64(10368100000) << "10 368 100,000";
    QTest::newRow("au hertz") << qint64(3500001) << "3 500,001";
    QTest::newRow("grandes ondes") << qint64(137500) << "137,500";
    QTest::newRow("aucune") << qint64(0) << "";
}

void Tst_Activations::frequence_khz()
{
    QFETCH(qint64, hertz);
    QFETCH(QString, texte);
    QCOMPARE(Frequence_kHz(hertz), texte);
}

void Tst_Activations::nom_feuille_data()
{
    QTest::addColumn<QByteArray>("dmf");
    QTest::addColumn<QDate>("jour");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("nom");
    QTest::newRow("PDF") << QByteArray("21001") << QDate(2026, 3, 15) << "pdf" << "Activite_21001_20260315.pdf";
    QTest::newRow("texte, Corse") << QByteArray("2A001") << QDate(2026, 12, 1) << "txt" << "Activite_2A001_20261201.txt";
}

void Tst_Activations::nom_feuille()
{
    QFETCH(QByteArray, dmf);
    QFETCH(QDate, jour);
    QFETCH(QString, extension);
    QFETCH(QString, nom);
    QCOMPARE(Nom_Feuille(dmf, jour, extension), nom);
}

void Tst_Activations::refus_operateur_data()
{
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<QString>("refus"); // empty: accepted
    QTest::newRow("simple") << "F8KOB" << "";
    QTest::newRow("portable") << "F8KOB/P" << "";
    QTest::newRow("douze caractères") << "TM8KOB/P/QRP" << "";
    QTest::newRow("vide") << "" << "Entrez un indicatif";
    QTest::newRow("treize caractères") << "TM8KOB/P/QRPP" << "12 caracteres maxi pour l'indicatif";
    QTest::newRow("blanc dedans") << "F8 KOB" << "Pas d'espace dans l'indicatif";
    QTest::newRow("blanc au bout") << "F8KOB " << "Pas d'espace dans l'indicatif";
}

void Tst_Activations::refus_operateur()
{
    QFETCH(QString, indicatif);
    QFETCH(QString, refus);
    QCOMPARE(Refus_Operateur(indicatif), refus);
}

void Tst_Activations::operateurs_gardes_et_relus()
{
    const QDate jour(2026, 3, 15);
    QCOMPARE(Lit_Operateurs("21001", jour), std::nullopt);
    QVERIFY(Sauve_Operateurs("21001", jour, {"F8KOB", "F4DEF"}).ok());
    QCOMPARE(Lit_Operateurs("21001", jour), (std::optional<QStringList>(QStringList{"F8KOB", "F4DEF"})));
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Activites/21001_20260315/Operateurs")).toString(), QStringLiteral("F8KOB F4DEF"));
    // Another day, another mill: nothing kept.
    QCOMPARE(Lit_Operateurs("21001", jour.addDays(1)), std::nullopt);
    QCOMPARE(Lit_Operateurs("21002", jour), std::nullopt);
    // Kept empty is not absent.
    QVERIFY(Sauve_Operateurs("2A001", jour, {}).ok());
    QCOMPARE(Lit_Operateurs("2A001", jour), std::optional<QStringList>(QStringList()));
    // A callsign that could not be read back is refused; what was kept stays.
    const auto refus = Sauve_Operateurs("21001", jour, {"F8KOB", "F4 DEF"});
    QVERIFY(!refus.ok());
    QVERIFY2(refus.erreur().contains(QStringLiteral("F4 DEF")), qPrintable(refus.erreur()));
    QCOMPARE(Lit_Operateurs("21001", jour), (std::optional<QStringList>(QStringList{"F8KOB", "F4DEF"})));
}

void Tst_Activations::feuille_faite_marquee()
{
    const QDate jour(2026, 3, 15);
    QVERIFY(!Feuille_Faite("21001", jour));
    QVERIFY(Marque_Feuille_Faite("21001", jour).ok());
    QVERIFY(Feuille_Faite("21001", jour));
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Activites/21001_20260315/Feuille")).toString(),
             QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    QVERIFY(!Feuille_Faite("21001", jour.addDays(1)));
    QVERIFY(!Feuille_Faite("21002", jour));
}

void Tst_Activations::lignes_de_la_feuille()
{
    const auto liste = Moulins::Lit_Liste("N°;Nom;Commune\r\n21003;Moulin Neuf;Beaune\r\n21004;Moulin Vieux;Dijon\r\n");
    QByteArray octets = "<EOH>\r\n";
    // 38 QSOs, written from the last one on, F5A0 twice on two bands.
    for (int i = 36; i >= 0; --i)
        octets += Qso("F5A" + QByteArray::number(i), "20260315", QTime(8, 12).addSecs(i * 60).toString(QStringLiteral("HHmm")).toLatin1(),
                      "21003", F("BAND", "40m") + F("MODE", "SSB") + F("FREQ", "7.088") + F("OPERATOR", "F8KOB"));
    octets += Qso("F5A0", "20260315", "1540", "21003", F("BAND", "20m") + F("MODE", "CW") + F("FREQ", "14.0505"));
    const Lecture l = Lit(octets);
    const auto a = Regroupe(l);
    QCOMPARE(a.size(), size_t(1));
    const QStringList lignes = Lignes_Feuille(l, a[0], &liste.liste, QStringLiteral("F8KOB/P"), {"F8KOB", "F4DEF"}, QDate(2026, 3, 16));
    const QString revision = QString::fromLatin1(Sous_Programmes::Revision_Programme).trimmed();
    const QStringList entete{"Feuille d'activité du challenge Dezudidar ERI",
                             "Moulin : 21003 Moulin Neuf, Beaune",
                             "Département : 21",
                             "Date : 15/03/2026, de 08:12 à 15:40 UTC",
                             "Station : F8KOB/P",
                             "Opérateurs présents : F8KOB, F4DEF",
                             "QSO : 38, avec 37 indicatifs différents",
                             "Minimum de 50 QSO : non atteint, manque 12",
                             "Fait le 16/03/2026 par KOB_Dezudidar_ERI Revision " + revision,
                             ""};
    QCOMPARE(lignes.mid(0, entete.size()), entete);
    QVERIFY(lignes.contains(QStringLiteral("QSO par bande")));
    QVERIFY(lignes.contains(QStringLiteral("QSO par mode")));
    const qsizetype titre = lignes.indexOf(QStringLiteral("Liste des QSO"));
    QVERIFY(titre > 0);
    QCOMPARE(lignes.size(), titre + 2 + 38);
    // Numbered in time order.
    QCOMPARE(lignes[titre + 2], QStringLiteral("    1  15/03/2026  08:12  F5A0           40m     SSB             7 088,000"));
    QCOMPARE(lignes[titre + 3], QStringLiteral("    2  15/03/2026  08:13  F5A1           40m     SSB             7 088,000"));
    QCOMPARE(lignes.last(), QStringLiteral("   38  15/03/2026  15:40  F5A0           20m     CW             14 050,500"));
    // The counts, and the columns of the heading over those of the rows.
    const qsizetype bandes = lignes.indexOf(QStringLiteral("QSO par bande"));
    QCOMPARE(lignes.mid(bandes + 1, 2), (QStringList{"  40m               37", "  20m                1"}));
    const QString tete = lignes[titre + 1];
    QCOMPARE(tete.indexOf(QStringLiteral("Indicatif")), lignes[titre + 2].indexOf(QStringLiteral("F5A0")));
    QCOMPARE(tete.indexOf(QStringLiteral("Mode")), lignes[titre + 2].indexOf(QStringLiteral("SSB")));
    QCOMPARE(tete.size(), lignes[titre + 2].size());
    Aucune_Ligne_Trop_Large(lignes);

    const Lecture cinquante_et_un = Lit(Qso_Numerotes(51));
    QVERIFY(Lignes_Feuille(cinquante_et_un, Regroupe(cinquante_et_un)[0], nullptr, {}, {}, QDate(2026, 3, 16))
                .contains(QStringLiteral("Minimum de 50 QSO : atteint")));
}

void Tst_Activations::feuille_sans_liste_ni_moulin()
{
    const Lecture l = Lit(Qso("F5AAA", "20260315", "0812", "21003") + Qso("F5BBB", "20260315", "0900", "")
                          + Qso("F5CCC", "20260316", "1000", ""));
    const auto a = Regroupe(l);
    QCOMPARE(a.size(), size_t(2));
    QStringList operateurs;
    for (int i = 0; i < 20; ++i)
        operateurs << QStringLiteral("F4AB%1/P").arg(i);
    const QStringList lignes = Lignes_Feuille(l, a[0], nullptr, QString(), operateurs, QDate(2026, 3, 16));
    QCOMPARE(lignes[1], QStringLiteral("Moulin : 21003"));
    QCOMPARE(lignes[4], QStringLiteral("Station : non indiquée"));
    // A long list goes on below, indented, nothing lost.
    QVERIFY(lignes[5].startsWith(QStringLiteral("Opérateurs présents : F4AB0/P, ")));
    QVERIFY(lignes[6].startsWith(QStringLiteral("    F4AB")));
    QString suite = lignes[5];
    for (qsizetype i = 6; lignes[i].startsWith(QStringLiteral("  ")); ++i)
        suite += u' ' + lignes[i].trimmed();
    QCOMPARE(suite, QStringLiteral("Opérateurs présents : ") + operateurs.join(QStringLiteral(", ")));
    Aucune_Ligne_Trop_Large(lignes);

    const QStringList sans = Lignes_Feuille(l, a[1], nullptr, QStringLiteral("F8KOB"), {}, QDate(2026, 3, 16));
    QCOMPARE(sans[1], QStringLiteral("Moulin : non indiqué"));
    QVERIFY(sans.contains(QStringLiteral("Date : du 15/03/2026 au 16/03/2026")));
    QVERIFY(sans.contains(QStringLiteral("Opérateurs présents : aucun")));
    QVERIFY(sans.contains(QStringLiteral("QSO : 2, avec 2 indicatifs différents")));
}

void Tst_Activations::feuille_de_nombreux_qso()
{
    QByteArray octets = "<EOH>\r\n";
    for (int i = 0; i < 5000; ++i)
        octets += Qso("F5A" + QByteArray::number(i), "20260315", QTime(0, 0).addSecs(i % 1440 * 60).toString(QStringLiteral("HHmm")).toLatin1(),
                      "21003", F("BAND", "40m") + F("MODE", "SSB") + F("FREQ", "7.088"));
    const Lecture l = Lit(octets);
    const auto a = Regroupe(l);
    const QStringList lignes = Lignes_Feuille(l, a[0], nullptr, QStringLiteral("F8KOB/P"), {"F8KOB"}, QDate(2026, 3, 16));
    QVERIFY(lignes.last().startsWith(QStringLiteral(" 5000  15/03/2026")));
    Aucune_Ligne_Trop_Large(lignes);
}

QTEST_GUILESS_MAIN(Tst_Activations)
#include "tst_activations.moc"
