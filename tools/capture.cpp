// Opens each window of the program on a sample log, offscreen, and writes one
// PNG per window into the folder given (the current folder by default), and
// the statistics' printed page as a PDF.
#include "Aff_Contacte.h"
#include "Carnet.h"
#include "Apercu_Moulins.h"
#include "Liste_Moulins.h"
#include "Moulins_Restants.h"
#include "Carte_Moulins.h"
#include "Vue_Carte.h"
#include "Locator.h"
#include "Calculs_Rapports.h"
#include "Carte_Acti.h"
#include "Fenetres.h"
#include "Fenetre_Aide.h"
#include "Imprimante.h"
#include "Francais.h"
#include "Import_ADIF.h"
#include "Journal.h"
#include "Main.h"
#include "Message.h"
#include "Progression.h"
#include "Recapitulatif.h"
#include "Recherche_Indicatif.h"
#include "Reglages.h"
#include "Reglement.h"
#include "Restauration.h"
#include "Texte.h"
#include "Validations.h"
#include "Validations_Fenetre.h"
#include "Station.h"
#include "Annonce_Spot.h"
#include "Modele_Spots.h"
#include "Poste.h"
#include "Spots_DMF.h"
#include "Veille_Spots.h"
#include "Compte_Rendu_Fenetre.h"
#include "Feuille_Activite.h"
#include "Fenetre_Alertes.h"
#include "Ligne_Alerte.h"
#include "Statistiques.h"
#include "Ligne_QSO.h"
#include "Points.h"

#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <QAbstractItemView>
#include <QComboBox>
#include <QSpinBox>
#include <QApplication>
#include <QTabWidget>
#include <QTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QDir>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace Sous_Programmes;

namespace {

QByteArray Exemple()
{
    const char *lignes[] = {
        "05/01/08  21001  Moulin Contacte         F5ABC       ",
        "05/01/08  21002  Moulin Contacte         F6XYZ/P     ",
        "12/01/08 *29015  Moulin active           F1ZZZ       ",
        "19/01/08  2A001  Reactivation Contactee  TK5XX       ",
        "02/02/08  67110  Resident Contacte       F4DEF       ",
        "02/02/08  21001  Double ou non valid\xE9    F5ABC       ",
        "16/02/08  13042  Operateur activation    F8KOB       ",
        "01/03/08  75001  Reactivation activee    F5ABC       ",
    };
    QByteArray f;
    for (const char *l : lignes)
        f += QByteArray(l) + "\r\n";
    return f;
}

// A list of mills as the organisers publish it, with two lines to refuse.
QByteArray Liste_Exemple()
{
    return "N\xC2\xB0 DMF;Nom;Commune;D\xC3\xA9partement;Latitude;Longitude\r\n"
           "21001;Moulin de la Tour;Saint-Pierre;21;47.15;4.60\r\n"
           "21002;Moulin de l'\xC3\x89tang;Is-sur-Tille;21;47.5214;5.1061\r\n"
           "21003;Moulin Neuf;Beaune;21;47.0260;4.8400\r\n"
           "21004;Moulin Bernard;Ch\xC3\xA2tillon-sur-Seine;21;47.8589;4.5736\r\n"
           "21005;Moulin des Roches;Montbard;21;47.6236;4.3378\r\n"
           "29015;Moulin de Kerouat;Commana;29;48.4136;-3.9564\r\n"
           "29016;Moulin du Chaos;Huelgoat;29;48.3647;-3.7464\r\n"
           "2A001;Moulin d'Ajaccio;Ajaccio;2A;41.9192;8.7386\r\n"
           "67110;Moulin de la Zorn;Saverne;67;48.7414;7.3622\r\n"
           "13042;Moulin de Daudet;Fontvieille;13;43.7275;4.7094\r\n"
           "75001;Moulin de la Galette;Paris;75;48.8872;2.3361\r\n"
           "75002;Moulin Rouge;Paris;75;;\r\n"
           "2C001;Moulin mal num\xC3\xA9rot\xC3\xA9;Nulle-part;;;\r\n"
           "22001;Moulin d\xC3\xA9plac\xC3\xA9;Lannion;21;;\r\n";
}

// A radio behind Hamlib's daemon, enough to be read and tuned.
class Hamlib_Exemple : public QObject {
public:
    Hamlib_Exemple()
    {
        connect(&m_serveur, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_serveur.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    while (s->canReadLine())
                        s->write(repond(s->readLine().trimmed()));
                });
        });
        m_serveur.listen(QHostAddress::LocalHost);
    }
    quint16 port() const { return m_serveur.serverPort(); }

