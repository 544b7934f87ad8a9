// An empty Qt Widgets window: what any such program costs to start, the
// floor the real program's cold start is compared with. With the argument
// "texte", the window shows one line of text: the cost of the font system,
// which any window with words pays once.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

// Whether the window has been painted since it was shown.
struct Peinte : QObject {
    bool oui = false;
    bool eventFilter(QObject *, QEvent *e) override { oui |= e->type() == QEvent::Paint; return false; }
};

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget fenetre;
    fenetre.resize(640, 480);
    if (argc > 1 && std::strcmp(argv[1], "texte") == 0)
        (new QLabel(QStringLiteral("Dezudidar ERI"), &fenetre))->move(20, 20);
    Peinte peinte;
    fenetre.installEventFilter(&peinte);
    fenetre.show();
    QTimer::singleShot(0, &fenetre, [&] {
        // Painted once, as the program is: now, if the system has not asked yet.
        QApplication::processEvents();
        if (!peinte.oui)
            fenetre.repaint();
        std::fputs("pret\n", stdout);
        std::fflush(stdout);
        QApplication::quit();
    });
    return application.exec();
}
