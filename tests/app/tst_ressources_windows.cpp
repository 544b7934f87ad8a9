// What Explorer, the taskbar and Alt-Tab read from the executable: the mill
// icon and the version, as Windows itself reads them.
#include "Icone.h"
#include "Reglages.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTest>

#include <windows.h>
#include <shellapi.h>

class Tst_Ressources_Windows : public QObject {
    Q_OBJECT

private slots:
    void icone_du_moulin();
    void version_du_programme();
};

namespace {

// The pixels of an icon read back that are not the drawing at its size,
// give or take what a conversion rounds; compared premultiplied, as an edge
// pixel almost transparent has no colour to speak of.
int Ecarts(const QImage &lue)
{
    const QImage image = lue.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage attendue = Icone::Image(image.width()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int ecarts = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), b = attendue.pixel(x, y);
            ecarts += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) > 24
                || qAbs(qAlpha(a) - qAlpha(b)) > 8;
        }
    return ecarts;
}

QString Programme() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(PROGRAMME_RELATIF)); }

} // namespace

void Tst_Ressources_Windows::icone_du_moulin()
{
    QVERIFY(QFileInfo::exists(Programme()));
    const std::wstring chemin = QDir::toNativeSeparators(Programme()).toStdWString();
    // What the shell takes for Explorer's large icon.
    HICON grande = nullptr;
    QVERIFY(::ExtractIconExW(chemin.c_str(), 0, &grande, nullptr, 1) >= 1 && grande);
    const QImage shell = QImage::fromHICON(grande);
    ::DestroyIcon(grande);
    QVERIFY2(Ecarts(shell) * 50 < shell.width() * shell.height(), qPrintable(QString::number(Ecarts(shell))));
    // Each size, as the taskbar and Alt-Tab ask for one.
    HMODULE module = ::LoadLibraryExW(chemin.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    QVERIFY(module);
    for (int taille : Icone::Tailles) {
        HICON h = HICON(::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, taille, taille, 0));
        QVERIFY2(h, qPrintable(QString::number(taille)));
        const QImage image = QImage::fromHICON(h);
        ::DestroyIcon(h);
        QCOMPARE(image.width(), taille);
        QVERIFY2(Ecarts(image) * 50 < taille * taille, qPrintable(QStringLiteral("%1 pixels of %2x%2 differ").arg(Ecarts(image)).arg(taille)));
    }
    ::FreeLibrary(module);
}

void Tst_Ressources_Windows::version_du_programme()
{
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
}

QTEST_MAIN(Tst_Ressources_Windows)
#include "tst_ressources_windows.moc"
