#include "settings/forma_optiuni.h"

#include "platform/controale.h"
#include "platform/runtime.h"
#include "settings/fisier_setari.h"
#include "table/forma_masa.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include <limits>

namespace dovek {

namespace {

FormaOptiuni* g_forma = nullptr;

constexpr quint32 FUNDAL = 0x00D8E9EC;
constexpr quint32 TITLU_CADRU = 0x000000C0;
constexpr quint32 TEXT_BUTON = 0x80000012;
constexpr quint32 FATA_BUTON = 0x8000000F;
constexpr quint32 NEGRU = 0x00000000;

// A grayed box counts as off, so a click on it can only mean "on"; from there
// clicks toggle between on and off, and the user never gets the grayed state
// back.
class CasetaBifare final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {
        const Qt::CheckState urmator = checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
        setTristate(false);
        setCheckState(urmator);
    }
};

// An option group takes the focus once, on its selected button, however the
// focus comes (Tab, the dialog opening): on any other button, Space would
// change the setting. Qt enters a group on whichever button comes first, so
// the focus is passed on to the selected one. A click is left alone: it is
// about to select the button it focuses.
class ButonOptiune final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent* e) override {
        if (e->reason() != Qt::MouseFocusReason && !isChecked() && parentWidget()) {
            for (QRadioButton* b :
                 parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
                if (b->isChecked() && b->isEnabled() && b->isVisible()) {
                    b->setFocus(e->reason());
                    return;
                }
            }
        }
        QRadioButton::focusInEvent(e);
    }
};

void culori(QWidget* w, quint32 text, std::optional<quint32> fundal = std::nullopt) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, rt::culoare(text));
    if (fundal) {
        pal.setColor(QPalette::Window, rt::culoare(*fundal));
        w->setAutoFillBackground(true);
    }
    w->setPalette(pal);
}

QGroupBox* cadru(QWidget* parinte, const QString& titlu, int left, int top, int latime,
                 int inaltime) {
    auto* g = new QGroupBox(titlu, parinte);
    g->setFont(rt::font(QStringLiteral("Arial"), 9.75, true));
    // The caption colour is the frame's text colour; every control inside sets
    // its own back, so only the caption shows it.
    culori(g, TITLU_CADRU, FATA_BUTON);
    rt::pune(g, left, top, latime, inaltime);
    return g;
}

QRadioButton* optiune(QGroupBox* cadru, const QString& text, int left, int top, int latime,
                      int inaltime) {
    auto* b = new ButonOptiune(text, cadru);
    b->setFont(rt::font(QStringLiteral("Arial"), 9.75));
    culori(b, TEXT_BUTON);
    rt::pune(b, left, top, latime, inaltime);
    return b;
}

QCheckBox* bifa(QGroupBox* cadru, const QString& text, int left, int top, int latime,
                int inaltime) {
    auto* c = new CasetaBifare(text, cadru);
    c->setFont(rt::font(QStringLiteral("Arial"), 9.75));
    culori(c, NEGRU, FUNDAL);
    rt::pune(c, left, top, latime, inaltime);
    return c;
}

// As on the system the dialog was made for, Enter on a focused button presses
// it; no button is the dialog's default, so Enter in a name box does nothing.
class ButonComanda final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            click();
            return;
        }
        QPushButton::keyPressEvent(e);
    }
};

QPushButton* buton(QWidget* parinte, const QString& text, int left, int top) {
    auto* b = new ButonComanda(text, parinte);
    b->setFont(rt::font(QStringLiteral("Calibri"), 9.75, true));
    b->setAutoDefault(false);
    rt::pune(b, left, top, 1215, 375);
    return b;
}

} // namespace

FormaOptiuni::FormaOptiuni()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    // No widget parent: the table's input is shut off for it and its children
    // while the dialog is open, and the dialog must stay usable then.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Optiuni joc"));
    if (QFile::exists(QStringLiteral(":/cutie.png")))
        setWindowIcon(QIcon(QStringLiteral(":/cutie.png")));
    setFixedSize(rt::px(8625), rt::px(6750));
    culori(this, TEXT_BUTON, FUNDAL);
    construieste();
    centreaza();
    Form_Load();
}

FormaOptiuni::~FormaOptiuni() {
    if (g_forma == this) g_forma = nullptr;
}

