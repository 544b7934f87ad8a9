#pragma once

#include "Carnet.h"
#include "Avertisseur.h"
#include "Main.h"
#include "Saisie.h"
#include "Message.h"
#include "Outils_Test.h"
#include "Reglages.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <deque>
#include <memory>

// A real main window on a program folder and settings of its own, with a
// clock that says what the test wants and a stand-in who answers messages.
// Counts what would go to the desktop, and says nothing.
class Avertisseur_Muet : public Avertisseur {
public:
    void notifie(const QString &texte) override { notifications << texte; }
    void sonne() override { ++sons; }
    QStringList notifications;
    int sons = 0;
};

class Banc_Main {
public:
    Banc_Main()
    {
        QVERIFY(m_reglages.isValid());
        Isole_Reglages(m_reglages.path());
        Message::Installe_Repondeur([this](const QString &texte, QMessageBox::StandardButtons boutons) {
            messages << texte;
            if (!reponses.empty()) {
                const auto r = reponses.front();
                reponses.pop_front();
                return r;
            }
            return (boutons & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
    }
    ~Banc_Main() { Message::Installe_Repondeur({}); }

    // The station set up as the station window leaves it, with its log.
    void station(const QString &indicatif, const QString &annee, const QByteArray &log, bool date_automatique = true)
    {
        QVERIFY(Sous_Programmes::Sauve_Station(indicatif, annee).ok());
        QVERIFY(Sous_Programmes::Sauve_Date_Automatique(indicatif, date_automatique).ok());
        dossier.ecrit(indicatif + QStringLiteral("_Dezudidar_ERI_") + annee + QStringLiteral(".txt"), log);
    }

    Main &demarre()
    {
        Environnement env{dossier.chemin(), [this] { return maintenant; }, zone};
        env.delai_progression_ms = delai_progression_ms;
        env.manuel_dans_navigateur = manuel_dans_navigateur;
        env.avertisseur = avertisseur;
        fenetre = std::make_unique<Main>(env);
        fenetre->show();
        if (!QTest::qWaitForWindowActive(fenetre.get()))
            qWarning("main window not active");
        return *fenetre;
    }

    template <typename T = QWidget>
    T *controle(const char *nom) const
    {
        T *c = fenetre->findChild<T *>(QString::fromLatin1(nom));
        if (!c)
            qFatal("no control %s", nom);
        return c;
    }
    QLineEdit *champ(const char *nom) const { return controle<QLineEdit>(nom); }
    QComboBox *type() const { return controle<QComboBox>("Type_A"); }
    QAbstractItemView *liste() const { return controle<QAbstractItemView>("Liste_DFCF"); }
    QPushButton *bouton(const char *nom) const { return controle<QPushButton>(nom); }
    QAction *action(const char *nom) const { return controle<QAction>(nom); }

    static QRgb fond(QWidget *w) { return w->palette().color(QPalette::Base).rgb() & 0xFFFFFF; }
    QWidget *focus() const { return QApplication::focusWidget(); }

    void tape(QWidget *w, const QString &texte) { QTest::keyClicks(w, texte); }
    void entree(QWidget *w) { QTest::keyClick(w, Qt::Key_Return); }
    void saisit(QWidget *w, const QString &texte)
    {
        if (auto *l = qobject_cast<QLineEdit *>(w))
            l->clear();
        tape(w, texte);
        entree(w);
    }

    bool modification() const { return fenetre->saisie().etat() == Saisie::Etat::Modification; }

    int lignes() const { return liste()->model()->rowCount(); }
    QString ligne_liste(int i) const { return liste()->model()->index(i, 0).data().toString(); }
    void clique_ligne(int i)
    {
        const QModelIndex index = liste()->model()->index(i, 0);
        liste()->scrollTo(index);
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, {}, liste()->visualRect(index).center());
    }
    void double_clique_ligne(int i)
    {
        clique_ligne(i);
        const QModelIndex index = liste()->model()->index(i, 0);
        QTest::mouseDClick(liste()->viewport(), Qt::LeftButton, {}, liste()->visualRect(index).center());
    }

    // Types a whole QSO from the first empty field, up to the record button.
    void saisit_qso(const QString &indicatif, int type_activite, const QString &dmf, bool attente = false)
    {
        saisit(champ("Ind_A"), indicatif);
        type()->setCurrentIndex(type_activite);
        entree(type());
        saisit(champ("DMF_A"), dmf);
        auto *validation = controle<QCheckBox>("Validation_A");
        validation->setChecked(attente);
        entree(validation);
    }

    QString log() const { return QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"); }

    // The visible top-level window of that name, opened by the main window
    // and given the focus.
    template <typename T = QWidget>
    static T *fenetre_ouverte(const char *nom)
    {
        T *f = fenetre_visible<T>(nom);
        if (f && !QTest::qWaitForWindowActive(f))
            qWarning("%s not active", nom);
        return f;
    }
    template <typename T = QWidget>
    static T *fenetre_visible(const char *nom)
    {
        T *trouvee = nullptr;
        int nombre = 0;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(nom) && w->isVisible()) {
                trouvee = qobject_cast<T *>(w);
                ++nombre;
            }
        }
        return nombre == 1 ? trouvee : nullptr;
    }
    static int fenetres_ouvertes(const char *nom)
    {
        int nombre = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            nombre += w->objectName() == QLatin1String(nom) && w->isVisible();
        return nombre;
    }

    Dossier_Test dossier;
    std::shared_ptr<Avertisseur_Muet> avertisseur = std::make_shared<Avertisseur_Muet>();
    QDateTime maintenant = QDateTime(QDate(2007, 3, 15), QTime(18, 30, 0), Qt::UTC);
    QTimeZone zone = QTimeZone("Europe/Paris");
    QStringList messages;
    int delai_progression_ms = 400;
    bool manuel_dans_navigateur = false;
    std::deque<QMessageBox::StandardButton> reponses;
    std::unique_ptr<Main> fenetre;

private:
    QTemporaryDir m_reglages;
};
