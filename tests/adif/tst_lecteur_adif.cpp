#include "Lecteur_ADIF.h"
#include "Lecture_Test.h"
#include "Outils_Test.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <memory>

using namespace ADIF;

namespace {

// Each record as "NAME=value|NAME=value", names as written.
QList<QByteArray> Decrit(const Lecture &lecture)
{
    QList<QByteArray> enregistrements;
    for (qsizetype i = 0; i < lecture.nombre(); ++i) {
        QByteArray texte;
        for (const Champ &c : lecture.enregistrement(i).champs) {
            if (!texte.isEmpty())
                texte += '|';
            texte += c.nom.toByteArray() + '=' + c.valeur.toByteArray();
        }
        enregistrements << texte;
    }
    return enregistrements;
}

bool Dedans(QByteArrayView vue, QByteArrayView tout)
{
    const auto debut = quintptr(tout.data());
    const auto d = quintptr(vue.data());
    return vue.size() >= 0 && d >= debut && d + quintptr(vue.size()) <= debut + quintptr(tout.size());
}

// Whatever the bytes: records not empty, every view inside them.
QByteArray Defaut_De_Vues(const Lecture &lecture, QByteArrayView octets)
{
    if (lecture.illisibles < 0)
        return "negative count";
    for (qsizetype i = 0; i < lecture.nombre(); ++i) {
        const Enregistrement e = lecture.enregistrement(i);
        if (e.champs.empty())
            return "empty record " + QByteArray::number(i);
        for (const Champ &c : e.champs)
            if (c.nom.isEmpty() || !Dedans(c.nom, octets) || !Dedans(c.valeur, octets))
                return "view outside the input in record " + QByteArray::number(i);
    }
    return {};
}

// The bytes in a block of their exact size, so that the sanitizer sees any
// read past them.
struct Bloc {
    explicit Bloc(QByteArrayView octets) : donnees(new char[size_t(octets.size())]), taille(octets.size())
    {
        if (taille > 0)
            std::memcpy(donnees.get(), octets.data(), size_t(taille));
    }
    QByteArrayView vue() const { return QByteArrayView(donnees.get(), taille); }
    std::unique_ptr<char[]> donnees;
    qsizetype taille;
};

// The bytes read from a file a piece of `morceau` bytes at a time: where that
// reading differs from the one in memory, said; empty when alike.
QByteArray Ecart_Par_Morceaux(QByteArrayView octets, std::initializer_list<qsizetype> morceaux = {1, 5, 64})
{
    const Lecture memoire = Lit_ADIF(octets);
    QTemporaryDir dossier;
    QFile f(QDir(dossier.path()).filePath(QStringLiteral("lu.adi")));
    if (!f.open(QIODevice::WriteOnly) || f.write(octets.data(), octets.size()) != octets.size())
        return "cannot write the file";
    f.close();
    for (const qsizetype morceau : morceaux) {
        auto ouvert = Sous_Programmes::Fichier_Ouvert::Ouvre(f.fileName());
        if (!ouvert)
            return "cannot open the file";
        ADIF::Lecteur lecteur(std::move(ouvert).valeur(), morceau);
        QList<QByteArray> lus;
        Enregistrement e;
        while (lecteur.suivant(e)) {
            QByteArray texte;
            for (const Champ &c : e.champs)
                texte += (texte.isEmpty() ? "" : "|") + c.nom.toByteArray() + '=' + c.valeur.toByteArray();
            lus << texte;
        }
        const QByteArray ou = " by pieces of " + QByteArray::number(morceau);
        if (lus != Decrit(memoire))
            return "other records" + ou;
        if (lecteur.illisibles() != memoire.illisibles)
            return "other count of unreadable records" + ou;
        if (lecteur.position() != octets.size() || !lecteur.erreur().isEmpty())
            return "not read to the end" + ou;
    }
    return {};
}

QByteArray Champ_ADIF(QByteArrayView nom, QByteArrayView valeur)
{
    return '<' + nom.toByteArray() + ':' + QByteArray::number(valeur.size()) + '>' + valeur.toByteArray();
}

} // namespace

