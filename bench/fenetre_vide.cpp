// An empty Qt Widgets window: what any such program costs to start, the
// floor the real program's cold start is compared with.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget fenetre;
    fenetre.resize(640, 480);
    fenetre.show();
    QTimer::singleShot(0, &fenetre, [&] {
        QApplication::processEvents();
        fenetre.repaint();
        std::fputs("pret\n", stdout);
        std::fflush(stdout);
        QApplication::quit();
    });
    return application.exec();
}
