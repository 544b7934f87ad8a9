#include "Avertisseur.h"

#include "Son.h"

#include <QApplication>
#include <QSystemTrayIcon>

namespace {

class Bureau : public Avertisseur {
public:
    explicit Bureau(QString son) : m_son(std::move(son)) {}

    void notifie(const QString &texte) override
    {
        if (!QSystemTrayIcon::isSystemTrayAvailable())
            return;
        // Put in the notification area at the first alert, not before.
        if (!m_icone) {
            m_icone = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
            m_icone->setToolTip(QStringLiteral("KOB_Dezudidar_ERI : moulin annoncé"));
            connect(m_icone.get(), &QSystemTrayIcon::messageClicked, this, &Avertisseur::notification_choisie);
            connect(m_icone.get(), &QSystemTrayIcon::activated, this, &Avertisseur::notification_choisie);
            m_icone->show();
        }
        m_icone->showMessage(QStringLiteral("KOB_Dezudidar_ERI"), texte, QSystemTrayIcon::Information, 15000);
    }

    void sonne() override { Joue_Son(m_son); }

private:
    QString m_son;
    std::unique_ptr<QSystemTrayIcon> m_icone;
};

} // namespace

std::unique_ptr<Avertisseur> Avertisseur_Bureau(const QString &son) { return std::make_unique<Bureau>(son); }