class Tst_Lecteur_ADIF : public QObject {
    Q_OBJECT

private slots:
    void fichiers_bien_formes_data();
    void fichiers_bien_formes();
    void utf8_data();
    void utf8();
    void fichiers_malformes_data();
    void fichiers_malformes();
    void octets_au_hasard();
};

void Tst_Lecteur_ADIF::fichiers_bien_formes_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QList<QByteArray>>("attendu");

    QTest::newRow("en-tête commenté, CR LF")
        << QByteArray("Exporté par un logiciel de trafic\r\n"
                      "# commentaire <sans deux-points>\r\n"
                      "<ADIF_VER:5>3.1.4\r\n<PROGRAMID:7>Station\r\n<EOH>\r\n"
                      "<CALL:5>F1ABC <QSO_DATE:8>20240115 <TIME_ON:4>1432 <BAND:3>40M <MODE:3>SSB <EOR>\r\n"
                      "<CALL:4>F5XY <QSO_DATE:8>20240116 <TIME_ON:6>080512 <BAND:3>20M <MODE:2>CW <EOR>\r\n")
        << QList<QByteArray>{"CALL=F1ABC|QSO_DATE=20240115|TIME_ON=1432|BAND=40M|MODE=SSB",
                             "CALL=F5XY|QSO_DATE=20240116|TIME_ON=080512|BAND=20M|MODE=CW"};
    QTest::newRow("en-tête citant des balises")
        << QByteArray("Un QSO s'écrit <CALL:4>F1AB <EOR>\r\n<EOH>\r\n<CALL:4>F5XY<EOR>") << QList<QByteArray>{"CALL=F5XY"};
    QTest::newRow("un champ par ligne, LF")
        << QByteArray("Journal\n<EOH>\n<CALL:6>F4ABCD\n<BAND:3>80M\n<EOR>\n\n<CALL:4>F6ZZ\n<BAND:2>2M\n<EOR>\n")
        << QList<QByteArray>{"CALL=F4ABCD|BAND=80M", "CALL=F6ZZ|BAND=2M"};
    QTest::newRow("marque d'ordre UTF-8 puis en-tête")
        << QByteArray("\xEF\xBB\xBFLog\r\n<EOH>\r\n<CALL:4>F1AB<EOR>\r\n") << QList<QByteArray>{"CALL=F1AB"};
    QTest::newRow("marque d'ordre UTF-8 sans en-tête")
        << QByteArray("\xEF\xBB\xBF <CALL:4>F1AB<EOR>") << QList<QByteArray>{"CALL=F1AB"};
    QTest::newRow("<EOH> dans les données, sans en-tête")
        << QByteArray("<CALL:4>F1AB <COMMENT:5><EOH> <EOR>") << QList<QByteArray>{"CALL=F1AB|COMMENT=<EOH>"};
    QTest::newRow("<EOH> dans les données, marque d'ordre UTF-8")
        << QByteArray("\xEF\xBB\xBF<CALL:4>F1AB <COMMENT:5><EOH> <EOR>") << QList<QByteArray>{"CALL=F1AB|COMMENT=<EOH>"};
    QTest::newRow("balises en minuscules") << QByteArray("log <eoh> <call:4>F1AB <mode:2>CW <eor> <Call:4>F5XY <EoR>")
                                           << QList<QByteArray>{"call=F1AB|mode=CW", "Call=F5XY"};
    QTest::newRow("sans en-tête") << QByteArray("<CALL:4>F1AB<BAND:3>40M<EOR><CALL:4>F5XY<BAND:3>20M<EOR>")
                                  << QList<QByteArray>{"CALL=F1AB|BAND=40M", "CALL=F5XY|BAND=20M"};
    QTest::newRow("sans <EOH> ni chevron au début: tout est lu")
        << QByteArray("Quelques QSO\r\n<CALL:4>F1AB <EOR>\r\n") << QList<QByteArray>{"CALL=F1AB"};
    QTest::newRow("type dans la balise")
        << QByteArray("<EOH><CALL:4:S>F1AB <FREQ:5:N>7.074 <QSO_DATE:8:D>20240115 <NOTES:0:M> <EOR>")
        << QList<QByteArray>{"CALL=F1AB|FREQ=7.074|QSO_DATE=20240115|NOTES="};
    QTest::newRow("champs d'application")
        << QByteArray("<CALL:4>F1AB <APP_KOB_DMF:5>21001 <APP_LOGGER_TYPE:1:S>M <EOR>")
        << QList<QByteArray>{"CALL=F1AB|APP_KOB_DMF=21001|APP_LOGGER_TYPE=M"};
    QTest::newRow("dernier <EOR> absent") << QByteArray("<EOH>\r\n<CALL:4>F1AB<EOR>\r\n<CALL:4>F5XY <BAND:3>40M\r\n")
                                          << QList<QByteArray>{"CALL=F1AB", "CALL=F5XY|BAND=40M"};
    QTest::newRow("en-tête en champs commençant par <")
        << QByteArray("<ADIF_VER:5>3.1.4 <PROGRAMID:3>KOB <EOH>\r\n<CALL:4>F1AB <EOR>\r\n")
        << QList<QByteArray>{"CALL=F1AB"};
    QTest::newRow("données contenant < et >")
        << QByteArray("<COMMENT:17>DMF <21001> a:b<c <CALL:4>F1AB<EOR>") << QList<QByteArray>{"COMMENT=DMF <21001> a:b<c|CALL=F1AB"};
    QTest::newRow("enregistrements vides ignorés") << QByteArray("<EOR><CALL:4>F1AB<EOR><EOR>\r\n<eor>")
                                                   << QList<QByteArray>{"CALL=F1AB"};
    QTest::newRow("fichier vide") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("en-tête seul") << QByteArray("Rien encore\r\n<PROGRAMID:3>KOB\r\n<EOH>\r\n") << QList<QByteArray>{};

    QByteArray multiple = "Export\r\n<EOH>\r\n";
    QList<QByteArray> attendus;
    for (int i = 0; i < 50; ++i) {
        const QByteArray indicatif = "F" + QByteArray::number(i * 37);
        multiple += Champ_ADIF("CALL", indicatif) + ' ' + Champ_ADIF("COMMENT", "DMF " + QByteArray::number(21000 + i))
            + " <EOR>\r\n";
        attendus << "CALL=" + indicatif + "|COMMENT=DMF " + QByteArray::number(21000 + i);
    }
    QTest::newRow("cinquante enregistrements") << multiple << attendus;
}

