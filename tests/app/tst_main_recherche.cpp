#include "Banc_Main.h"

#include <QRadioButton>

namespace {

const QList<QByteArray> Log{Ligne("01/03/07", "21001", "Moulin Contacte", "TEST1"),
                            Ligne("02/03/07", "29015", "Moulin active", "F5ABC"),
                            Ligne("03/03/07", "21001", "Double ou non valid\xE9", "XTEST9"),
                            Ligne("04/03/07", "2A001", "Moulin Contacte", "TK5XX"),
                            Ligne("05/03/07", "21777", "Moulin Contacte", "F1ZZZ")};

} // namespace

class Tst_Recherche : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void recherches_data();
    void recherches();
    void refus_des_boites_data();
    void refus_des_boites();
    void le_mode_choisi_decide();
    void un_clic_sur_un_resultat_le_selectionne();
    void log_vide();

private:
    QWidget *ouvre()
    {
        QTest::mouseClick(m_banc->bouton("Recherche"), Qt::LeftButton);
        return Banc_Main::fenetre_ouverte("Recherche_Indicatif");
    }
    QLineEdit *zone(QWidget *r, const char *nom) { return r->findChild<QLineEdit *>(QString::fromLatin1(nom)); }
    QStringList resultats(QWidget *r)
    {
        QStringList l;
        auto *vue = r->findChild<QAbstractItemView *>(QStringLiteral("QSO_Effectues"));
        for (int i = 0; i < vue->model()->rowCount(); ++i)
            l << vue->model()->index(i, 0).data().toString();
        return l;
    }
    std::unique_ptr<Banc_Main> m_banc;
};

void Tst_Recherche::init()
{
    m_banc = std::make_unique<Banc_Main>();
    m_banc->station("TEST1", "2007", Fichier_De(Log));
    m_banc->demarre();
    m_banc->messages.clear();
}

void Tst_Recherche::cleanup() { m_banc.reset(); }

void Tst_Recherche::recherches_data()
{
    QTest::addColumn<QString>("boite");
    QTest::addColumn<QString>("frappe");
    QTest::addColumn<QList<int>>("lignes");

    QTest::newRow("indicatif n'importe où") << "Indica" << "te" << QList<int>{0, 2};
    QTest::newRow("DMF exact, ordre du log") << "Data" << "21001" << QList<int>{0, 2};
    QTest::newRow("DMF corse en minuscules") << "Data" << "2a001" << QList<int>{3};
    QTest::newRow("département") << "Depa" << "21" << QList<int>{0, 2, 4};
    QTest::newRow("département d'un chiffre") << "Depa" << "2" << QList<int>{};
    QTest::newRow("département en minuscules") << "Depa" << "2a" << QList<int>{};
}

void Tst_Recherche::recherches()
{
    QFETCH(QString, boite);
    QFETCH(QString, frappe);
    QFETCH(QList<int>, lignes);
    QWidget *r = ouvre();
    QVERIFY(r);
    QCOMPARE(m_banc->focus(), zone(r, "Indica"));
    QLineEdit *b = zone(r, qPrintable(boite));
    // A click in a box chooses its mode.
    QTest::mouseClick(b, Qt::LeftButton);
    m_banc->tape(b, frappe);
    if (boite == QStringLiteral("Indica"))
        QCOMPARE(b->text(), frappe.toUpper());
    else
        QCOMPARE(b->text(), frappe);
    m_banc->entree(b);

    QStringList attendus;
    for (int i : lignes)
        attendus << m_banc->ligne_liste(i);
    QCOMPARE(resultats(r), attendus);
    QCOMPARE(m_banc->messages, lignes.isEmpty() ? QStringList{QString::fromUtf8("Pas de QSO trouvé")} : QStringList());
    for (const char *nom : {"Indica", "Data", "Depa"})
        QCOMPARE(zone(r, nom)->text(), QString());
}

