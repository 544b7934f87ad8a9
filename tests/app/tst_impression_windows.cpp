// Printing on Windows as the operator does it: the system's print dialog,
// then the default printer. Run where a printer is given to Windows (under
// Wine, a PDF printer from CUPS); the PDFs are read by the script that
// started that printer.
#include "Banc_Main.h"

#include "Impression.h"

#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include <cwchar>
#include <windows.h>

namespace {

const QList<QByteArray> Log{Ligne("01/03/07", "21001", "Moulin Contacte", "F5IMP"),
                            Ligne("02/03/07", "2A001", "Moulin active", "TK5IMP"),
                            Ligne("03/03/07", "29015", "Moulin active", "F1IMP", true)};

// The system's dialog of this thread, once it is on screen.
HWND Dialogue_Systeme()
{
    HWND trouve = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND h, LPARAM l) -> BOOL {
            wchar_t classe[16] = {};
            ::GetClassNameW(h, classe, 16);
            if (std::wcscmp(classe, L"#32770") == 0 && ::IsWindowVisible(h)) {
                *reinterpret_cast<HWND *>(l) = h;
                return FALSE;
            }
            return TRUE;
        },
        LPARAM(&trouve));
    return trouve;
}

// Runs `imprime` and presses the print dialog's Print button once it shows;
// false when no dialog showed.
bool Imprime_Par_Le_Dialogue(const std::function<void()> &imprime)
{
    bool vu = false;
    QTimer guet;
    guet.setInterval(200);
    QObject::connect(&guet, &QTimer::timeout, [&] {
        if (HWND d = Dialogue_Systeme()) {
            vu = true;
            guet.stop();
            ::PostMessageW(d, WM_COMMAND, IDOK, 0);
        }
    });
    guet.start();
    imprime();
    return vu;
}

} // namespace

class Tst_Impression_Windows : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        // Only on the PDF queue windows.sh gives Wine: never on a real printer.
        if (QPrinterInfo::defaultPrinterName() != QLatin1String("KOB_PDF"))
            QSKIP("The default printer is not windows.sh's KOB_PDF queue.");
        Impression::Installe_Choix({});
    }
    void liste_des_contactes();
    void statistiques();
};

void Tst_Impression_Windows::liste_des_contactes()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    b.messages.clear();
    QVERIFY(Imprime_Par_Le_Dialogue([&] { b.action("Mnu_Imp_Contacte")->trigger(); }));
    QVERIFY2(b.messages.isEmpty(), qPrintable(b.messages.join(u'\n')));
}

void Tst_Impression_Windows::statistiques()
{
    // Wine's PostScript driver crashes embedding the fonts it picks for the
    // charts (CFF OpenType ones); their PDF is tested without a printer.
    if (::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        QSKIP("Wine's PostScript driver cannot embed the fonts it gives the charts.");
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    b.messages.clear();
    b.action("Mnu_Statistiques")->trigger();
    QWidget *s = Banc_Main::fenetre_ouverte("Statistiques");
    QVERIFY(s);
    auto *imprimer = s->findChild<QPushButton *>(QStringLiteral("Imprimer_Statistiques"));
    QVERIFY(imprimer);
    QVERIFY(Imprime_Par_Le_Dialogue([&] { imprimer->click(); }));
    QVERIFY2(b.messages.isEmpty(), qPrintable(b.messages.join(u'\n')));
}

QTEST_MAIN(Tst_Impression_Windows)
#include "tst_impression_windows.moc"
