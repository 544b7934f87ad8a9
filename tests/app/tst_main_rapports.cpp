#include "Banc_Main.h"

#include "Carte_Acti.h"
#include "Impression.h"

#include <QPrinter>

namespace {

const QList<QByteArray> Log{Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                            Ligne("02/03/07", "2A001", "Moulin active", "TK5XX"),
                            Ligne("03/03/07", "29015", "Moulin active", "F1ZZZ", true),
                            Ligne("04/03/07", "21001", "Double ou non valid\xE9", "F5ABC")};

} // namespace

class Tst_Rapports : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Impression::Installe_Choix({}); }
    void recapitulatif();
    void liste_des_contactes();
    void carte();
    void carte_chaque_numero_lisible_sur_son_departement();
    void rapports_sans_log();
    void exporter();
    void imprimer();
};

void Tst_Rapports::recapitulatif()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    b.action("Mnu_Recap")->trigger();
    QWidget *r = Banc_Main::fenetre_ouverte("Recapitulatif");
    QVERIFY(r);
    QCOMPARE(r->windowTitle(), QString::fromUtf8("Feuille Récapitulative"));
    auto valeur = [&](const char *nom) { return r->findChild<QLineEdit *>(QString::fromLatin1(nom))->text(); };
    QCOMPARE(valeur("Nb_CC"), QStringLiteral("1"));
    QCOMPARE(valeur("Nb_CA"), QStringLiteral("2"));
    QCOMPARE(valeur("Nb_DO"), QStringLiteral("1"));
    QCOMPARE(valeur("Nb_RA"), QStringLiteral("0"));
    QCOMPARE(valeur("Nb_Dpt"), QStringLiteral("3"));
    QCOMPARE(valeur("Nb_Points_Tot"), b.champ("Total_Points")->text());
    QCOMPARE(r->findChild<QLabel *>(QStringLiteral("Annee_X"))->text(), QStringLiteral("2007"));
    QCOMPARE(r->findChild<QLabel *>(QStringLiteral("Label9"))->text(), QStringLiteral("Nombre de DMF en double"));

    // Not refreshed while open; the menu only brings it forward.
    b.saisit_qso(QStringLiteral("F9NEW"), 0, QStringLiteral("40001"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    b.action("Mnu_Recap")->trigger();
    QCOMPARE(Banc_Main::fenetres_ouvertes("Recapitulatif"), 1);
    QCOMPARE(valeur("Nb_CC"), QStringLiteral("1"));
    r->close();
    b.action("Mnu_Recap")->trigger();
    r = Banc_Main::fenetre_ouverte("Recapitulatif");
    QCOMPARE(valeur("Nb_CC"), QStringLiteral("2"));
}

void Tst_Rapports::liste_des_contactes()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    b.action("Mnu_C_Contacte")->trigger();
    QWidget *f = Banc_Main::fenetre_ouverte("Aff_Contacte");
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QString::fromUtf8("DMF contactés"));
    auto *liste = f->findChild<QAbstractItemView *>(QStringLiteral("Liste_DFCF_Contacte"));
    QStringList rangees;
    for (int i = 0; i < liste->model()->rowCount(); ++i)
        rangees << liste->model()->index(i, 0).data().toString();
    QCOMPARE(rangees.size(), 6);
    QCOMPARE(rangees.at(0), QString::fromLatin1("     1   " + Log[0] + "   2"));
    QCOMPARE(rangees.at(2), QString::fromLatin1("     3   " + Log[2] + "   0"));
    QCOMPARE(rangees.at(3), QString::fromLatin1("     4   " + Log[3] + "   0"));
    QCOMPARE(rangees.at(4), QString());
    QCOMPARE(rangees.at(5), QStringLiteral("                      Total des points : 8"));

    // Each heading stands over its column of the rows, where the list draws it.
    const QString rangee = rangees.at(0);
    const QRect r = liste->visualRect(liste->model()->index(0, 0));
    const int marge = liste->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, liste) + 1;
    const QFontMetricsF m(liste->font());
    auto x_colonne = [&](qsizetype position) {
        return liste->viewport()->mapTo(f, QPoint(r.left() + marge, 0)).x() + m.horizontalAdvance(rangee.left(position));
    };
    auto titre = [&](const QString &texte) -> QLabel * {
        for (auto *l : f->findChildren<QLabel *>())
            if (l->text() == texte)
                return l;
        return nullptr;
    };
    const QList<std::pair<QString, QString>> colonnes{{QStringLiteral("Date"), QStringLiteral("01/03/07")},
                                                      {QStringLiteral("DMF"), QStringLiteral("21001")},
                                                      {QString::fromUtf8("Type activité"), QStringLiteral("Moulin Contacte")},
                                                      {QStringLiteral("Indicatif"), QStringLiteral("F5ABC")}};
    for (const auto &[texte, champ] : colonnes) {
        QVERIFY2(titre(texte), qPrintable(texte));
        const int x = titre(texte)->mapTo(f, QPoint(0, 0)).x();
        QVERIFY2(qAbs(x - x_colonne(rangee.indexOf(champ))) <= 2,
                 qPrintable(QStringLiteral("%1 : %2 / %3").arg(texte).arg(x).arg(x_colonne(rangee.indexOf(champ)))));
    }
    // "Points" stands over the points, past the end of the callsigns.
    QLabel *points = titre(QStringLiteral("Points"));
    QVERIFY(points);
    const int x_points = points->mapTo(f, QPoint(0, 0)).x();
    QVERIFY(x_points >= x_colonne(rangee.size() - 4));
    QVERIFY(x_points <= x_colonne(rangee.size() - 1));
    QVERIFY(x_points + points->sizeHint().width() > x_colonne(rangee.size()));
}