void Tst_Lecteur_ADIF::fichiers_bien_formes()
{
    QFETCH(QByteArray, fichier);
    QFETCH(QList<QByteArray>, attendu);
    const Bloc bloc(fichier);
    const Lecture lecture = Lit_ADIF(bloc.vue());
    QCOMPARE(Decrit(lecture), attendu);
    QCOMPARE(lecture.illisibles, qsizetype(0));
    QCOMPARE(Defaut_De_Vues(lecture, bloc.vue()), QByteArray());
    QCOMPARE(Ecart_Par_Morceaux(fichier), QByteArray());

    // Looked up by name in any case, each field gives its own data.
    for (qsizetype i = 0; i < lecture.nombre(); ++i) {
        const Enregistrement e = lecture.enregistrement(i);
        for (const Champ &c : e.champs) {
            QVERIFY(e.contient(c.nom.toByteArray().toLower()));
            QCOMPARE(e.valeur(c.nom.toByteArray().toUpper()), c.valeur);
        }
        QVERIFY(!e.contient("GRIDSQUARE"));
        QVERIFY(e.valeur("GRIDSQUARE").isEmpty());
        QVERIFY(!e.contient("CAL"));
    }
}

void Tst_Lecteur_ADIF::utf8_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QByteArray>("nom");

    // "Hélène" is 6 characters, 8 bytes; "Müller" 6 characters, 7 bytes.
    QTest::newRow("longueur en octets") << QByteArray("<NAME:8>Hélène <EOR>") << QByteArray("Hélène");
    QTest::newRow("longueur en caractères") << QByteArray("<NAME:6>Hélène <EOR>") << QByteArray("Hélène");
    QTest::newRow("en caractères, collé au <EOR>") << QByteArray("<NAME:6>Hélène<EOR>") << QByteArray("Hélène");
    QTest::newRow("en caractères, CR LF") << QByteArray("<NAME:6>Müller\r\n<EOR>\r\n") << QByteArray("Müller");
    QTest::newRow("en caractères, fin des données") << QByteArray("<NAME:6>Müller") << QByteArray("Müller");
    QTest::newRow("en octets, fin des données") << QByteArray("<NAME:7>Müller") << QByteArray("Müller");
    QTest::newRow("quatre octets en un caractère") << QByteArray("<NAME:3>a\xF0\x9F\x93\xBB" "b <EOR>")
                                                   << QByteArray("a\xF0\x9F\x93\xBB" "b");
    // Both readings end before a tag: the bytes win.
    QTest::newRow("les deux lectures possibles") << QByteArray("<NAME:4>é<a <EOR>") << QByteArray("é<a");
    QTest::newRow("données suivies de texte, les octets restent")
        << QByteArray("<NAME:5>Hélène <EOR>") << QByteArray("H\xC3\xA9l\xC3");
}