void Tst_Recherche::refus_des_boites_data()
{
    QTest::addColumn<QString>("boite");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("gardee");

    QTest::newRow("indicatif de 13") << "Indica" << "F5ABC/P123456" << "Attention 12 caracteres maxi pour l'indicatif" << true;
    QTest::newRow("indicatif vide") << "Indica" << "" << "Entrez un indicatif" << false;
    QTest::newRow("référence vide") << "Data" << "" << "Entrez une reference" << false;
    QTest::newRow("référence de 4") << "Data" << "2100" << "Attention 5 caracteres maxi pour la reference" << true;
    QTest::newRow("département vide") << "Depa" << "" << "Entrez un departement" << false;
    QTest::newRow("département de 3") << "Depa" << "123" << "Attention 2 caracteres maxi pour le departement" << true;
}

void Tst_Recherche::refus_des_boites()
{
    QFETCH(QString, boite);
    QFETCH(QString, texte);
    QFETCH(QString, message);
    QFETCH(bool, gardee);
    QWidget *r = ouvre();
    QLineEdit *b = zone(r, qPrintable(boite));
    QTest::mouseClick(b, Qt::LeftButton);
    b->setText(texte);
    m_banc->entree(b);
    QCOMPARE(m_banc->messages, QStringList{message});
    QCOMPARE(b->text(), gardee ? texte : QString());
    QVERIFY(resultats(r).isEmpty());
}

void Tst_Recherche::le_mode_choisi_decide()
{
    QWidget *r = ouvre();
    r->findChild<QRadioButton *>(QStringLiteral("Option1_2"))->click();
    QCOMPARE(m_banc->focus(), zone(r, "Data"));
    // The keyboard takes the focus to the callsign box: the mode stays DMF.
    zone(r, "Indica")->setFocus();
    m_banc->tape(zone(r, "Indica"), QStringLiteral("F5ABC"));
    m_banc->entree(zone(r, "Indica"));
    QCOMPARE(m_banc->messages, QStringList{QStringLiteral("Entrez une reference")});
    QCOMPARE(zone(r, "Indica")->text(), QStringLiteral("F5ABC"));

    // A second search replaces the first results.
    m_banc->messages.clear();
    zone(r, "Data")->setText(QStringLiteral("29015"));
    m_banc->entree(zone(r, "Data"));
    QCOMPARE(resultats(r), QStringList{m_banc->ligne_liste(1)});
    zone(r, "Data")->setText(QStringLiteral("21777"));
    m_banc->entree(zone(r, "Data"));
    QCOMPARE(resultats(r), QStringList{m_banc->ligne_liste(4)});
}

void Tst_Recherche::un_clic_sur_un_resultat_le_selectionne()
{
    QWidget *r = ouvre();
    zone(r, "Depa")->setText(QStringLiteral("21"));
    QTest::mouseClick(zone(r, "Depa"), Qt::LeftButton);
    m_banc->entree(zone(r, "Depa"));
    auto *vue = r->findChild<QAbstractItemView *>(QStringLiteral("QSO_Effectues"));
    const QModelIndex troisieme = vue->model()->index(2, 0);
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(troisieme).center());
    QTRY_VERIFY(!Banc_Main::fenetre_visible("Recherche_Indicatif"));
    QCOMPARE(m_banc->liste()->currentIndex().row(), 4);
    QCOMPARE(m_banc->champ("DMF_A")->text(), QStringLiteral("21777"));
    QCOMPARE(m_banc->champ("Ind_A")->text(), QStringLiteral("F1ZZZ"));
    QVERIFY(m_banc->modification());
    QVERIFY(m_banc->bouton("Annule_Saisie")->isEnabled());
}

void Tst_Recherche::log_vide()
{
    Banc_Main vide;
    vide.station("TEST1", "2007", QByteArray());
    vide.demarre();
    QTest::mouseClick(vide.bouton("Recherche"), Qt::LeftButton);
    QWidget *r = Banc_Main::fenetre_ouverte("Recherche_Indicatif");
    QVERIFY(r);
    vide.tape(zone(r, "Indica"), QStringLiteral("F5"));
    vide.entree(zone(r, "Indica"));
    QCOMPARE(vide.messages, QStringList{QString::fromUtf8("Pas de QSO trouvé")});
}

QTEST_MAIN(Tst_Recherche)
#include "tst_main_recherche.moc"
