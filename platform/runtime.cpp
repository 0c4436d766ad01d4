#include "platform/runtime.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QScopeGuard>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace rt {

// ---- units -------------------------------------------------------------------

int px(int twips) { return static_cast<int>(std::lround(twips / double(TWIPS_PE_PIXEL))); }

QColor culoare(quint32 valoare) {
    if (valoare & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (valoare & 0xFFu) {
        case 0x08:
            return pal.color(QPalette::WindowText);
        case 0x0F:
            return pal.color(QPalette::Button);
        case 0x12:
            return pal.color(QPalette::ButtonText);
        default:
            return pal.color(QPalette::Window);
        }
    }
    return QColor(int(valoare & 0xFF), int((valoare >> 8) & 0xFF), int((valoare >> 16) & 0xFF));
}

void instaleaza_fonturi() {
    // Fontconfig alone sends these to much wider faces; Liberation Sans and
    // Carlito keep the metrics the layout was made with.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Calibri"), QStringLiteral("Carlito"));
}

QFont font(const QString& familie, double puncte, bool bold) {
    QFont f(familie);
    f.setPointSizeF(puncte);
    f.setBold(bold);
    return f;
}

// ---- unwinding and waits -----------------------------------------------------------

namespace {
bool g_termina = false;
bool g_abandon = false;
std::vector<QPointer<QEventLoop>> g_bucle;
double g_scala = 1.0;
std::function<void(const QString&)> g_mesaje;

void iesi_din_bucle() {
    for (auto& b : g_bucle)
        if (b) b->quit();
}
void verifica_desfasurare() {
    if (g_termina || g_abandon) throw Desfasurare{};
}
} // namespace

bool se_termina() { return g_termina; }

void termina_programul() {
    if (g_termina) return;
    g_termina = true;
    iesi_din_bucle();
    QCoreApplication::exit(0);
}

void abandoneaza_jocul() {
    g_abandon = true;
    iesi_din_bucle();
}
bool abandon_cerut() { return g_abandon; }
void abandonul_s_a_incheiat() { g_abandon = false; }

void ruleaza_protejat(const std::function<void()>& cod) {
    try {
        cod();
    } catch (const Desfasurare&) {
        // The game unwound on purpose; nothing of the table is touched here.
    }
}

void asteapta_pana(const std::function<bool()>& gata) {
    verifica_desfasurare();
    while (!gata()) {
        QEventLoop bucla;
        g_bucle.emplace_back(&bucla);
        bucla.exec(QEventLoop::AllEvents);
        g_bucle.pop_back();
        verifica_desfasurare();
    }
}

void trezeste() { iesi_din_bucle(); }

int adancime_asteptari() { return int(g_bucle.size()); }

// ---- timer ---------------------------------------------------------------------------

Timer::Timer(QObject* parinte) : QObject(parinte) {
    // Coarse timers may fire up to 5 % early; a pause must last its full length.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (enabled_) emit tick();
    });
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    if (on)
        timer_.start(static_cast<int>(std::lround(interval_ * g_scala)));
    else
        timer_.stop();
}

void seteaza_scala_pauzelor(double scala) { g_scala = scala < 0 ? 0 : scala; }
double scala_pauzelor() { return g_scala; }

// ---- message boxes -----------------------------------------------------------------------

void mesaj(const QString& text) {
    verifica_desfasurare();
    if (g_mesaje) {
        g_mesaje(text);
    } else {
        // Modal as with exec(), but waited for like every other wait, so that
        // closing the program or a new game ends it too. Its parent window may
        // go while it waits, taking the box along: hence the guard.
        const QPointer<QMessageBox> box =
            new QMessageBox(QMessageBox::NoIcon, QCoreApplication::applicationName(), text,
                            QMessageBox::Ok, QApplication::activeWindow());
        const auto sterge = qScopeGuard([&box] { delete box.data(); });
        box->setWindowModality(Qt::ApplicationModal);
        QObject::connect(box, &QMessageBox::finished, box, [] { trezeste(); });
        QObject::connect(box, &QObject::destroyed, [] { trezeste(); });
        box->show();
        asteapta_pana([&box] { return !box || !box->isVisible(); });
    }
    verifica_desfasurare();
}

void seteaza_inregistrare_mesaje(std::function<void(const QString&)> hook) {
    g_mesaje = std::move(hook);
}

// ---- random numbers ------------------------------------------------------------------------

namespace {
std::mt19937& generator() {
    static std::mt19937 g(5489u);
    return g;
}
class SursaGlobala final : public dovek::SursaAleatoare {
public:
    float urmator() override { return aleator(); }
};
} // namespace

float aleator() {
    // 24 random bits give every float in [0, 1) on the 2^-24 grid, never 1.
    return float(generator()() >> 8) * (1.0f / 16777216.0f);
}

void randomizeaza() {
    generator().seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
}

void seteaza_samanta(quint32 samanta) { generator().seed(samanta); }

dovek::SursaAleatoare& sursa_aleatoare() {
    static SursaGlobala s;
    return s;
}

// ---- files ---------------------------------------------------------------------------------

QString director_curent() { return QDir::currentPath(); }

// ---- enabling a window -------------------------------------------------------------------

namespace {
class FiltruIntrare final : public QObject {
public:
    std::vector<QPointer<QWidget>> dezactivate;

    bool apartine(QObject* o) const {
        // A shortcut goes to its action, not to a widget: the action belongs to
        // the windows that show it (a menu, and through it the menu bar).
        if (const auto* a = qobject_cast<QAction*>(o)) {
            const QList<QObject*> unde = a->associatedObjects();
            return std::any_of(unde.begin(), unde.end(), [this](QObject* w) { return apartine(w); });
        }
        for (auto* w = qobject_cast<QWidget*>(o); w; w = w->parentWidget())
            for (const auto& d : dezactivate)
                if (d == w) return true;
        return false;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
            return apartine(o);
        default:
            return false;
        }
    }
};

FiltruIntrare* filtru() {
    static QPointer<FiltruIntrare> f;
    if (!f) {
        f = new FiltruIntrare;
        f->setParent(qApp);
        qApp->installEventFilter(f);
    }
    return f;
}
} // namespace

void activeaza_fereastra(QWidget* fereastra, bool activa) {
    if (!fereastra) return;
    auto* f = filtru();
    std::erase_if(f->dezactivate, [&](const QPointer<QWidget>& w) { return !w || w == fereastra; });
    if (!activa) f->dezactivate.emplace_back(fereastra);
}

bool fereastra_activa(const QWidget* fereastra) {
    auto* f = filtru();
    for (const auto& w : f->dezactivate)
        if (w == fereastra) return false;
    return true;
}

// ---- tests ---------------------------------------------------------------------------------

void reseteaza_pentru_teste() {
    if (g_termina) {
        // Once exit was asked for, Qt ends every new event loop at once until the
        // application's own loop has run again; run it for one turn.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
    g_termina = false;
    g_abandon = false;
}

} // namespace rt