void Tst_Lecteur_ADIF::utf8()
{
    QFETCH(QByteArray, fichier);
    QFETCH(QByteArray, nom);
    // The field is followed by another one, counted in bytes, which must be
    // read whole after it.
    for (const QByteArray &suite : {QByteArray(), QByteArray("<EOR>\r\n<CALL:4>F1AB<EOR>")}) {
        const QByteArray octets = fichier + suite;
        const Bloc bloc(octets);
        const Lecture lecture = Lit_ADIF(bloc.vue());
        QCOMPARE(lecture.illisibles, qsizetype(0));
        QCOMPARE(lecture.nombre(), qsizetype(suite.isEmpty() ? 1 : 2));
        QCOMPARE(lecture.enregistrement(0).valeur("name").toByteArray(), nom);
        if (!suite.isEmpty())
            QCOMPARE(Decrit(lecture).at(1), QByteArray("CALL=F1AB"));
        QCOMPARE(Defaut_De_Vues(lecture, bloc.vue()), QByteArray());
    }
}

void Tst_Lecteur_ADIF::fichiers_malformes_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QList<QByteArray>>("attendu");
    QTest::addColumn<int>("illisibles");

    const QByteArray avant = "<CALL:4>F1AB<EOR>\r\n";
    const QByteArray apres = "\r\n<CALL:4>F5XY<EOR>";
    const QList<QByteArray> deux{"CALL=F1AB", "CALL=F5XY"};
    QTest::newRow("longueur au-delà des données") << avant + "<CALL:999999999>F6AA<EOR>" + apres << deux << 1;
    QTest::newRow("longueur négative") << avant + "<CALL:-1>F6AA<EOR>" + apres << deux << 1;
    QTest::newRow("longueur vide") << avant + "<CALL:>F6AA<EOR>" + apres << deux << 1;
    QTest::newRow("longueur en lettres") << avant + "<CALL:abc>F6AA<EOR>" + apres << deux << 1;
    QTest::newRow("longueur avec un blanc") << avant + "<CALL: 4>F6AA<EOR>" + apres << deux << 1;
    QTest::newRow("longueur de 2^64 + 4") << avant + "<CALL:18446744073709551620>F6AA<EOR>" + apres << deux << 1;
    QTest::newRow("longueur de cent chiffres") << avant + "<CALL:" + QByteArray(100, '9') + ">F6AA<EOR>" + apres << deux << 1;
    QTest::newRow("nom vide") << avant + "<:4>F6AA<EOR>" + apres << deux << 1;
    QTest::newRow("champ abîmé au milieu d'un enregistrement")
        << avant + "<CALL:4>F6AA <BAND:x>40M <MODE:2>CW <EOR>" + apres << deux << 1;
    QTest::newRow("champ abîmé sans > avant la balise suivante")
        << avant + "<CALL:4>F6AA <BAND:4x<EOR>" + apres << deux << 1;
    QTest::newRow("type sans >") << avant + "<CALL:4:S<EOR>" + apres << deux << 1;
    QTest::newRow("données coupées par la fin") << avant + "<CALL:4>F5XY<EOR><CALL:10>F6" << deux << 1;
    QTest::newRow("balise coupée par la fin, avec deux-points") << avant + "<CALL:4>F5XY<EOR><CALL:4" << deux << 1;
    QTest::newRow("balise coupée par la fin, sans deux-points") << avant + "<CALL:4>F5XY<EOR><CALL" << deux << 0;
    QTest::newRow("<EOR final coupé") << avant + "<CALL:4>F5XY<EOR" << deux << 0;
    QTest::newRow("balises sans deux-points et < isolé")
        << avant + "<foo> a < b <> <<CALL:4>F5XY <bar><EOR>" << deux << 0;
    QTest::newRow("octets nuls") << QByteArray("<CALL:4>F1AB<EOR>\0\0<CALL:4>F5XY\0<EOR>\0", 38) << deux << 0;
    QTest::newRow("octet nul dans les données") << QByteArray("<CALL:4>F\0AB<EOR>", 17)
                                                << QList<QByteArray>{QByteArray("CALL=F\0AB", 9)} << 0;
    QTest::newRow("texte ordinaire") << QByteArray("Bonjour,\r\nceci n'est qu'une lettre.\r\n") << QList<QByteArray>{} << 0;
    QTest::newRow("binaire") << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0\x3C\x3E\x3A\xFF\xFE", 15) << QList<QByteArray>{}
                             << 0;
    QTest::newRow("un mégaoctet de <") << QByteArray(1 << 20, '<') << QList<QByteArray>{} << 0;
    QTest::newRow("un < puis un mégaoctet de lettres") << '<' + QByteArray(1 << 20, 'a') << QList<QByteArray>{} << 0;
    QTest::newRow("<A: répété") << QByteArray("<A:").repeated(300000) << QList<QByteArray>{} << 1;
    QTest::newRow("<A:1 répété") << QByteArray("<A:1").repeated(300000) << QList<QByteArray>{} << 1;
    QTest::newRow("un enregistrement de cinq mille champs")
        << avant + QByteArray("<A:1>x").repeated(5000) + "<EOR>" + apres << deux << 1;
    QTest::newRow("un mégaoctet de blancs avant <EOR>")
        << "<CALL:4>F1AB" + QByteArray(1 << 20, ' ') + "<EOR>" << QList<QByteArray>{"CALL=F1AB"} << 0;
}

