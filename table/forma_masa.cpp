#include "table/forma_masa.h"

#include "settings/forma_optiuni.h"
#include "settings/incarcare_setari.h"
#include "table/forma_carti.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace dovek {

namespace {
FormaMasa* g_masa = nullptr;

const QString MS_SANS_SERIF = QStringLiteral("MS Sans Serif");

struct LocMasa {
    int jucator_left, jucator_top;
    int rand_left, rand_top;
    const char* sageata;
    int decartat_left, decartat_top;
    int slot1_left, slot1_top;
    int pas_left, pas_top;   // from one slot to the next
    bool slot1_deasupra;     // slot 1 lies on top of the others
};

// Seats 1..6 clockwise from the human at the bottom.
constexpr LocMasa LOCURI[6] = {
    {3675, 9120, 4560, 9720, "stanga", 3000, 7560, 3480, 9480, -240, 0, true},
    {360, 8040, 360, 8280, "sus", 2280, 4800, 120, 6480, 0, -480, true},
    {1965, 1800, 1320, 240, "dreapta", 3000, 2040, 1800, 120, 240, 0, false},
    {6465, 1800, 5760, 240, "dreapta", 6720, 2040, 6240, 120, 240, 0, false},
    {9720, 2880, 9840, 2400, "jos", 7320, 4800, 9480, 3120, 0, 480, false},
    {8160, 9120, 9000, 9720, "stanga", 6720, 7560, 7920, 9480, -240, 0, true},
};

// The client area: the background colour under the wall picture, which is
// drawn unscaled from the top-left corner and is larger than the area, so its
// right and bottom edges are cut off.
class Suprafata final : public QWidget {
public:
    explicit Suprafata(QWidget* parinte)
        : QWidget(parinte), fundal_(QStringLiteral(":/fundal.png")) {
        // Every pixel is painted below; Qt need not clear it first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        // One plain copy per rectangle of the dirty region. A picture brush
        // over the whole region would take the paint engine's span fillers,
        // which hand every large fill to a thread pool and wait for it: that
        // cost a whole game three times as long, and more on a busy machine.
        QPainter p(this);
        const QRect picture = fundal_.rect();
        for (const QRect& r : e->region()) {
            p.setClipRect(r);
            if (!picture.contains(r)) p.fillRect(r, rt::culoare(0x00D8E9EC));
            p.drawPixmap(r, fundal_, r);
        }
    }

private:
    QPixmap fundal_;
};

// The table's design holds a blue back in every card place; it does not need
// the picture set for that.
const QPixmap& spate_din_design() {
    static const QPixmap p(QStringLiteral(":/carti/55.png"));
    return p;
}
} // namespace

FormaMasa* forma_masa() { return g_masa; }

FormaMasa::FormaMasa() {
    g_masa = this;
    rt::instaleaza_fonturi();
    setWindowTitle(QStringLiteral("Dovek v3.2"));
    setWindowIcon(QIcon(QStringLiteral(":/inima.png")));
    // Fixed single border: a minimise button, no maximise, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(rt::font(MS_SANS_SERIF, 8.25));

    suprafata = new Suprafata(this);
    suprafata->setFixedSize(rt::px(17385), rt::px(11040));
    suprafata->setMouseTracking(true);
    suprafata->installEventFilter(this);
    setCentralWidget(suprafata);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    construieste_meniul();
    construieste_foaia();
    construieste_masa();

    Timer1 = new rt::Timer(this);
    Timer1->setInterval(10);
    connect(Timer1, &rt::Timer::tick, this, [this] { Timer1_Timer(); });

    Form_Load();

    adjustSize();
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(ecran->availableGeometry().center());
        move(r.topLeft());
    }
}

FormaMasa::~FormaMasa() {
    // A game waiting inside this window's handler must not come back to it:
    // its waits unwind instead.
    if (joc_activ_) rt::abandoneaza_jocul();
    if (g_masa == this) g_masa = nullptr;
}

void FormaMasa::construieste_meniul() {
    // The bar and its drop-downs in the one menu font, the way menus are drawn
    // on this system; left alone, the bar would take the window's own font.
    const QFont font_meniu = QApplication::font("QMenu");
    menuBar()->setFont(font_meniu);
    mjoc = menuBar()->addMenu(QStringLiteral("Joc..."));
    mjocnou = mjoc->addMenu(QStringLiteral("Joc nou"));
    mjoc->setFont(font_meniu);
    mjocnou->setFont(font_meniu);
    const QString titluri[] = {QStringLiteral("3 jucatori"), QStringLiteral("4 Jucatori"),
                               QStringLiteral("5 jucatori"), QStringLiteral("6 jucatori")};
    for (int n = 3; n <= 6; ++n) {
        mjucatori[n] = mjocnou->addAction(titluri[n - 3]);
        connect(mjucatori[n], &QAction::triggered, this, [this, n] { mjucatori_Click(n); });
    }
    moptiuni = mjoc->addAction(QStringLiteral("Optiuni..."));
    connect(moptiuni, &QAction::triggered, this, [this] { moptiuni_Click(); });
    miesire = mjoc->addAction(QStringLiteral("Iesire program"));
    connect(miesire, &QAction::triggered, this, [this] { miesire_Click(); });
}

