#include "Style_Leger.h"

#include <QApplication>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#else
#include <link.h>
#endif

namespace {

// Whether a library of Qt's imageformats plugins is loaded in this process.
bool Greffon_Image_Charge()
{
#ifdef Q_OS_WIN
    HMODULE modules[1024];
    DWORD octets = 0;
    if (!::K32EnumProcessModules(::GetCurrentProcess(), modules, sizeof modules, &octets))
        return false;
    for (DWORD i = 0; i < octets / sizeof(HMODULE) && i < 1024; ++i) {
        wchar_t nom[MAX_PATH];
        if (::GetModuleFileNameW(modules[i], nom, MAX_PATH)
            && QString::fromWCharArray(nom).contains(QLatin1String("\\imageformats\\"), Qt::CaseInsensitive))
            return true;
    }
    return false;
#else
    bool charge = false;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *donnees) {
            if (info->dlpi_name && QByteArray(info->dlpi_name).contains("/imageformats/"))
                *static_cast<bool *>(donnees) = true;
            return 0;
        },
        &charge);
    return charge;
#endif
}

QImage Dessin(QWidget &w, QStyle *style)
{
    w.setStyle(style);
    for (QWidget *enfant : w.findChildren<QWidget *>())
        enfant->setStyle(style);
    w.resize(220, 90);
    return w.grab().toImage();
}

} // namespace

class Tst_Style_Leger : public QObject {
    Q_OBJECT

private slots:
    // First: nothing before it may have read an image.
    void fenetre_dessinee_sans_greffon_d_image();
    void cadre_de_groupe_comme_fusion_data();
    void cadre_de_groupe_comme_fusion();
    void fleche_du_menu_comme_fusion();
};

void Tst_Style_Leger::fenetre_dessinee_sans_greffon_d_image()
{
    QVERIFY(!Greffon_Image_Charge());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    Installe_Style_Leger();
    QVERIFY(dynamic_cast<Style_Leger *>(QApplication::style()));
    QMainWindow fenetre;
    fenetre.menuBar()->addMenu(QStringLiteral("Fichier"));
    auto *centre = new QWidget;
    auto *page = new QVBoxLayout(centre);
    page->addWidget(new QGroupBox(QStringLiteral("Saisie")));
    page->addWidget(new QGroupBox);
    fenetre.setCentralWidget(centre);
    fenetre.resize(300, 200);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    const QImage image = fenetre.grab().toImage();
    QVERIFY(!image.isNull());
    QVERIFY(!Greffon_Image_Charge());
}

void Tst_Style_Leger::cadre_de_groupe_comme_fusion_data()
{
    QTest::addColumn<QString>("titre");
    QTest::addColumn<bool>("a_cocher");
    QTest::newRow("titre") << QStringLiteral("Saisie du QSO") << false;
    QTest::newRow("sans titre") << QString() << false;
    QTest::newRow("a cocher sans titre") << QString() << true;
}

// Pixel for pixel what Fusion draws, whatever the title.
void Tst_Style_Leger::cadre_de_groupe_comme_fusion()
{
    QFETCH(QString, titre);
    QFETCH(bool, a_cocher);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    Style_Leger leger(QStyleFactory::create(QStringLiteral("fusion")));
    QGroupBox groupe(titre);
    groupe.setCheckable(a_cocher);
    const QImage attendue = Dessin(groupe, fusion.get());
    const QImage obtenue = Dessin(groupe, &leger);
    QCOMPARE(obtenue, attendue);
    // The frame is there: some pixel differs from the plain background.
    QImage fond(attendue.size(), attendue.format());
    fond.fill(groupe.palette().color(QPalette::Window));
    QVERIFY(obtenue != fond);
}

void Tst_Style_Leger::fleche_du_menu_comme_fusion()
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    Style_Leger leger(QStyleFactory::create(QStringLiteral("fusion")));
    for (auto icone : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QImage attendue = fusion->standardIcon(icone).pixmap(16).toImage();
        QVERIFY(!attendue.isNull());
        QCOMPARE(static_cast<QStyle &>(leger).standardIcon(icone).pixmap(16).toImage(), attendue);
    }
}

QTEST_MAIN(Tst_Style_Leger)
#include "tst_style_leger.moc"