void Tst_Lecteur_ADIF::fichiers_malformes()
{
    QFETCH(QByteArray, fichier);
    QFETCH(QList<QByteArray>, attendu);
    QFETCH(int, illisibles);
    // The megabyte inputs read in linear time: a reader going over the bytes
    // again for each tag would outlast the test's time limit.
    const Bloc bloc(fichier);
    const Lecture lecture = Lit_ADIF(bloc.vue());
    QCOMPARE(Defaut_De_Vues(lecture, bloc.vue()), QByteArray());
    if (attendu.isEmpty())
        QCOMPARE(lecture.nombre(), qsizetype(0));
    else
        QCOMPARE(Decrit(lecture), attendu);
    QCOMPARE(lecture.illisibles, qsizetype(illisibles));
    QCOMPARE(Ecart_Par_Morceaux(fichier, {7, 4096}), QByteArray());
}

void Tst_Lecteur_ADIF::octets_au_hasard()
{
    QRandomGenerator hasard(20261207);
    // Pieces of ADIF, so that random buffers reach deep into the tags.
    const QList<QByteArray> morceaux{"<", ">", ":", "<EOR>", "<eoh>", "<CALL:", "<NAME:6>", "4", "12", "-1", "999999999999999999999",
                                     "F1AB", "Hélène", "\xC3", "\xA9", "\xF0\x9F", " ", "\r\n", QByteArray(1, '\0')};
    for (int essai = 0; essai < 400; ++essai) {
        QByteArray octets;
        const int taille = int(hasard.bounded(4096));
        if (essai % 2 == 0) {
            octets.resize(taille);
            for (char &o : octets)
                o = char(hasard.bounded(256));
        } else {
            while (octets.size() < taille)
                octets += morceaux.at(hasard.bounded(qsizetype(morceaux.size())));
        }
        const Bloc bloc(octets);
        const Lecture lecture = Lit_ADIF(bloc.vue());
        QVERIFY2(Defaut_De_Vues(lecture, bloc.vue()).isEmpty(), qPrintable(QString::number(essai)));
        if (essai % 4 < 2)
            QVERIFY2(Ecart_Par_Morceaux(octets, {3, 100}).isEmpty(), qPrintable(QString::number(essai)));
    }

    // A valid file cut at every length: the records whose <EOR> is kept come
    // whole, then at most the first fields of the next one, or one unreadable.
    QByteArray fichier = "<ADIF_VER:5>3.1.4 <EOH>\r\n";
    const qsizetype fin_entete = fichier.size();
    QList<qsizetype> fins_eor;
    for (int i = 0; i < 12; ++i) {
        fichier += Champ_ADIF("CALL", "F" + QByteArray::number(100 + i)) + ' ' + Champ_ADIF("QSO_DATE", "20240115") + ' '
            + Champ_ADIF("NAME", i % 3 ? QByteArray("Hélène") : QByteArray("Jean")) + "\r\n"
            + Champ_ADIF("COMMENT", "DMF " + QByteArray::number(21000 + i)) + " <EOR>";
        fins_eor << fichier.size();
        fichier += "\r\n";
    }
    const Lecture complete = Lit_ADIF(fichier);
    QCOMPARE(complete.nombre(), qsizetype(12));
    QCOMPARE(complete.illisibles, qsizetype(0));
    for (qsizetype coupe = 0; coupe <= fichier.size(); ++coupe) {
        const Bloc bloc(QByteArrayView(fichier).first(coupe));
        const Lecture lecture = Lit_ADIF(bloc.vue());
        const QByteArray ou = "cut at " + QByteArray::number(coupe);
        QVERIFY2(Defaut_De_Vues(lecture, bloc.vue()).isEmpty(), ou.constData());
        if (coupe < fin_entete)
            continue;
        const qsizetype entiers = std::count_if(fins_eor.begin(), fins_eor.end(), [&](qsizetype f) { return f <= coupe; });
        QVERIFY2(lecture.illisibles <= 1, ou.constData());
        QVERIFY2(lecture.nombre() == entiers || lecture.nombre() == entiers + 1, ou.constData());
        QVERIFY2(lecture.nombre() <= complete.nombre(), ou.constData());
        if (lecture.illisibles == 1)
            QVERIFY2(lecture.nombre() == entiers, ou.constData());
        for (qsizetype i = 0; i < lecture.nombre(); ++i) {
            const auto lu = lecture.enregistrement(i).champs;
            const auto vrai = complete.enregistrement(i).champs;
            QVERIFY2(lu.size() <= vrai.size() && (i == entiers || lu.size() == vrai.size()), ou.constData());
            for (size_t j = 0; j < lu.size(); ++j)
                QVERIFY2(lu[j].nom == vrai[j].nom && lu[j].valeur == vrai[j].valeur, ou.constData());
        }
    }
}

QTEST_GUILESS_MAIN(Tst_Lecteur_ADIF)
#include "tst_lecteur_adif.moc"
