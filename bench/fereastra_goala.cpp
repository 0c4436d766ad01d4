// A bare QMainWindow started the way the game starts its table window, with the
// same report as `bench --copil-masa`: the first painted frame, then the
// resident size once it has been at rest for a moment.

#include "bench/raport_pornire.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dovek"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Dovek v3.2"));
    w.resize(1159, 756);
    PrimaPictare p(&w);
    w.show();
    return QApplication::exec();
}
