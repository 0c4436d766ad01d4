// The score sheet as a game lays it out: which lines, titles, names and hand
// sizes a game for 3 to 6 players shows, the lengths and thickness of its grid,
// that every cell waits hidden for its writer, what one game's sheet leaves to
// the next, and where each kind of cell stands.

#include "tests/ajutor_masa.h"
#include "platform/runtime.h"
#include "settings/forma_optiuni.h"
#include "table/forma_carti.h"
#include "table/forma_masa.h"
#include "table/reguli.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using dovek::FormaMasa;

namespace {
using test::celula;
using test::VERDE;

constexpr quint32 FATA_3D = 0x8000000F;
constexpr int SPATE_ALBASTRU = 55;


qint64 spate() { return dovek::forma_carti().image_carti[SPATE_ALBASTRU].cacheKey(); }

// The grid as drawn for six players (twips). Verticals: x, top end, thickness;
// each runs down to y 8040.
constexpr int VERTICALE[20][3] = {
    {10800, 240, 2},                                     // left edge
    {11280, 240, 2}, {11520, 600, 1}, {11760, 600, 1},   // seat 1: its left edge, L|F, F|P
    {12240, 240, 2}, {12480, 600, 1}, {12720, 600, 1},   // seat 2
    {13200, 240, 2}, {13440, 600, 1}, {13680, 600, 1},   // seat 3
    {14160, 240, 2}, {14400, 600, 1}, {14640, 600, 1},   // seat 4
    {15120, 240, 2}, {15360, 600, 1}, {15600, 600, 1},   // seat 5
    {16080, 240, 2}, {16320, 600, 1}, {16560, 600, 1},   // seat 6
    {17040, 240, 2}};                                    // right edge
// Horizontals 0..32: y; each runs right to x 17040.
constexpr int Y_ORIZONTALE[33] = {
    240,  600,  840,                                                       // top, names, titles
    1080, 1320, 1560, 1800, 2040, 2280, 2520, 2760, 3000, 3240,            // under rows 1..10
    3480, 3720, 3960, 4200, 4440, 4680, 4920, 5160, 5400, 5640,            // rows 11..20
    5880, 6120, 6360, 6600, 6840, 7080, 7320, 7560, 7800, 8040};           // rows 21..30

QList<int> lista(const QString& text) {
    QList<int> l;
    for (const QString& t : text.split(' ', Qt::SkipEmptyParts)) l << t.toInt();
    return l;
}

} // namespace