void Tst_Rapports::carte()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log + QList<QByteArray>{Ligne("05/03/07", "20001", "Moulin Contacte", "F5ABC")}));
    b.demarre();
    b.action("Mnu_Dep_Contacte")->trigger();
    QWidget *c = Banc_Main::fenetre_ouverte("Carte_Acti");
    QVERIFY(c);
    QCOMPARE(c->windowTitle(), QString::fromUtf8("Carte des départements contactés"));
    QCOMPARE(c->findChild<QLabel *>(QStringLiteral("NB_Dep"))->text(), QStringLiteral("4"));
    QCOMPARE(c->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("2007"));
    auto boite = [&](int i) { return c->findChild<QLineEdit *>(QStringLiteral("Dep_%1").arg(i)); };
    for (int i = 0; i < 100; ++i)
        QVERIFY2(boite(i), qPrintable(QString::number(i)));
    const QRgb vert = 0x80FF80;
    for (int i : {21, 29, 96, 20})
        QCOMPARE(Banc_Main::fond(boite(i)), vert);
    QVERIFY(Banc_Main::fond(boite(1)) != vert);
    QCOMPARE(boite(96)->text(), QStringLiteral("2a"));
    QCOMPARE(boite(7)->text(), QStringLiteral("07"));
    for (int i : {0, 20, 98, 99})
        QVERIFY(!boite(i)->isVisible());
    QVERIFY(boite(21)->isVisible());

    // The shape under a reached département is green on the picture.
    QWidget *dessin = c->findChild<QWidget *>(QStringLiteral("Picture1"));
    const QImage image = dessin->grab().toImage();
    const QPoint sous_la_boite = boite(29)->geometry().center() + QPoint(0, boite(29)->height());
    QCOMPARE(image.pixelColor(sous_la_boite * image.devicePixelRatio()).rgb() & 0xFFFFFF, vert);
    const QPoint ailleurs = boite(40)->geometry().center() + QPoint(0, boite(40)->height());
    QVERIFY((image.pixelColor(ailleurs * image.devicePixelRatio()).rgb() & 0xFFFFFF) != vert);
}

void Tst_Rapports::carte_chaque_numero_lisible_sur_son_departement()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    b.action("Mnu_Dep_Contacte")->trigger();
    QWidget *c = Banc_Main::fenetre_ouverte("Carte_Acti");
    QVERIFY(c);
    auto *dessin = c->findChild<Dessin_Carte *>(QStringLiteral("Picture1"));
    QList<QLineEdit *> boites;
    for (int i = 0; i < 100; ++i) {
        auto *boite = c->findChild<QLineEdit *>(QStringLiteral("Dep_%1").arg(i));
        if (boite->isVisible())
            boites << boite;
    }
    QCOMPARE(boites.size(), 96);
    for (qsizetype a = 0; a < boites.size(); ++a) {
        QVERIFY2(dessin->rect().contains(boites[a]->geometry()), qPrintable(boites[a]->objectName()));
        for (qsizetype z = a + 1; z < boites.size(); ++z)
            QVERIFY2(!boites[a]->geometry().intersects(boites[z]->geometry()),
                     qPrintable(boites[a]->text() + QStringLiteral(" / ") + boites[z]->text()));
    }
    // On a picture where its département alone is green, each box covers some
    // of that green (or points to it by a line).
    for (QLineEdit *boite : std::as_const(boites)) {
        const int i = boite->objectName().mid(4).toInt();
        std::bitset<100> seul;
        seul.set(size_t(i));
        Dessin_Carte image_seule(seul, nullptr);
        image_seule.resize(dessin->size());
        const QImage image = image_seule.grab().toImage();
        const QRect r = QRect(boite->geometry().topLeft() * image.devicePixelRatio(), boite->size() * image.devicePixelRatio());
        int verts = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                verts += (image.pixel(x, y) & 0xFFFFFF) == 0x80FF80;
        bool renvoi = false;
        for (const QLineF &l : dessin->renvois())
            renvoi |= boite->geometry().contains(l.p1().toPoint());
        QVERIFY2(verts > 0 || renvoi, qPrintable(boite->text()));
    }
}

