#include "Ligne_QSO.h"
#include "Texte.h"
#include "Outils_Test.h"

#include <QStringDecoder>
#include <QStringEncoder>

using namespace Sous_Programmes;

class Tst_Ligne_QSO : public QObject {
    Q_OBJECT

private slots:
    void phrase_pour_lecteur_d_ecran_data();
    void phrase_pour_lecteur_d_ecran();
    void construit_data();
    void construit();
    void refuse_data();
    void refuse();
    void champs_lignes_courtes_data();
    void champs_lignes_courtes();
    void ligne_liste_data();
    void ligne_liste();
    void partie_stockee_retrouve_la_ligne_data();
    void partie_stockee_retrouve_la_ligne();
    void qso_de_ligne_liste_data();
    void qso_de_ligne_liste();
    void code_page_aller_retour();
    void code_page_comme_le_convertisseur_du_systeme();
};

void Tst_Ligne_QSO::qso_de_ligne_liste_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<bool>("qso");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("dmf");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<bool>("attente");

    const QString l = QString::fromLatin1(Ligne("15/03/07", "21001", "Moulin active", "F5ABC", true));
    QTest::newRow("ligne 4") << "    4   " + l << true << "15/03/07" << "21001" << "Moulin active" << "F5ABC" << true;
    QTest::newRow("ligne 100000") << "100000   " + l << true << "15/03/07" << "21001" << "Moulin active" << "F5ABC" << true;
    QTest::newRow("sans DMF") << "    2   " + QString::fromLatin1(Ligne("15/03/07", "", "Moulin active", "F5ABC")) << false
                              << "" << "" << "" << "" << false;
    QTest::newRow("ligne vide: 13 caractères") << "    3        " << true << "     " << "" << "" << "" << false;
    QTest::newRow("rien de sélectionné") << "" << false << "" << "" << "" << "" << false;
}

void Tst_Ligne_QSO::qso_de_ligne_liste()
{
    QFETCH(QString, ligne);
    QFETCH(bool, qso);
    const auto champs = QSO_De_Ligne_Liste(ligne.toLatin1());
    QCOMPARE(champs.has_value(), qso);
    if (!qso)
        return;
    QFETCH(QString, date);
    QFETCH(QString, dmf);
    QFETCH(QString, type);
    QFETCH(QString, indicatif);
    QFETCH(bool, attente);
    QCOMPARE(champs->date, date);
    QCOMPARE(champs->dmf, dmf);
    QCOMPARE(champs->type, type);
    QCOMPARE(champs->indicatif, indicatif);
    QCOMPARE(champs->attente, attente);
}

void Tst_Ligne_QSO::code_page_aller_retour()
{
    QCOMPARE(Depuis_Log(QByteArray("Double ou non valid\xE9 \x80\xB0", 23)), QString::fromUtf8("Double ou non validé €°"));
    // Every byte an editor may leave comes back the same once shown and kept.
    QByteArray tous(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        tous[i] = char(i);
    const QString texte = Depuis_Log(tous);
    QCOMPARE(texte.size(), 256);
    QCOMPARE(Vers_Log(texte).value_or(QByteArray()), tous);
    QString fautif;
    QVERIFY(!Vers_Log(QString::fromUtf8("F5☺X"), &fautif));
    QCOMPARE(fautif, QString::fromUtf8("☺"));
}

void Tst_Ligne_QSO::code_page_comme_le_convertisseur_du_systeme()
{
    // The program's own table gives what the system's converter gives, where
    // there is one: the logs read and written before stay byte for byte.
    QStringDecoder decodeur("windows-1252");
    if (!decodeur.isValid())
        QSKIP("no Windows-1252 converter on this system to compare with");
    for (int i = 0; i < 256; ++i) {
        const char octet = char(i);
        QCOMPARE(Depuis_Log(QByteArrayView(&octet, 1)), decodeur.decode(QByteArrayView(&octet, 1)));
    }
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QString texte{QChar(char16_t(c))};
        QStringEncoder encodeur("windows-1252");
        const QByteArray attendu = encodeur.encode(texte);
        const auto obtenu = Vers_Log(texte);
        QVERIFY2(obtenu.has_value() == (!encodeur.hasError() && attendu.size() == 1),
                 qPrintable(QStringLiteral("U+%1").arg(quint32(c), 4, 16, QLatin1Char('0'))));
        if (obtenu)
            QCOMPARE(*obtenu, attendu);
    }
}

