// A bare QMainWindow started the way the game starts its table window, with the
// same report as `bench --copil-masa`: the first painted frame, then the
// resident size once it has been at rest for a moment.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

long rezident_kb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> campuri = f.readAll().simplified().split(' ');
    return campuri.size() > 1 ? campuri[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// Reports once the first paint of the window has been delivered.
class PrimaPictare : public QObject {
public:
    explicit PrimaPictare(QWidget* w) : w_(w) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (!gata_ && e->type() == QEvent::Paint && o->isWidgetType() &&
            static_cast<QWidget*>(o)->window() == w_) {
            gata_ = true;
            // After the whole paint pass, not in the middle of it.
            QTimer::singleShot(0, [] {
                std::printf("pictat\n");
                std::fflush(stdout);
                QTimer::singleShot(300, [] {
                    std::printf("rezident %ld\n", rezident_kb());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            });
        }
        return false;
    }

private:
    QWidget* w_;
    bool gata_ = false;
};

} // namespace

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