void FormaMasa::construieste_masa() {
    const QFont bold = rt::font(MS_SANS_SERIF, 8.25, true);
    const QPixmap& spate = spate_din_design();

    for (int p = 1; p <= 6; ++p) {
        const LocMasa& loc = LOCURI[p - 1];
        image_carti_decartate[p] = new rt::Image(suprafata, p, loc.decartat_left, loc.decartat_top);
        image_carti_decartate[p]->setPicture(spate);
    }
    image_carti_atu = new rt::Image(suprafata, 0, 4800, 4800);
    image_carti_atu->setPicture(spate);

    for (int p = 1; p <= 6; ++p) {
        const LocMasa& loc = LOCURI[p - 1];
        for (int s = 1; s <= 8; ++s) {
            const int i = (p - 1) * 8 + s;
            auto* img = new rt::Image(suprafata, i, loc.slot1_left + (s - 1) * loc.pas_left,
                                      loc.slot1_top + (s - 1) * loc.pas_top);
            img->setPicture(spate);
            // The human's places take no click until his turn in a trick.
            img->setEnabled(i > 8);
            connect(img, &rt::Image::Click, this, [this](int index) {
                rt::ruleaza_protejat([&] { image_carti_jucatori_Click(index); });
            });
            image_carti_jucatori[i] = img;
        }
        // Stack the hand so that each card's visible strip belongs to that card.
        for (int k = 1; k <= 8; ++k) {
            const int s = loc.slot1_deasupra ? 9 - k : k;
            image_carti_jucatori[(p - 1) * 8 + s]->raise();
        }
    }

    for (int p = 1; p <= 6; ++p) {
        const LocMasa& loc = LOCURI[p - 1];
        label_jucator[p] = new rt::Label(suprafata, p, loc.jucator_left, loc.jucator_top,
                                         nume_implicite()[std::size_t(p - 1)], bold, 0x80000012);
        image_rand[p] = new rt::Image(suprafata, p, loc.rand_left, loc.rand_top);
        image_rand[p]->setPicture(QPixmap(QStringLiteral(":/sageti/%1.png").arg(loc.sageata)));
    }

    label_atu = new rt::Label(suprafata, 0, 5100, 4440, QStringLiteral("ATU"), bold);

    const QFont mare = rt::font(MS_SANS_SERIF, 13.5, true);
    for (int i = 0; i <= 8; ++i) {
        auto* l = new rt::Label(suprafata, i, 11640 + 480 * i, 9600, QString::number(i), mare,
                                0x80000012);
        connect(l, &rt::Label::Click, this, [this](int index) {
            rt::ruleaza_protejat([&] { label_licitare_joc_Click(index); });
        });
        connect(l, &rt::Label::MouseMove, this, [this](int index) {
            label_licitare_joc_MouseMove(index);
        });
        label_licitare_joc[i] = l;
    }
}

// ---- events --------------------------------------------------------------------

void FormaMasa::Form_Load() { incarcare_la_pornire(*this); }

bool FormaMasa::eventFilter(QObject* o, QEvent* e) {
    if (o == suprafata && e->type() == QEvent::MouseMove) Form_MouseMove();
    return QMainWindow::eventFilter(o, e);
}

void FormaMasa::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (afisata_) return;
    afisata_ = true;
    if (mesaj_dupa_afisare) {
        QTimer::singleShot(0, this, [this] {
            const QString text = *mesaj_dupa_afisare;
            mesaj_dupa_afisare.reset();
            rt::ruleaza_protejat([&] { rt::mesaj(text); });
        });
    }
}

void FormaMasa::moptiuni_Click() {
    rt::activeaza_fereastra(this, false);
    FormaOptiuni& o = forma_optiuni();
    o.show();
    o.raise();
    o.activateWindow();
}

void FormaMasa::Timer1_Timer() {
    Timer1->setEnabled(false);
    rt::trezeste();
}

// ---- closing -------------------------------------------------------------------

void FormaMasa::inchide_programul() {
    unload_forma_carti();
    unload_forma_optiuni();
}

void FormaMasa::Form_Unload() {
    inchide_programul();
    // Ending here makes every wait of a running game return and its code unwind
    // without touching the table again.
    rt::termina_programul();
}

void FormaMasa::closeEvent(QCloseEvent* e) {
    if (!se_inchide_) {
        se_inchide_ = true;
        Form_Unload();
    }
    e->accept();
}

void FormaMasa::miesire_Click() {
    inchide_programul();
    close(); // runs Form_Unload, which ends the program
}

} // namespace dovek