void Tst_Ligne_QSO::construit_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("attente");
    QTest::addColumn<QString>("dmf");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<QByteArray>("attendu");

    QTest::newRow("ordinaire") << "15/03/07" << false << "21001" << "Moulin Contacte" << "F5ABC"
                               << QByteArray("15/03/07  21001  Moulin Contacte         F5ABC       ");
    QTest::newRow("en attente") << "15/03/07" << true << "21001" << "Moulin active" << "F5ABC"
                                << QByteArray("15/03/07 *21001  Moulin active           F5ABC       ");
    QTest::newRow("indicatif de 12 sans blanc final") << "01/01/07" << false << "2A001" << "Moulin Contacte" << "F5ABC/P12345"
                                                      << QByteArray("01/01/07  2A001  Moulin Contacte         F5ABC/P12345");
    QTest::newRow("type de 22 remplit sa colonne") << "01/01/07" << false << "12345" << "Operateur reactivation" << "F1"
                                                   << QByteArray("01/01/07  12345  Operateur reactivation  F1          ");
    QTest::newRow("é sur un octet") << "01/01/07" << false << "12345" << QString::fromUtf8("Double ou non validé") << "F1"
                                    << QByteArray("01/01/07  12345  Double ou non valid\xE9    F1          ");
    QTest::newRow("DMF court complété") << "01/01/07" << false << "12" << "" << ""
                                        << QByteArray("01/01/07  12                                         ");
}

void Tst_Ligne_QSO::construit()
{
    QFETCH(QString, date);
    QFETCH(bool, attente);
    QFETCH(QString, dmf);
    QFETCH(QString, type);
    QFETCH(QString, indicatif);
    QFETCH(QByteArray, attendu);

    const auto ligne = Construit_Ligne_QSO({date, attente, dmf, type, indicatif});
    QVERIFY2(ligne.ok(), qPrintable(ligne.erreur()));
    QCOMPARE(ligne.valeur(), attendu);
    QCOMPARE(ligne.valeur().size(), Longueur_Ligne_QSO);
    QVERIFY(Ligne_QSO_Valide(ligne.valeur()));
}

void Tst_Ligne_QSO::refuse_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("dmf");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<QString>("champ_nomme");

    QTest::newRow("date courte") << "1/2/07" << "12345" << "Moulin active" << "F1" << "Date";
    QTest::newRow("date longue") << "01/02/2007" << "12345" << "Moulin active" << "F1" << "Date";
    QTest::newRow("DMF de 6") << "01/02/07" << "123456" << "Moulin active" << "F1" << "N° DMF";
    QTest::newRow("type de 23") << "01/02/07" << "12345" << "Operateur reactivationX" << "F1" << "Type Activité";
    QTest::newRow("indicatif de 13") << "01/02/07" << "12345" << "Moulin active" << "F5ABC/P123456" << "Indicatif";
    QTest::newRow("caractère hors code page") << "01/02/07" << "12345" << "Moulin active" << QString::fromUtf8("F☺") << "Indicatif";
    QTest::newRow("saut de ligne collé") << "01/02/07" << "12345" << "Moulin\nactive" << "F1" << "Type Activité";
    QTest::newRow("retour chariot") << "01/02/07" << "12\r45" << "Moulin active" << "F1" << "N° DMF";
}

void Tst_Ligne_QSO::refuse()
{
    QFETCH(QString, date);
    QFETCH(QString, dmf);
    QFETCH(QString, type);
    QFETCH(QString, indicatif);
    QFETCH(QString, champ_nomme);

    const auto ligne = Construit_Ligne_QSO({date, false, dmf, type, indicatif});
    QVERIFY(!ligne.ok());
    QVERIFY2(ligne.erreur().contains(QStringLiteral("« ") + champ_nomme + QStringLiteral(" »")), qPrintable(ligne.erreur()));
}

void Tst_Ligne_QSO::champs_lignes_courtes_data()
{
    QTest::addColumn<QByteArray>("ligne");
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("attente");
    QTest::addColumn<QByteArray>("dmf");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("indicatif");

    QTest::newRow("vide") << QByteArray() << QByteArray() << QByteArray() << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("date seule") << QByteArray("15/03/07") << QByteArray("15/03/07") << QByteArray() << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("coupée dans le DMF") << QByteArray("15/03/07 *210") << QByteArray("15/03/07") << QByteArray("*") << QByteArray("210")
                                        << QByteArray() << QByteArray();
    QTest::newRow("complète") << Ligne("15/03/07", "21001", "Moulin active", "F5ABC", true) << QByteArray("15/03/07")
                              << QByteArray("*") << QByteArray("21001") << QByteArray("Moulin active         ")
                              << QByteArray("F5ABC       ");
    QTest::newRow("trop longue") << Ligne("15/03/07", "21001", "Moulin active", "F5ABC") + "RESTE" << QByteArray("15/03/07")
                                 << QByteArray(" ") << QByteArray("21001") << QByteArray("Moulin active         ")
                                 << QByteArray("F5ABC       ");
}