void FormaOptiuni::construieste() {
    const QFont arial = rt::font(QStringLiteral("Arial"), 9.75);

    Frame1 = cadru(this, QStringLiteral("Animatie"), 240, 240, 1575, 1575);
    optiune_animatie[1] = optiune(Frame1, QStringLiteral("Rapid"), 240, 360, 1215, 375);
    optiune_animatie[2] = optiune(Frame1, QStringLiteral("Normal"), 240, 720, 1215, 375);
    optiune_animatie[3] = optiune(Frame1, QStringLiteral("Lent"), 240, 1080, 1215, 375);

    Frame2 = cadru(this, QStringLiteral("Tipul jocului"), 2040, 240, 1575, 1575);
    optiune_joc[1] = optiune(Frame2, QStringLiteral("1-8-1"), 240, 360, 1215, 375);
    optiune_joc[2] = optiune(Frame2, QStringLiteral("8-1-8"), 240, 960, 1215, 375);

    Frame4 = cadru(this, QStringLiteral("Modalitatea de punctare"), 3720, 240, 4695, 1575);
    optiune_punctare[1] =
        optiune(Frame4, QStringLiteral("(2*n+1), unde \"n\" este numarul de licitatii"), 240, 480,
                4095, 255);
    optiune_punctare[2] =
        optiune(Frame4, QStringLiteral("(n+5), unde \"n\" este numarul de licitatii"), 240, 1080,
                4095, 195);

    Frame3 = cadru(this, QStringLiteral("Diverse"), 240, 2040, 8175, 1815);
    optiune_joc_frunte =
        bifa(Frame3, QStringLiteral("Jocul de 1 se joaca cu cartile \"pe frunte\""), 360, 360, 7695,
             375);
    optiune_premiere = bifa(Frame3,
                            QStringLiteral("Premiere / depremiere cu 10 puncte la 5 maini "
                                           "consecutive, daca jocul nu este de 1"),
                            360, 840, 7695, 375);
    optiune_repetare = bifa(
        Frame3, QStringLiteral("Daca toti gresesc la o anumita mana, se repeta mana respectiva"),
        360, 1320, 7575, 375);

    Frame5 = cadru(this, QStringLiteral("Numele jucatorilor"), 240, 4080, 8175, 1695);
    const Setari implicit;
    for (int p = 1; p <= 6; ++p) {
        const bool stanga = p <= 3;
        const int top = 480 + 360 * ((p - 1) % 3);
        auto* l = new QLabel(QStringLiteral("Jucator %1").arg(p), Frame5);
        l->setFont(arial);
        culori(l, TEXT_BUTON);
        rt::pune(l, stanga ? 360 : 4920, top);
        l->adjustSize();
        label_nume_jucatori[p] = l;

        auto* t = new QLineEdit(implicit.nume[std::size_t(p - 1)], Frame5);
        t->setFont(rt::font(QStringLiteral("MS Sans Serif"), 8.25));
        // Names have no length limit; the default cap would cut long ones.
        t->setMaxLength(std::numeric_limits<int>::max());
        rt::pune(t, stanga ? 1560 : 6120, top, 1575, 285);
        text_nume_jucatori[p] = t;
    }

    Command3 = buton(this, QStringLiteral("OK"), 1320, 6120);
    Command1 = buton(this, QStringLiteral("Anulare"), 3600, 6120);
    Command2 = buton(this, QStringLiteral("Salvare"), 5880, 6120);

    // The design values.
    optiune_animatie[1]->setChecked(true);
    optiune_joc[1]->setChecked(true);
    optiune_punctare[2]->setChecked(true);
    setValue(optiune_joc_frunte, implicit.joc_frunte);
    setValue(optiune_premiere, implicit.premiere);
    setValue(optiune_repetare, implicit.repetare);

    // Connected after the design values are set, so that only Form_Load
    // records them, as when the window is loaded.
    for (int i = 1; i <= 3; ++i)
        connect(optiune_animatie[i], &QRadioButton::toggled, this, [this, i](bool ales) {
            if (ales) optiune_animatie_Click(i);
        });
    for (int i = 1; i <= 2; ++i) {
        connect(optiune_joc[i], &QRadioButton::toggled, this, [this, i](bool ales) {
            if (ales) optiune_joc_Click(i);
        });
        connect(optiune_punctare[i], &QRadioButton::toggled, this, [this, i](bool ales) {
            if (ales) optiune_punctare_Click(i);
        });
    }
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    // Frames and labels take no focus; the order between the rest is the
    // design's, the right-hand name boxes running from the bottom up.
    // clang-format off
    QWidget* const ordine[] = {
        optiune_animatie[1], optiune_animatie[2], optiune_animatie[3],
        optiune_joc[1], optiune_joc[2],
        optiune_joc_frunte, optiune_premiere, optiune_repetare,
        Command1, Command2, Command3,
        optiune_punctare[1], optiune_punctare[2],
        text_nume_jucatori[1], text_nume_jucatori[2], text_nume_jucatori[3],
        text_nume_jucatori[6], text_nume_jucatori[5], text_nume_jucatori[4]};
    // clang-format on
    for (std::size_t i = 1; i < std::size(ordine); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
}

void FormaOptiuni::centreaza() {
    // Once, when the window is made; after that it stays where the user puts it.
    const FormaMasa* masa = forma_masa();
    QScreen* ecran = masa ? masa->screen() : QGuiApplication::primaryScreen();
    if (!ecran) return;
    QRect r(QPoint(), size());
    r.moveCenter(ecran->availableGeometry().center());
    move(r.topLeft());
}

void FormaOptiuni::setVisible(bool visible) {
    // Owned by the table's window without being its child: it stays above the
    // table and gets no taskbar button of its own.
    if (visible) {
        const FormaMasa* masa = forma_masa();
        if (masa && masa->windowHandle()) {
            if (!windowHandle()) create();
            if (windowHandle()) windowHandle()->setTransientParent(masa->windowHandle());
        }
    }
    QDialog::setVisible(visible);
}

// ---- event handlers -------------------------------------------------------------

void FormaOptiuni::Form_Load() {
    for (int i = 1; i <= 3; ++i)
        if (optiune_animatie[i]->isChecked()) index_animatie = qint16(i);
    for (int i = 1; i <= 2; ++i)
        if (optiune_joc[i]->isChecked()) index_joc = qint16(i);
    for (int i = 1; i <= 2; ++i)
        if (optiune_punctare[i]->isChecked()) index_punctare = quint8(i);
}

void FormaOptiuni::optiune_animatie_Click(int index) {
    index_animatie = qint16(index);
}
void FormaOptiuni::optiune_joc_Click(int index) {
    index_joc = qint16(index);
}
void FormaOptiuni::optiune_punctare_Click(int index) {
    index_punctare = quint8(index);
}

void FormaOptiuni::Command1_Click() {
    rt::activeaza_fereastra(forma_masa(), true);
    hide();
}

void FormaOptiuni::Command2_Click() {
    const QString cale = cale_fisier_setari();
    const std::optional<QString> motiv = salveaza_setari(cale, setari());
    if (!motiv) return;
    const QString text = QStringLiteral("Setarile nu au putut fi salvate in fisierul \"%1\".\n%2")
                             .arg(QDir::toNativeSeparators(cale), *motiv);
    // The message waits in an event loop; if the program ends meanwhile the
    // wait unwinds, and it must not unwind into Qt.
    rt::ruleaza_protejat([&] { rt::mesaj(text); });
}

void FormaOptiuni::Command3_Click() {
    FormaMasa* masa = forma_masa();
    rt::activeaza_fereastra(masa, true);
    hide();
    if (!masa) return;
    for (int p = 1; p <= 6; ++p) {
        const QString nume = text_nume_jucatori[p]->text();
        masa->label_nume_jucator[p]->setCaption(nume);
        masa->label_jucator[p]->setCaption(nume);
    }
}

void FormaOptiuni::Form_Unload() {
    Command1_Click();
    // Forgotten at once, so the very next read of a setting builds a fresh
    // dialog; the object itself goes when its events are done.
    if (g_forma == this) g_forma = nullptr;
    deleteLater();
}

void FormaOptiuni::closeEvent(QCloseEvent* e) {
    e->accept();
    Form_Unload();
}

void FormaOptiuni::reject() {
    // Escape: leaving without "OK" is what "Anulare" is for. The base class
    // would only hide the dialog and leave the table shut.
    Command1_Click();
}

// ---- values -----------------------------------------------------------------------

int FormaOptiuni::Value(const QCheckBox* c) {
    switch (c->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void FormaOptiuni::setValue(QCheckBox* c, int valoare) {
    c->setTristate(valoare == 2);
    c->setCheckState(valoare == 2   ? Qt::PartiallyChecked
                     : valoare == 1 ? Qt::Checked
                                    : Qt::Unchecked);
}

Setari FormaOptiuni::setari() const {
    Setari s;
    s.animatie = index_animatie;
    s.joc = index_joc;
    s.joc_frunte = Value(optiune_joc_frunte);
    s.premiere = Value(optiune_premiere);
    s.repetare = Value(optiune_repetare);
    s.punctare = index_punctare;
    for (int p = 1; p <= 6; ++p)
        s.nume[std::size_t(p - 1)] = text_nume_jucatori[p]->text();
    return s;
}

void FormaOptiuni::aplica(const Setari& s) {
    optiune_animatie[s.animatie]->setChecked(true);
    optiune_joc[s.joc]->setChecked(true);
    setValue(optiune_joc_frunte, s.joc_frunte);
    setValue(optiune_premiere, s.premiere);
    setValue(optiune_repetare, s.repetare);
    optiune_punctare[s.punctare]->setChecked(true);
    for (int p = 1; p <= 6; ++p)
        text_nume_jucatori[p]->setText(s.nume[std::size_t(p - 1)]);
}

// ---- the store ----------------------------------------------------------------------

FormaOptiuni& forma_optiuni() {
    if (!g_forma) g_forma = new FormaOptiuni;
    return *g_forma;
}

bool forma_optiuni_exista() {
    return g_forma != nullptr;
}

void unload_forma_optiuni() {
    if (g_forma) g_forma->Form_Unload();
}

} // namespace dovek
