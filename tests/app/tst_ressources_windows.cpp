// What Explorer, the taskbar and Alt-Tab read from the executable: the mill
// icon and the version, as Windows itself reads them.
#include "Icone.h"
#include "Reglages.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

class Tst_Ressources_Windows : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
#ifndef Q_OS_WIN
        QSKIP("Icons and versions in an executable are Windows's.");
#endif
    }
    void icone_du_moulin();
    void version_du_programme();
};

namespace {

QString Programme() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(PROGRAMME_RELATIF)); }

} // namespace

void Tst_Ressources_Windows::icone_du_moulin()
{
#ifdef Q_OS_WIN
    QVERIFY(QFileInfo::exists(Programme()));
    const std::wstring chemin = QDir::toNativeSeparators(Programme()).toStdWString();
    HICON grande = nullptr, petite = nullptr;
    QCOMPARE(::ExtractIconExW(chemin.c_str(), 0, &grande, &petite, 1), UINT(1));
    for (HICON h : {grande, petite}) {
        QVERIFY(h);
        const QImage image = QImage::fromHICON(h).convertToFormat(QImage::Format_ARGB32);
        ::DestroyIcon(h);
        QVERIFY(!image.isNull());
        // The drawing at that size, give or take what a conversion rounds.
        const QImage attendue = Icone::Image(image.width()).convertToFormat(QImage::Format_ARGB32);
        int ecarts = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor a(image.pixel(x, y)), b(attendue.pixel(x, y));
                ecarts += qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) > 24
                    || qAbs(a.alpha() - b.alpha()) > 8;
            }
        QVERIFY2(ecarts * 50 < image.width() * image.height(), qPrintable(QString::number(ecarts)));
    }
#endif
}

void Tst_Ressources_Windows::version_du_programme()
{
#ifdef Q_OS_WIN
    const std::wstring chemin = QDir::toNativeSeparators(Programme()).toStdWString();
    DWORD poignee = 0;
    const DWORD taille = ::GetFileVersionInfoSizeW(chemin.c_str(), &poignee);
    QVERIFY(taille > 0);
    QByteArray infos(int(taille), '\0');
    QVERIFY(::GetFileVersionInfoW(chemin.c_str(), 0, taille, infos.data()));
    auto valeur = [&](const wchar_t *nom) {
        void *texte = nullptr;
        UINT longueur = 0;
        const std::wstring cle = std::wstring(L"\\StringFileInfo\\040C04B0\\") + nom;
        if (!::VerQueryValueW(infos.constData(), cle.c_str(), &texte, &longueur) || !longueur)
            return QString();
        return QString::fromWCharArray(static_cast<const wchar_t *>(texte), int(longueur) - 1);
    };
    QCOMPARE(valeur(L"ProductName"), QStringLiteral("KOB_Dezudidar_ERI"));
    QCOMPARE(valeur(L"FileVersion"), QString::fromLatin1(Sous_Programmes::Revision_Programme).trimmed());
    QVERIFY(valeur(L"FileDescription").contains(QStringLiteral("Dezudidar ERI")));
    VS_FIXEDFILEINFO *fixe = nullptr;
    UINT longueur = 0;
    QVERIFY(::VerQueryValueW(infos.constData(), L"\\", reinterpret_cast<void **>(&fixe), &longueur) && fixe);
    const QStringList parties = QString::fromLatin1(Sous_Programmes::Revision_Programme).trimmed().split(u'.');
    QCOMPARE(int(HIWORD(fixe->dwFileVersionMS)), parties.value(0).toInt());
    QCOMPARE(int(LOWORD(fixe->dwFileVersionMS)), parties.value(1).toInt());
    QCOMPARE(int(HIWORD(fixe->dwFileVersionLS)), parties.value(2).toInt());
#endif
}

QTEST_MAIN(Tst_Ressources_Windows)
#include "tst_ressources_windows.moc"