void Tst_Rapports::rapports_sans_log()
{
    Banc_Main b;
    b.demarre();
    b.messages.clear();
    for (const char *menu : {"Mnu_Recap", "Mnu_C_Contacte", "Mnu_Dep_Contacte", "Mnu_Enr_Contacte", "Mnu_Imp_Contacte"})
        b.action(menu)->trigger();
    QCOMPARE(b.messages.size(), 5);
    QCOMPARE(b.messages.first(), Sous_Programmes::Message_Premiere_Installation());
    for (const char *nom : {"Recapitulatif", "Aff_Contacte", "Carte_Acti"})
        QCOMPARE(Banc_Main::fenetres_ouvertes(nom), 0);

    // A station whose log went away: told, nothing opened.
    Banc_Main c;
    c.station("TEST1", "2007", QByteArray());
    c.demarre();
    QVERIFY(QFile::remove(c.dossier.fichier(c.log())));
    c.messages.clear();
    c.action("Mnu_Recap")->trigger();
    QCOMPARE(c.messages.size(), 1);
    QVERIFY(c.messages.first().contains(QStringLiteral("introuvable")));
    QCOMPARE(Banc_Main::fenetres_ouvertes("Recapitulatif"), 0);
}

void Tst_Rapports::exporter()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    // 00:30 in Paris on 16 March is still the 15th in UTC: the export takes the local day.
    b.maintenant = QDateTime(QDate(2007, 3, 15), QTime(23, 30), Qt::UTC);
    b.demarre();
    b.messages.clear();
    b.action("Mnu_Enr_Contacte")->trigger();
    QCOMPARE(b.messages, QStringList{QString::fromUtf8("Le log a été enregistré sous le nom : TEST1_Dezudidar_ERI_2007_16_03_07.txt")});
    const QByteArray fichier = b.dossier.lit(QStringLiteral("TEST1_Dezudidar_ERI_2007_16_03_07.txt"));
    QVERIFY(fichier.startsWith("            TEST1 Dezudidar ERI 2007    Moulins contact\xE9s au 16/03/2007\r\n"));
    QVERIFY(fichier.endsWith("Total des points : 8\r\n\r\n"));
}

void Tst_Rapports::imprimer()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    b.messages.clear();

    int dialogues = 0;
    Impression::Installe_Choix([&](QPrinter &, QWidget *) {
        ++dialogues;
        return false;
    });
    b.action("Mnu_Imp_Contacte")->trigger();
    QCOMPARE(dialogues, 1);
    QVERIFY(b.messages.isEmpty());

    const QString pdf = b.dossier.fichier(QStringLiteral("listing.pdf"));
    Impression::Installe_Choix([&](QPrinter &imprimante, QWidget *) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(pdf);
        return true;
    });
    b.action("Mnu_Imp_Contacte")->trigger();
    QVERIFY(b.messages.isEmpty());
    QFile sortie(pdf);
    QVERIFY(sortie.open(QIODevice::ReadOnly));
    QVERIFY(sortie.read(5) == "%PDF-");

    // A printer that cannot start: said, not passed over.
    Impression::Installe_Choix([&](QPrinter &imprimante, QWidget *) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(b.dossier.fichier(QStringLiteral("absent/listing.pdf")));
        return true;
    });
    b.action("Mnu_Imp_Contacte")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("imprim")), qPrintable(b.messages.first()));
}

QTEST_MAIN(Tst_Rapports)
#include "tst_main_rapports.moc"
