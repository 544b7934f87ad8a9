#pragma once

#include "Banc_Main.h"
#include "Noeud_Cluster.h"

#include "Dialogue_Fichier.h"
#include "Impression.h"

#include <QMenu>
#include <QMenuBar>
#include <QSettings>

inline const QList<QByteArray> Log_Tout_Ouvert{Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                                               Ligne("05/03/07", "21002", "Moulin active", "F6XYZ", true),
                                               Ligne("10/03/07", "2A003", "Reactivation activee", "TK5AA")};

// The main window with every other window opened from its menus and buttons,
// as an operator would: each file dialog answered with a file that opens it.
// Every window the menus reach, so that a window added later is looked at too.
inline const QList<const char *> Fenetres_Du_Programme{
    "Main",           "Station",          "Recherche_Indicatif", "Reglement", "Recapitulatif", "Aff_Contacte",
    "Carte_Acti",     "Import_ADIF",      "Restauration",        "Validations", "Spots_DMF",   "Aide",
    "Apercu_Moulins", "Moulins_Restants", "Statistiques",        "Poste",     "Annonce_Spot", "Alertes", "Compte_Rendu",
    "Feuille_Activite", "Carte_Moulins"};

struct Tout_Ouvert {
    Tout_Ouvert()
    {
        b.station("TEST1", "2007", Fichier_De(Log_Tout_Ouvert));
        b.dossier.ecrit(QStringLiteral("KOB_Dezudidar_ERI.hlp"), "<html><body><h1 id=\"sommaire\">Sommaire</h1></body></html>");
        const QString adi = b.dossier.ecrit(QStringLiteral("carnet.adi"),
                                            "<EOH>\r\n<CALL:5>F1NEW <QSO_DATE:8>20070311 <SIG:3>DMF <SIG_INFO:5>29015 <EOR>\r\n");
        QByteArray activation = "<EOH>\r\n";
        for (int i = 0; i < 12; ++i)
            activation += "<CALL:6>F5A1" + QByteArray::number(10 + i) + " <QSO_DATE:8>20070310 <TIME_ON:4>08" + QByteArray::number(10 + i)
                        + " <BAND:3>40m <MODE:3>SSB <OPERATOR:5>TEST1 <MY_SIG:3>DMF <MY_SIG_INFO:5>21001 <EOR>\r\n";
        const QString activite = b.dossier.ecrit(QStringLiteral("activation.adi"), activation);
        const QString liste = b.dossier.ecrit(QStringLiteral("valides.txt"), "21002\r\n");
        const QByteArray moulins = "dmf;nom;commune\r\n21001;Moulin A;Dijon\r\n21002;Moulin B;Beaune\r\n2A003;Moulin C;Ajaccio\r\n";
        b.dossier.ecrit(QStringLiteral("Moulins.txt"), moulins);
        const QString csv = b.dossier.ecrit(QStringLiteral("moulins.csv"), moulins + "2A004;Moulin D;Corte\r\nZZZ;X;Y\r\n");
        Dialogue_Fichier::Installe_Repondeur([=](const QString &titre, const QString &) {
            if (titre.contains(QStringLiteral("ADIF")) && titre.startsWith(QStringLiteral("Importer")))
                return adi;
            if (titre == QStringLiteral("Feuille d'activité (ADIF)"))
                return activite;
            if (titre.contains(QStringLiteral("validés")))
                return liste;
            if (titre == QStringLiteral("Charger la liste des moulins"))
                return csv;
            return QString(); // every saving cancelled
        });
        Impression::Installe_Choix([](QPrinter &, QWidget *) { return false; });
        // The spots window logged in on a node, so that its announcement opens too.
        QSettings reglages = Reglages_Bruts();
        reglages.setValue(QStringLiteral("Cluster/Adresse"), QStringLiteral("127.0.0.1"));
        reglages.setValue(QStringLiteral("Cluster/Port"), QString::number(noeud.port()));
        reglages.setValue(QStringLiteral("Cluster/Connexion_Demarrage"), QStringLiteral("Oui"));
        reglages.sync();
        b.demarre();
        // A backup, so that the restore window has one to show.
        b.clique_ligne(2);
        QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
        b.maintenant = b.maintenant.addSecs(60);

        for (QAction *menu : b.fenetre->menuBar()->actions()) {
            const QList<QAction *> entrees = menu->menu() ? menu->menu()->actions() : QList<QAction *>{menu};
            for (QAction *a : entrees) {
                // Those that open no window of the program.
                if (a->menu() || a->isSeparator()
                    || QStringList{"Mnu_Quitter", "Mnu_Annuler_Modification", "Mnu_Dossier_Logs", "Mnu_Deconnecter_Cluster"}.contains(a->objectName()))
                    continue;
                a->trigger();
            }
        }
        QTest::mouseClick(b.bouton("Recherche"), Qt::LeftButton);
        if (QWidget *spots = Banc_Main::fenetre_visible("Spots_DMF")) {
            auto *annoncer = spots->findChild<QPushButton *>(QStringLiteral("Annoncer"));
            QTRY_VERIFY(annoncer->isEnabled());
            QTest::mouseClick(annoncer, Qt::LeftButton);
        }
        b.messages.clear();
        // The clock back where it was, shown again at its next tick: the
        // windows opened while it ticked.
        b.maintenant = b.maintenant.addSecs(-60);
        a_l_heure = QTest::qWaitFor([this] { return b.controle<QLabel>("Label37")->text() == QStringLiteral("18:30 Utc"); }, 3000);
    }
    bool a_l_heure = false;
    ~Tout_Ouvert()
    {
        Dialogue_Fichier::Installe_Repondeur({});
        Impression::Installe_Choix({});
    }
    QList<QWidget *> fenetres() const
    {
        QList<QWidget *> f;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && !qobject_cast<QMenu *>(w))
                f.append(w);
        return f;
    }
    Noeud noeud;
    Banc_Main b;
};