class TstFoaieScor : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<FormaMasa> masa_;

    // Lays the sheet out as a game for n players of the given type would.
    void pregateste(int n, bool tip_181) {
        masa_->stare.nr_jucatori = dovek::Octet(n);
        dovek::reguli::construieste_carti_joc(masa_->stare, tip_181);
        masa_->prelucrare_tabel();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QDir::setCurrent(dir_.path()); // no settings file: the defaults
        rt::seteaza_scala_pauzelor(0);
    }
    void init() {
        rt::reseteaza_pentru_teste();
        masa_ = std::make_unique<FormaMasa>();
        masa_->show();
    }
    void cleanup() {
        masa_.reset();
        dovek::unload_forma_carti();
        dovek::unload_forma_optiuni();
        rt::reseteaza_pentru_teste();
    }

    void inainte_de_primul_joc_foaia_nu_se_vede() {
        FormaMasa& m = *masa_;
        for (int p = 0; p <= 6; ++p) QVERIFY(m.label_nume_jucator[p]->isHidden());
        for (int i = 1; i <= 18; ++i) QVERIFY(m.label_cap_tabel[i]->isHidden());
        for (int r = 1; r <= 30; ++r) QVERIFY(m.label_joc[r]->isHidden());
        for (int i = 1; i <= 180; ++i) {
            QVERIFY(m.label_licitare[i]->isHidden());
            QVERIFY(m.label_facute[i]->isHidden());
            QVERIFY(m.label_scor[i]->isHidden());
        }
        for (int k = 0; k <= 19; ++k) QVERIFY(m.linie_verticala[k]->isHidden());
        for (int k = 0; k <= 32; ++k) QVERIFY(m.linie_orizontala[k]->isHidden());
    }

    // One row per number of players; the last columns list what the sheet must
    // show: the rows, the last vertical and horizontal shown, where the grid
    // ends (twips) and the thick horizontals.
    void foaia_pentru_n_jucatori_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("tip_181");
        QTest::addColumn<QString>("maini");
        QTest::addColumn<int>("ultima_verticala");
        QTest::addColumn<int>("dreapta");
        QTest::addColumn<int>("ultima_orizontala");
        QTest::addColumn<int>("jos");
        QTest::addColumn<QList<int>>("groase");

        QTest::newRow("3 players, 1-8-1")
            << 3 << true << "1 1 1 2 3 4 5 6 7 8 8 8 7 6 5 4 3 2 1 1 1"
            << 10 << 14160 << 23 << 5880 << QList<int>{0, 2, 5, 11, 14, 20, 23};
        QTest::newRow("4 players, 8-1-8")
            << 4 << false << "8 8 8 8 7 6 5 4 3 2 1 1 1 1 2 3 4 5 6 7 8 8 8 8"
            << 13 << 15120 << 26 << 6600 << QList<int>{0, 2, 6, 12, 16, 22, 26};
        QTest::newRow("5 players, 1-8-1")
            << 5 << true << "1 1 1 1 1 2 3 4 5 6 7 8 8 8 8 8 7 6 5 4 3 2 1 1 1 1 1"
            << 16 << 16080 << 29 << 7320 << QList<int>{0, 2, 7, 13, 18, 24, 29};
        QTest::newRow("6 players, 1-8-1")
            << 6 << true << "1 1 1 1 1 1 2 3 4 5 6 7 8 8 8 8 8 8 7 6 5 4 3 2 1 1 1 1 1 1"
            << 19 << 17040 << 32 << 8040 << QList<int>{0, 2, 8, 14, 20, 26, 32};
        QTest::newRow("6 players, 8-1-8")
            << 6 << false << "8 8 8 8 8 8 7 6 5 4 3 2 1 1 1 1 1 1 2 3 4 5 6 7 8 8 8 8 8 8"
            << 19 << 17040 << 32 << 8040 << QList<int>{0, 2, 8, 14, 20, 26, 32};
    }
    void foaia_pentru_n_jucatori() {
        QFETCH(int, n);
        QFETCH(bool, tip_181);
        QFETCH(QString, maini);
        QFETCH(int, ultima_verticala);
        QFETCH(int, dreapta);
        QFETCH(int, ultima_orizontala);
        QFETCH(int, jos);
        QFETCH(QList<int>, groase);
        FormaMasa& m = *masa_;
        pregateste(n, tip_181);

        // Names: "JOC" and seats 1..n on the sheet and at the table.
        QCOMPARE(m.label_nume_jucator[0]->Caption(), QStringLiteral("JOC"));
        for (int p = 0; p <= 6; ++p) QCOMPARE(m.label_nume_jucator[p]->isVisible(), p <= n);
        for (int p = 1; p <= 6; ++p) QCOMPARE(m.label_jucator[p]->isVisible(), p <= n);
        QVERIFY(m.label_atu->isVisible());

        // Titles "L", "F", "P" for seats 1..n.
        for (int i = 1; i <= 18; ++i) {
            QCOMPARE(m.label_cap_tabel[i]->isVisible(), i <= 3 * n);
            QCOMPARE(m.label_cap_tabel[i]->Caption(), QString("LFP"[(i - 1) % 3]));
            QCOMPARE(m.label_cap_tabel[i]->ForeColor(), quint32(0x80000008)); // window text
        }

        // Verticals: shown ones reach the bottom edge, the others are hidden at
        // their full design length.
        for (int k = 0; k <= 19; ++k) {
            const rt::Line* l = m.linie_verticala[k];
            const bool aratata = k <= ultima_verticala;
            QVERIFY2(l->isVisible() == aratata, qPrintable(QString("vertical %1").arg(k)));
            QCOMPARE(l->X1(), VERTICALE[k][0]);
            QCOMPARE(l->X2(), VERTICALE[k][0]);
            QCOMPARE(l->Y1(), VERTICALE[k][1]);
            QCOMPARE(l->Y2(), aratata ? jos : 8040);
            QCOMPARE(l->BorderWidth(), VERTICALE[k][2]);
        }
        QCOMPARE(m.linie_verticala[ultima_verticala]->X1(), dreapta);

        // Horizontals: shown ones reach the right edge; exactly the listed ones
        // are thick.
        for (int k = 0; k <= 32; ++k) {
            const rt::Line* l = m.linie_orizontala[k];
            const bool aratata = k <= ultima_orizontala;
            QVERIFY2(l->isVisible() == aratata, qPrintable(QString("horizontal %1").arg(k)));
            QCOMPARE(l->X1(), k == 1 ? 11280 : 10800);
            QCOMPARE(l->Y1(), Y_ORIZONTALE[k]);
            QCOMPARE(l->Y2(), Y_ORIZONTALE[k]);
            QCOMPARE(l->X2(), aratata ? dreapta : 17040);
            if (aratata)
                QVERIFY2(l->BorderWidth() == (groase.contains(k) ? 2 : 1),
                         qPrintable(QString("horizontal %1 width %2").arg(k).arg(l->BorderWidth())));
        }
        QCOMPARE(m.linie_orizontala[ultima_orizontala]->Y1(), jos);

        // The hand column shows the whole hand list; the rows after it are hidden.
        const QList<int> lista_maini = lista(maini);
        QCOMPARE(lista_maini.size(), 3 * n + 12);
        for (int r = 1; r <= 30; ++r) {
            const bool in_joc = r <= lista_maini.size();
            QCOMPARE(m.label_joc[r]->isVisible(), in_joc);
            QCOMPARE(m.label_joc[r]->Caption(),
                     in_joc ? QString::number(lista_maini[r - 1]) : QStringLiteral("0"));
        }

        // Every cell waits hidden for its writer.
        for (int i = 1; i <= 180; ++i) {
            QVERIFY(m.label_licitare[i]->isHidden());
            QCOMPARE(m.label_licitare[i]->Caption(), QStringLiteral("0"));
            QVERIFY(m.label_facute[i]->isHidden());
            QCOMPARE(m.label_facute[i]->Caption(), QStringLiteral("0"));
            QVERIFY(m.label_scor[i]->isHidden());
            QCOMPARE(m.label_scor[i]->BackStyle(), 0);
        }

        // The card places wait hidden, face down.
        for (int i = 1; i <= 48; ++i) {
            QVERIFY(m.image_carti_jucatori[i]->isHidden());
            QCOMPARE(m.image_carti_jucatori[i]->pictureKey(), spate());
        }
    }

    void trei_jucatori_dupa_sase() {
        FormaMasa& m = *masa_;
        pregateste(6, true);
        // What a finished six-player game leaves behind: scored, coloured cells
        // and cards face up on the table.
        const int colorate[] = {celula(1, 1), celula(8, 2), celula(25, 5), celula(30, 6)};
        for (int i : colorate) {
            m.label_scor[i]->setBackStyle(1);
            m.label_scor[i]->setBackColor(VERDE);
            m.label_scor[i]->setCaption(QStringLiteral("17"));
            m.label_scor[i]->show();
            m.label_licitare[i]->setCaption(QStringLiteral("2"));
            m.label_licitare[i]->show();
            m.label_facute[i]->setCaption(QStringLiteral("2"));
            m.label_facute[i]->show();
        }
        for (int i : {1, 2, 9, 40, 48}) {
            m.image_carti_jucatori[i]->setPicture(dovek::forma_carti().image_carti[52]);
            m.image_carti_jucatori[i]->show();
        }

        pregateste(3, true);

        for (int k = 0; k <= 19; ++k) {
            QCOMPARE(m.linie_verticala[k]->isVisible(), k <= 10);
            if (k <= 10) QCOMPARE(m.linie_verticala[k]->Y2(), 5880);
        }
        for (int k = 0; k <= 32; ++k) {
            QCOMPARE(m.linie_orizontala[k]->isVisible(), k <= 23);
            if (k <= 23) QCOMPARE(m.linie_orizontala[k]->X2(), 14160);
        }
        QCOMPARE(m.linie_orizontala[8]->BorderWidth(), 1); // thick for six, thin now
        QCOMPARE(m.linie_orizontala[14]->BorderWidth(), 2);
        QCOMPARE(m.linie_orizontala[20]->BorderWidth(), 2);
        QVERIFY(m.linie_orizontala[26]->isHidden());
        QVERIFY(m.linie_orizontala[32]->isHidden());
        for (int r = 22; r <= 30; ++r) QVERIFY(m.label_joc[r]->isHidden());
        for (int i = 10; i <= 18; ++i) QVERIFY(m.label_cap_tabel[i]->isHidden());
        for (int p = 4; p <= 6; ++p) {
            QVERIFY(m.label_nume_jucator[p]->isHidden());
            QVERIFY(m.label_jucator[p]->isHidden());
        }

        // Last game's totals are transparent and hidden again, their captions kept.
        for (int i : colorate) {
            QVERIFY(m.label_scor[i]->isHidden());
            QCOMPARE(m.label_scor[i]->BackStyle(), 0);
            QCOMPARE(m.label_scor[i]->BackColor(), FATA_3D);
            QCOMPARE(m.label_scor[i]->Caption(), QStringLiteral("17"));
            QVERIFY(m.label_licitare[i]->isHidden());
            QCOMPARE(m.label_licitare[i]->Caption(), QStringLiteral("0"));
            QVERIFY(m.label_facute[i]->isHidden());
            QCOMPARE(m.label_facute[i]->Caption(), QStringLiteral("0"));
        }
        for (int i = 1; i <= 48; ++i) {
            QVERIFY(m.image_carti_jucatori[i]->isHidden());
            QCOMPARE(m.image_carti_jucatori[i]->pictureKey(), spate());
        }
    }

    void sase_jucatori_dupa_trei() {
        FormaMasa& m = *masa_;
        pregateste(3, true);
        pregateste(6, false);
        for (int k = 0; k <= 19; ++k) {
            QVERIFY(m.linie_verticala[k]->isVisible());
            QCOMPARE(m.linie_verticala[k]->Y2(), 8040);
        }
        for (int k = 0; k <= 32; ++k) {
            QVERIFY(m.linie_orizontala[k]->isVisible());
            QCOMPARE(m.linie_orizontala[k]->X2(), 17040);
        }
        // Thick for three players only: 5, 11, 23.
        for (int k : {5, 11, 23}) QCOMPARE(m.linie_orizontala[k]->BorderWidth(), 1);
        for (int r = 1; r <= 30; ++r) QVERIFY(m.label_joc[r]->isVisible());
        for (int p = 0; p <= 6; ++p) QVERIFY(m.label_nume_jucator[p]->isVisible());
    }

    // Pixel places: twips / 15, rounded. "P" and hand cells are bold, "L" and
    // "F" cells take the window's plain font.
    void locul_celulelor_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("loc");
        QTest::addColumn<QString>("font");
        const QString bold = QStringLiteral("MS Sans Serif 8.25 bold");
        const QString normal = QStringLiteral("MS Sans Serif 8.25");
        // Row 1, seat 1: Left 11350 / 11590 / 11940, Top 870.
        QTest::newRow("L row 1 seat 1") << "label_licitare" << 1 << QPoint(757, 58) << normal;
        QTest::newRow("F row 1 seat 1") << "label_facute" << 1 << QPoint(773, 58) << normal;
        QTest::newRow("P row 1 seat 1") << "label_scor" << 1 << QPoint(796, 58) << bold;
        // Row 5, seat 2 (cell 26): Top 1830, seat block 960 further right.
        QTest::newRow("L row 5 seat 2") << "label_licitare" << 26 << QPoint(821, 122) << normal;
        // Row 12, seat 3 (cell 69): Top 3510, seat block 1920 further right.
        QTest::newRow("L row 12 seat 3") << "label_licitare" << 69 << QPoint(885, 234) << normal;
        QTest::newRow("F row 12 seat 3") << "label_facute" << 69 << QPoint(901, 234) << normal;
        QTest::newRow("P row 12 seat 3") << "label_scor" << 69 << QPoint(924, 234) << bold;
        // Row 21, seat 4 (cell 124): Top 5670.
        QTest::newRow("P row 21 seat 4") << "label_scor" << 124 << QPoint(988, 378) << bold;
        // Row 27, seat 5 (cell 161): Top 7110, Left 15430.
        QTest::newRow("F row 27 seat 5") << "label_facute" << 161 << QPoint(1029, 474) << normal;
        // Row 30, seat 6 (cell 180): Top 7830, Left 16150 / 16390 / 16740.
        QTest::newRow("L row 30 seat 6") << "label_licitare" << 180 << QPoint(1077, 522) << normal;
        QTest::newRow("F row 30 seat 6") << "label_facute" << 180 << QPoint(1093, 522) << normal;
        QTest::newRow("P row 30 seat 6") << "label_scor" << 180 << QPoint(1116, 522) << bold;
        // The hand column, Left 10995.
        QTest::newRow("JOC row 1") << "label_joc" << 1 << QPoint(733, 58) << bold;
        QTest::newRow("JOC row 30") << "label_joc" << 30 << QPoint(733, 522) << bold;
        // Names: "JOC" at 10860, 480; the seats at Top 360 and Left 11550, 12465,
        // 13230, 14400, 15225, 16140.
        const QPoint nume[7] = {{724, 32}, {770, 24}, {831, 24}, {882, 24}, {960, 24}, {1015, 24}, {1076, 24}};
        for (int p = 0; p <= 6; ++p)
            QTest::addRow("name %d", p) << "label_nume_jucator" << p << nume[p] << bold;
        // Titles "L", "F", "P" of each seat, Top 615: Left 11340, 11580, 11925, each
        // plus 960 per seat.
        const int titluri[6][3] = {{756, 772, 795},   {820, 836, 859},   {884, 900, 923},
                                   {948, 964, 987},   {1012, 1028, 1051}, {1076, 1092, 1115}};
        for (int i = 1; i <= 18; ++i)
            QTest::addRow("title %d", i) << "label_cap_tabel" << i
                                         << QPoint(titluri[(i - 1) / 3][(i - 1) % 3], 41) << bold;
    }
    void locul_celulelor() {
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(QPoint, loc);
        QFETCH(QString, font);
        FormaMasa& m = *masa_;
        pregateste(6, true);
        QWidget* w = nullptr;
        if (control == "label_licitare") w = m.label_licitare[index];
        else if (control == "label_facute") w = m.label_facute[index];
        else if (control == "label_scor") w = m.label_scor[index];
        else if (control == "label_joc") w = m.label_joc[index];
        else if (control == "label_cap_tabel") w = m.label_cap_tabel[index];
        else if (control == "label_nume_jucator") w = m.label_nume_jucator[index];
        QVERIFY(w);
        QCOMPARE(w->pos(), loc);
        QCOMPARE(test::font_de(w), font);
        // A written caption keeps the cell's corner where it was.
        if (auto* l = qobject_cast<rt::Label*>(w)) {
            l->setCaption(QStringLiteral("-13"));
            QCOMPARE(w->pos(), loc);
        }
    }
};

QTEST_MAIN(TstFoaieScor)
#include "tst_foaie_scor.moc"