private:
    QByteArray repond(const QByteArray &commande)
    {
        if (commande == "f")
            return QByteArray::number(m_hertz) + '\n';
        if (commande == "m")
            return m_mode + "\n2400\n";
        const QList<QByteArray> mots = commande.split(' ');
        if (mots.size() >= 2 && mots[0] == "F")
            m_hertz = mots[1].toLongLong();
        else if (mots.size() >= 2 && mots[0] == "M")
            m_mode = mots[1];
        else
            return "RPRT -1\n";
        return "RPRT 0\n";
    }
    QTcpServer m_serveur;
    qint64 m_hertz = 7'012'000;
    QByteArray m_mode = "CW";
};

// The event loop turned until `fait`, a few seconds at most.
bool Attend(const std::function<bool()> &fait)
{
    for (int i = 0; i < 300 && !fait(); ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    return fait();
}

// The window alone, and the screen's free area with the window where it
// opened, to see what lies off the screen.
bool Ecrit_Png(QWidget *w, const QString &fichier)
{
    const QPixmap image = w->grab();
    bool ok = image.save(fichier);
    std::printf("%s %s\n", ok ? "écrit" : "ÉCHEC", qPrintable(fichier));
    if (const QScreen *ecran = w->screen(); ecran && w->isWindow()) {
        const QRect zone = ecran->availableGeometry();
        QImage vue(zone.size(), QImage::Format_RGB32);
        vue.fill(QColor(0x40, 0x60, 0x80));
        QPainter(&vue).drawPixmap(w->geometry().topLeft() - zone.topLeft(), image);
        const QRect cadre = w->frameGeometry();
        const QString nom = fichier.chopped(4) + QStringLiteral("_ecran.png");
        ok &= vue.save(nom);
        std::printf("%s %s : %d×%d en (%d, %d) sur %d×%d%s\n", ok ? "écrit" : "ÉCHEC", qPrintable(nom), cadre.width(),
                    cadre.height(), cadre.x(), cadre.y(), zone.width(), zone.height(),
                    zone.contains(cadre) ? "" : " : HORS DE L'ÉCRAN");
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    // A screen of a given size may be asked: offscreen:configfile=...
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Parle_Francais();
    const QDir sortie(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QTemporaryDir programme;
    QTemporaryDir reglages;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, reglages.path());
    Message::Installe_Repondeur([](const QString &, QMessageBox::StandardButtons) { return QMessageBox::Ok; });

    QFile log(QDir(programme.path()).filePath(QStringLiteral("F8KOB_Dezudidar_ERI_2008.txt")));
    if (!log.open(QIODevice::WriteOnly) || log.write(Exemple()) < 0)
        return 1;
    log.close();
    if (!Sauve_Station(QStringLiteral("F8KOB"), QStringLiteral("2008")))
        return 1;

    const Moulins::Lecture lecture = Moulins::Lit_Liste(Liste_Exemple());
    auto liste = std::make_shared<const Moulins::Liste>(lecture.liste);
    if (!Moulins::Garde(programme.path(), *liste, QDateTime::currentDateTime()))
        return 1;

    Environnement env{programme.path(), [] { return QDateTime(QDate(2008, 3, 8), QTime(14, 25, 0), Qt::UTC); },
                      QTimeZone("Europe/Paris")};
    Main fenetre(env);
    fenetre.show();
    QApplication::processEvents();
    bool ok = Ecrit_Png(&fenetre, sortie.filePath(QStringLiteral("main.png")));
    // A line picked: its mill under the entry, once the list is read.
    auto *principale = fenetre.findChild<QAbstractItemView *>(QStringLiteral("Liste_DFCF"));
    principale->setCurrentIndex(principale->model()->index(2, 0));
    auto *nom_moulin = fenetre.findChild<QLabel *>(QStringLiteral("Nom_Moulin"));
    for (int i = 0; i < 100 && nom_moulin->text().isEmpty(); ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    ok &= Ecrit_Png(&fenetre, sortie.filePath(QStringLiteral("main_moulin.png")));

    // Two needed mills spotted: the line under the menus, the newer shown.
    auto *alerte = fenetre.findChild<Ligne_Alerte *>(QStringLiteral("Alerte_Spot"));
    QList<Alerte> alertes;
    for (const char *l : {"DX de F5XYZ:     7088.0  F4DEF        DMF 21003 SSB                  1420Z",
                          "DX de F6AAA:    14285.0  F1NEW/P      DMF 29015 SSB                  1424Z"})
        if (const auto s = Cluster::Lit_Spot(l, env.horloge()))
            alertes.append({*s, Alertes::Raison::Nouveau_Moulin, Alertes::Texte_Alerte(*s, QStringLiteral("Moulin Neuf, Beaune"))});
    alerte->ajoute(alertes);
    QApplication::processEvents();
    ok &= Ecrit_Png(&fenetre, sortie.filePath(QStringLiteral("main_alerte.png")));
    alerte->ferme();

    Alertes::Reglages reglages_alertes;
    reglages_alertes.surveillance = Alertes::Lit_Surveillance(QStringLiteral("29 2A F4DEF/P 21003")).valeur();
    Fenetre_Alertes fenetre_alertes(reglages_alertes);
    Fenetres::Centre(&fenetre_alertes);
    fenetre_alertes.show();
    ok &= Ecrit_Png(&fenetre_alertes, sortie.filePath(QStringLiteral("alertes.png")));

    Apercu_Moulins apercu_moulins(lecture, Moulins::Liste(), QStringLiteral("moulins_2008.csv"), programme.path(),
                                  [] { return QDateTime::currentDateTime(); });
    Fenetres::Centre(&apercu_moulins);
    apercu_moulins.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&apercu_moulins, sortie.filePath(QStringLiteral("apercu_moulins.png")));
    Moulins_Restants restants(liste, Moulins::Compte_Restants(*liste, Contenu_Log(Exemple())), programme.path());
    Fenetres::Centre(&restants);
    restants.show();
    auto *departements = restants.findChild<QAbstractItemView *>(QStringLiteral("Table_Departements"));
    departements->setCurrentIndex(departements->model()->index(1, 0));
    QApplication::processEvents();
    ok &= Ecrit_Png(&restants, sortie.filePath(QStringLiteral("moulins_restants.png")));

    Carte_Moulins carte_moulins(liste, Moulins::Compte_Restants(*liste, Contenu_Log(Exemple())), Geo::Centre_Locator(u"JN18du"),
                                QStringLiteral("JN18du"), programme.path());
    Fenetres::Centre(&carte_moulins);
    carte_moulins.show();
    carte_moulins.findChild<QComboBox *>(QStringLiteral("Filtre_Carte"))->setCurrentIndex(1);
    QApplication::processEvents();
    ok &= Ecrit_Png(&carte_moulins, sortie.filePath(QStringLiteral("carte_moulins.png")));
    carte_moulins.findChild<Vue_Carte *>()->zoome_departement(21);
    carte_moulins.findChild<QAbstractItemView *>(QStringLiteral("Moulins_Proches"))->setCurrentIndex(
        carte_moulins.findChild<QAbstractItemView *>(QStringLiteral("Moulins_Proches"))->model()->index(4, 0));
    carte_moulins.findChild<QPushButton *>(QStringLiteral("Depuis_Moulin"))->click();
    carte_moulins.findChild<QSpinBox *>(QStringLiteral("Rayon"))->setValue(50);
    QApplication::processEvents();
    ok &= Ecrit_Png(&carte_moulins, sortie.filePath(QStringLiteral("carte_moulins_proches.png")));

    const auto question = Message::Boite(&fenetre, QStringLiteral("Voulez vous enregistrer ces données ?"),
                                         QMessageBox::Yes | QMessageBox::No);
    question->show();
    QApplication::processEvents();
    ok &= Ecrit_Png(question.get(), sortie.filePath(QStringLiteral("question.png")));
    question->hide();

    const auto installation = Message::Boite(&fenetre, Message_Premiere_Installation(), QMessageBox::Ok);
    installation->show();
    QApplication::processEvents();
    ok &= Ecrit_Png(installation.get(), sortie.filePath(QStringLiteral("premiere_installation.png")));
    installation->hide();

    Fenetre_Aide aide(QStringLiteral(FICHIER_AIDE));
    Fenetres::Centre(&aide);
    aide.montre_sommaire();
    QApplication::processEvents();
    ok &= Ecrit_Png(&aide, sortie.filePath(QStringLiteral("aide.png")));

    Carnet carnet(programme.path(), [] { return QDateTime::currentDateTime(); }, [](const QString &) { return false; });
    carnet.ouvre(QStringLiteral("F8KOB"), QStringLiteral("2008"));
    Station station(carnet);
    Fenetres::Centre(&station);
    station.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&station, sortie.filePath(QStringLiteral("station.png")));

    Recherche_Indicatif recherche(fenetre.findChild<QAbstractItemView *>(QStringLiteral("Liste_DFCF"))->model());
    Fenetres::Centre(&recherche);
    recherche.show();
    auto *indica = recherche.findChild<QLineEdit *>(QStringLiteral("Indica"));
    indica->setText(QStringLiteral("F5"));
    QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(indica, &entree);
    QApplication::processEvents();
    ok &= Ecrit_Png(&recherche, sortie.filePath(QStringLiteral("recherche.png")));

    Reglement reglement;
    Fenetres::Centre(&reglement);
    reglement.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&reglement, sortie.filePath(QStringLiteral("reglement.png")));

    const auto contenu = Lit_Log(log.fileName());
    if (!contenu)
        return 1;
    Recapitulatif recap(Compte_Recapitulatif(contenu.valeur()), QStringLiteral("2008"));
    Fenetres::Centre(&recap);
    recap.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&recap, sortie.filePath(QStringLiteral("recapitulatif.png")));

    Compte_Rendu compte_rendu(contenu.valeur(), liste, QStringLiteral("F8KOB"), QStringLiteral("2008"), QDate(2009, 2, 20), programme.path());
    Fenetres::Centre(&compte_rendu);
    compte_rendu.show();
    ok &= Ecrit_Png(&compte_rendu, sortie.filePath(QStringLiteral("compte_rendu.png")));

    Aff_Contacte contactes(contenu.valeur(), QString::number(Compte_Recapitulatif(contenu.valeur()).total));
    Fenetres::Centre(&contactes);
    contactes.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&contactes, sortie.filePath(QStringLiteral("contactes.png")));

    const Carte_Log carte = Colore_Carte(contenu.valeur());
    Carte_Acti map(carte.vert, carte.nombre, QStringLiteral("2008"));
    Fenetres::Centre(&map);
    map.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&map, sortie.filePath(QStringLiteral("carte.png")));

    // The preview of an import from another logger.
    const QByteArray adi = "Export d'un autre carnet\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n"
                           "<CALL:5>F5ABC <QSO_DATE:8>20080105 <SIG:3>DMF <SIG_INFO:5>21001 <EOR>\r\n"
                           "<CALL:5>F1NEW <QSO_DATE:8>20080309 <COMMENT:17>Moulin DMF-29020 <EOR>\r\n"
                           "<CALL:5>F6AAA <QSO_DATE:8>20080310 <SIG:3>DMF <SIG_INFO:9>DMF-67110 <EOR>\r\n"
                           "<CALL:5>F8KOB <QSO_DATE:8>20080311 <MY_SIG:3>DMF <MY_SIG_INFO:5>21999 <EOR>\r\n"
                           "<CALL:5>F4OLD <QSO_DATE:8>20070311 <SIG:3>DMF <SIG_INFO:5>21888 <EOR>\r\n"
                           "<CALL:5>f2low <QSO_DATE:8>20080312 <SIG:3>DMF <SIG_INFO:5>../.. "
                           "<APP_DEZUDIDAR_TYPE:15>Moulin Contacte <EOR>\r\n";
    ADIF::Lecteur lecteur(adi);
    auto analyse = ADIF::Analyse_Import(lecteur, contenu.valeur(), QStringLiteral("2008"));
    if (!analyse)
        return 1;
    Import_ADIF import(std::move(analyse).valeur(), carnet, QStringLiteral("autre_carnet.adi"));
    Fenetres::Centre(&import);
    import.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&import, sortie.filePath(QStringLiteral("import_adif.png")));

    // An activation's own log: a day at a mill, then QSOs that do not say it.
    {
        QByteArray activation = "<EOH>\r\n";
        const char *bandes[] = {"40m", "20m", "80m"};
        for (int i = 0; i < 63; ++i)
            activation += "<CALL:6>F5A" + QByteArray::number(100 + i) + " <QSO_DATE:8>20080315 <TIME_ON:4>"
                        + QTime(8, 12).addSecs(i * 420).toString(QStringLiteral("HHmm")).toLatin1() + " <BAND:3>" + bandes[i % 3]
                        + (i % 4 ? " <MODE:3>SSB" : " <MODE:2>CW") + " <OPERATOR:5>" + (i % 2 ? "F8KOB" : "F4DEF")
                        + " <STATION_CALLSIGN:7>F8KOB/P <MY_SIG:3>DMF <MY_SIG_INFO:5>21001 <EOR>\r\n";
        for (int i = 0; i < 12; ++i)
            activation += "<CALL:6>F6B" + QByteArray::number(100 + i) + " <QSO_DATE:8>20080316 <TIME_ON:4>09" + QByteArray::number(10 + i)
                        + " <BAND:3>40m <MODE:3>SSB <OPERATOR:5>F8KOB <MY_SIG:3>DMF <MY_SIG_INFO:5>21001 <EOR>\r\n";
        activation += "<CALL:5>F1AAA <QSO_DATE:8>20080316 <TIME_ON:4>1400 <BAND:3>20m <MODE:3>FT8 <EOR>\r\n";
        ADIF::Lecteur lecteur(activation);
        auto lu = Activite::Lit_Activations(lecteur);
        if (!lu)
            return 1;
        Feuille_Activite feuille(std::move(lu).valeur(), liste, QStringLiteral("activation_21001.adi"), QStringLiteral("F8KOB/P"),
                                 QDate(2008, 3, 17), programme.path());
        Fenetres::Centre(&feuille);
        feuille.show();
        QApplication::processEvents();
        ok &= Ecrit_Png(&feuille, sortie.filePath(QStringLiteral("feuille_activite.png")));
        feuille.findChild<QTabWidget *>(QStringLiteral("Onglets_Activite"))->setCurrentIndex(2);
        QApplication::processEvents();
        ok &= Ecrit_Png(&feuille, sortie.filePath(QStringLiteral("feuille_activite_feuille.png")));
    }

    // A general log being read: its progress, halfway.
    {
        std::atomic<bool> vue = false;
        QTimer::singleShot(100, [&] {
            if (QWidget *dialogue = QApplication::activeModalWidget())
                ok &= Ecrit_Png(dialogue, sortie.filePath(QStringLiteral("progression_import.png")));
            vue = true;
        });
        Progression::Execute(nullptr, QStringLiteral("Progression_Import"), QStringLiteral("Lecture du fichier journal_general.adi..."), 0,
                             [&](const Progression::Avance &avance) {
                                 avance(1, 2);
                                 while (!vue)
                                     QThread::msleep(5);
                             });
    }

    // Three backups of the log, and the window that puts one back.
    for (int i = 0; i < 3; ++i)
        if (!Sauvegardes::Sauvegarde_Log(log.fileName(), QDateTime(QDate(2008, 3, 8 - i), QTime(9 + i, 15, 0))))
            return 1;
    Restauration restauration(Sauvegardes::Liste(log.fileName()), carnet);
    Fenetres::Centre(&restauration);
    restauration.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&restauration, sortie.filePath(QStringLiteral("restauration.png")));

    // A published list validating the pending QSO of the sample.
    const auto numeros = Numeros_Valides("DMF;Nom\r\n29015;Moulin de Kerouat\r\n");
    const Apercu_Validations apercu = Apercu(contenu.valeur(), numeros);
    QStringList a_valider;
    for (qsizetype i : apercu.lignes)
        a_valider << Depuis_Log(contenu.valeur().ligne_liste(i));
    Validations validations(a_valider, apercu.restent, apercu.points, numeros, carnet);
    Fenetres::Centre(&validations);
    validations.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&validations, sortie.filePath(QStringLiteral("validations.png")));

    // The radio, tried from its window.
    Hamlib_Exemple hamlib;
    const Radio::Reglages radio{Radio::Type::Hamlib, QStringLiteral("127.0.0.1"), hamlib.port()};
    Poste poste(radio);
    Fenetres::Centre(&poste);
    poste.show();
    auto *etat_poste = poste.findChild<QLabel *>(QStringLiteral("Etat_Poste"));
    poste.findChild<QPushButton *>(QStringLiteral("Poste_Essayer"))->click();
    Attend([&] { return etat_poste->text().startsWith(QStringLiteral("Le poste répond")); });
    ok &= Ecrit_Png(&poste, sortie.filePath(QStringLiteral("poste.png")));

    const QDateTime heure(QDate(2008, 3, 15), QTime(18, 30), Qt::UTC);
    Veille_Spots veille(Cluster::Index_Log(contenu.valeur()), liste, Alertes::Reglages(), [heure] { return heure; });
    Spots_DMF spots({QStringLiteral("dxc.exemple.fr"), 7300, QStringLiteral("F8KOB"), false}, veille, radio);
    QList<Cluster::Spot> lus;
    for (const char *l : {"  7012.0  F1ZZZ       15-Mar-2008 1805Z  DMF 29015 CW      <F5XYZ>",
                          "  7013.5  F6XYZ/P     15-Mar-2008 1812Z  DMF 21002 CW      <F6AAA>",
                          " 14285.0  F4NEW       15-Mar-2008 1820Z  dmf-35012 SSB moulin de Brocéliande <F1ABC>",
                          "DX de F5XYZ:     3532.0  TK5YY        DMF 2B007 SSB       1826Z JN42"})
        if (auto s = Cluster::Lit_Spot(l, heure))
            lus.append(*s);
    spots.modele()->ajoute(lus);
    spots.modele()->montre();
    Fenetres::Centre(&spots);
    spots.show();
    // The 20 m spot picked: the radio tuned to it, its row in bold.
    auto *table = spots.findChild<QAbstractItemView *>(QStringLiteral("Table_Spots"));
    for (int i = 0; i < table->model()->rowCount(); ++i)
        if (table->model()->index(i, Modele_Spots::Indicatif).data().toString() == QLatin1String("F4NEW"))
            table->setCurrentIndex(table->model()->index(i, 0));
    QKeyEvent choix(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(table, &choix);
    auto *frequence = spots.findChild<QLabel *>(QStringLiteral("Frequence_Poste"));
    Attend([&] { return frequence->text().contains(QStringLiteral("14 285,0")); });
    // The cursor gone on, the bold row stands out.
    table->setCurrentIndex(table->model()->index(table->model()->rowCount() - 1, 0));
    QApplication::processEvents();
    ok &= Ecrit_Png(&spots, sortie.filePath(QStringLiteral("spots.png")));

    Annonce_Spot annonce({14'285'000, QStringLiteral("F8KOB/P"), QStringLiteral("35012"), QStringLiteral("USB")},
                         [](const Cluster::Annonce &) { return Succes(); });
    Fenetres::Centre(&annonce);
    annonce.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&annonce, sortie.filePath(QStringLiteral("annonce.png")));

    // Three earlier years beside the sample log, each a little busier.
    for (int annee = 2005; annee <= 2007; ++annee) {
        QByteArray f;
        for (int i = 0; i < 60 + (annee - 2005) * 40; ++i) {
            const QDate jour = QDate(annee, 1, 1).addDays((i * 37) % 365);
            const QByteArray dmf = QByteArray::number(1000 + (i * 7919) % 94000).rightJustified(5, '0');
            Champs_QSO q{jour.toString(QStringLiteral("dd/MM/yy")), i % 11 == 0, QString::fromLatin1(dmf),
                         Textes_Types_Activite().at(i % 4), QStringLiteral("F5ABC")};
            f += Construit_Ligne_QSO(q).valeur() + "\r\n";
        }
        QFile ancien(QDir(programme.path()).filePath(QStringLiteral("F8KOB_Dezudidar_ERI_%1.txt").arg(annee)));
        if (!ancien.open(QIODevice::WriteOnly) || ancien.write(f) < 0)
            return 1;
    }
    Statistiques statistiques(Bilan::Lit_Statistiques(programme.path(), QStringLiteral("F8KOB"), QStringLiteral("2008")),
                              programme.path(), QStringLiteral("F8KOB"), QDate(2008, 3, 8));
    Fenetres::Centre(&statistiques);
    statistiques.show();
    QApplication::processEvents();
    ok &= Ecrit_Png(&statistiques, sortie.filePath(QStringLiteral("statistiques.png")));
    QImage image(Statistiques::Taille_Image, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        statistiques.Dessine(p, image.rect());
    }
    ok &= image.save(sortie.filePath(QStringLiteral("statistiques_image.png")));
    // The printed page, as the printer gets it.
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(sortie.filePath(QStringLiteral("statistiques_impression.pdf")));
    imprimante.setPageOrientation(QPageLayout::Landscape);
    ok &= bool(Impression::Imprime_Dessin(imprimante, [&](QPainter &p, const QRect &page) { statistiques.Dessine(p, page); }));
    return ok ? 0 : 1;
}