void Tst_Ligne_QSO::champs_lignes_courtes()
{
    QFETCH(QByteArray, ligne);
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, attente);
    QFETCH(QByteArray, dmf);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, indicatif);
    QCOMPARE(Date_QSO(ligne).toByteArray(), date);
    QCOMPARE(Attente_QSO(ligne).toByteArray(), attente);
    QCOMPARE(DMF_QSO(ligne).toByteArray(), dmf);
    QCOMPARE(Type_QSO(ligne).toByteArray(), type);
    QCOMPARE(Indicatif_QSO(ligne).toByteArray(), indicatif);
}

void Tst_Ligne_QSO::ligne_liste_data()
{
    QTest::addColumn<qsizetype>("numero");
    QTest::addColumn<QByteArray>("stockee");
    QTest::addColumn<QByteArray>("attendue");

    const QByteArray l = Ligne("15/03/07", "21001", "Moulin active", "F5ABC");
    QTest::newRow("ligne 1") << qsizetype(1) << l << "    1   " + l;
    QTest::newRow("ligne 10") << qsizetype(10) << l << "   10   " + l;
    QTest::newRow("ligne 99999") << qsizetype(99999) << l << "99999   " + l;
    QTest::newRow("au-delà de 99999 le numéro s'élargit") << qsizetype(100000) << l << "100000   " + l;
    QTest::newRow("ligne vide: 13 caractères") << qsizetype(3) << QByteArray() << QByteArray("    3        ");
    QTest::newRow("trop longue: champs à leur place") << qsizetype(2) << l + "XYZ" << "    2   " + l;
    QByteArray occupee = l;
    occupee[8] = 'X';
    occupee.replace(15, 2, "YY").replace(39, 2, "ZZ");
    QTest::newRow("séparateurs occupés: reconstruite") << qsizetype(4) << occupee << "    4   " + l;
}

void Tst_Ligne_QSO::ligne_liste()
{
    QFETCH(qsizetype, numero);
    QFETCH(QByteArray, stockee);
    QFETCH(QByteArray, attendue);
    QCOMPARE(Ligne_Liste(numero, stockee), attendue);
}

void Tst_Ligne_QSO::partie_stockee_retrouve_la_ligne_data()
{
    QTest::addColumn<qsizetype>("numero");
    for (qsizetype n : {1, 42, 99999, 100000, 1234567})
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

void Tst_Ligne_QSO::partie_stockee_retrouve_la_ligne()
{
    QFETCH(qsizetype, numero);
    const QByteArray l = Ligne("15/03/07", "21001", "Moulin active", "F5ABC");
    QCOMPARE(Partie_Stockee(Ligne_Liste(numero, l)).toByteArray(), l);
}

void Tst_Ligne_QSO::phrase_pour_lecteur_d_ecran_data()
{
    QTest::addColumn<QByteArray>("ligne");
    QTest::addColumn<QString>("phrase");
    QTest::newRow("validé") << QByteArray("05/01/26  21001  Moulin Contacte         F5ABC       ")
                            << QStringLiteral("QSO 7, 05/01/26, DMF 21001, Moulin Contacte, F5ABC");
    QTest::newRow("en attente, accent") << QByteArray("05/01/26 *2A001  Double ou non valid\xE9    TK5AA       ")
                                        << QStringLiteral("QSO 7, 05/01/26, DMF 2A001, Double ou non validé, TK5AA, en attente de validation");
    QTest::newRow("sans type") << QByteArray("05/01/26  21001                          F5ABC       ")
                               << QStringLiteral("QSO 7, 05/01/26, DMF 21001, F5ABC");
    QTest::newRow("vide") << QByteArray("        ") << QStringLiteral("Ligne 7, vide");
    QTest::newRow("texte libre") << QByteArray("Log de F5ABC") << QStringLiteral("Ligne 7 : Log de F5ABC");
}

void Tst_Ligne_QSO::phrase_pour_lecteur_d_ecran()
{
    QFETCH(QByteArray, ligne);
    QFETCH(QString, phrase);
    QCOMPARE(Phrase_QSO(7, ligne), phrase);
    // From the line as the list shows it (fields rebuilt at their places), the same words.
    if (phrase.startsWith(QStringLiteral("QSO")))
        QCOMPARE(Phrase_Ligne_Liste(Depuis_Log(Ligne_Liste(7, ligne))), phrase);
}

QTEST_GUILESS_MAIN(Tst_Ligne_QSO)
#include "tst_ligne_qso.moc"
