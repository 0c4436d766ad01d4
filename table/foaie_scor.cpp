// The score sheet: its grid of labels and lines, laid out for the largest game
// (six players, 30 hands), and its reset and layout at the start of a game.

#include "table/forma_carti.h"
#include "table/forma_masa.h"

namespace dovek {

namespace {
const QString MS_SANS_SERIF = QStringLiteral("MS Sans Serif");
constexpr int NUME_LEFT[7] = {10860, 11550, 12465, 13230, 14400, 15225, 16140};
constexpr int SUS_FOAIE = 240, JOS_FOAIE = 8040, STANGA_FOAIE = 10800, DREAPTA_FOAIE = 17040;
constexpr quint32 FATA_3D = 0x8000000F;
} // namespace

void FormaMasa::construieste_foaia() {
    const QFont bold = rt::font(MS_SANS_SERIF, 8.25, true);
    const QFont normal = rt::font(MS_SANS_SERIF, 8.25, false);

    label_nume_jucator[0] = new rt::Label(suprafata, 0, NUME_LEFT[0], 480, QStringLiteral("JOC"), bold);
    for (int p = 1; p <= 6; ++p)
        label_nume_jucator[p] = new rt::Label(suprafata, p, NUME_LEFT[p], 360,
                                              nume_implicite()[std::size_t(p - 1)], bold);

    for (int p = 1; p <= 6; ++p) {
        const int dx = 960 * (p - 1);
        label_cap_tabel[3 * p - 2] =
            new rt::Label(suprafata, 3 * p - 2, 11340 + dx, 615, QStringLiteral("L"), bold, 0x80000008);
        label_cap_tabel[3 * p - 1] =
            new rt::Label(suprafata, 3 * p - 1, 11580 + dx, 615, QStringLiteral("F"), bold, 0x80000008);
        label_cap_tabel[3 * p] =
            new rt::Label(suprafata, 3 * p, 11925 + dx, 615, QStringLiteral("P"), bold, 0x80000008);
    }

    const QString zero = QStringLiteral("0");
    for (int r = 1; r <= 30; ++r) {
        const int top = 630 + 240 * r;
        label_joc[r] = new rt::Label(suprafata, r, 10995, top, QStringLiteral("1"), bold);
        for (int p = 1; p <= 6; ++p) {
            const int i = celula(r, p);
            const int dx = 960 * (p - 1);
            label_licitare[i] = new rt::Label(suprafata, i, 11350 + dx, top, zero, normal);
            label_facute[i] = new rt::Label(suprafata, i, 11590 + dx, top, zero, normal);
            label_scor[i] = new rt::Label(suprafata, i, 11940 + dx, top, zero, bold);
        }
    }

    linie_verticala[0] = new rt::Line(suprafata, STANGA_FOAIE, SUS_FOAIE, STANGA_FOAIE, JOS_FOAIE, 2);
    for (int p = 1; p <= 6; ++p) {
        const int dx = 960 * (p - 1);
        linie_verticala[3 * p - 2] = new rt::Line(suprafata, 11280 + dx, 240, 11280 + dx, JOS_FOAIE, 2);
        linie_verticala[3 * p - 1] = new rt::Line(suprafata, 11520 + dx, 600, 11520 + dx, JOS_FOAIE, 1);
        linie_verticala[3 * p] = new rt::Line(suprafata, 11760 + dx, 600, 11760 + dx, JOS_FOAIE, 1);
    }
    linie_verticala[19] = new rt::Line(suprafata, DREAPTA_FOAIE, SUS_FOAIE, DREAPTA_FOAIE, JOS_FOAIE, 2);

    linie_orizontala[0] = new rt::Line(suprafata, STANGA_FOAIE, 240, DREAPTA_FOAIE, 240, 2);
    // Under the names only: "JOC" stands in one cell two header rows high.
    linie_orizontala[1] = new rt::Line(suprafata, 11280, 600, DREAPTA_FOAIE, 600, 1);
    linie_orizontala[2] = new rt::Line(suprafata, STANGA_FOAIE, 840, DREAPTA_FOAIE, 840, 2);
    for (int k = 3; k <= 32; ++k) {
        const int y = 360 + 240 * k;
        linie_orizontala[k] = new rt::Line(suprafata, STANGA_FOAIE, y, DREAPTA_FOAIE, y, 1);
    }
}

void FormaMasa::prelucrare_tabel() {
    const int n = stare.nr_jucatori;

    // Reset, the same for every number of players. The "P" captions are left as
    // they are: they stay hidden until the hand is scored again.
    for (int i = 1; i <= CELULE_FOAIE; ++i) {
        label_licitare[i]->hide();
        label_licitare[i]->setCaption(QStringLiteral("0"));
        label_facute[i]->hide();
        label_facute[i]->setCaption(QStringLiteral("0"));
        label_scor[i]->hide();
        label_scor[i]->setBackStyle(0);
        label_scor[i]->setBackColor(FATA_3D);
    }
    for (int p = 0; p <= 6; ++p) label_nume_jucator[p]->hide();
    for (int p = 1; p <= 6; ++p) label_jucator[p]->hide();
    for (int i = 1; i <= 18; ++i) label_cap_tabel[i]->hide();
    for (int i = 0; i <= 19; ++i) {
        linie_verticala[i]->setY2(JOS_FOAIE);
        linie_verticala[i]->hide();
    }
    for (int i = 0; i <= 32; ++i) {
        linie_orizontala[i]->setX2(DREAPTA_FOAIE);
        linie_orizontala[i]->hide();
        if (i > 2) linie_orizontala[i]->setBorderWidth(1);
    }
    for (int r = 1; r <= 30; ++r) label_joc[r]->setCaption(QStringLiteral("0"));
    for (int r = 1; r <= 30; ++r) label_joc[r]->hide();
    const QPixmap& spate = forma_carti().image_carti[SPATE_ALBASTRU];
    for (int i = 1; i <= 48; ++i) {
        image_carti_jucatori[i]->setPicture(spate);
        image_carti_jucatori[i]->hide();
    }

    // Layout for n players.
    for (int p = 0; p <= n; ++p) label_nume_jucator[p]->show();
    for (int p = 1; p <= n; ++p) label_jucator[p]->show();
    label_atu->show();
    for (int i = 1; i <= 3 * n; ++i) label_cap_tabel[i]->show();
    for (int i = 0; i <= 3 * n + 1; ++i) {
        linie_verticala[i]->setY2(JOS_FOAIE - 720 * (6 - n));
        linie_verticala[i]->show();
    }
    for (int i = 0; i <= 32 - 3 * (6 - n); ++i) {
        linie_orizontala[i]->setX2(DREAPTA_FOAIE - 960 * (6 - n));
        linie_orizontala[i]->show();
    }
    // The lines that close the five blocks of the hand list.
    for (int k : {3 * n + 14, n + 2, n + 8, 2 * n + 8, 2 * n + 14})
        linie_orizontala[k]->setBorderWidth(2);
    for (int r = 1; r <= (n - 3) * 3 + 21; ++r)
        label_joc[r]->setCaption(QString::number(stare.carti_joc[r]));
    for (int r = 1; r <= 30 - 3 * (6 - n); ++r) label_joc[r]->show();
}

} // namespace dovek
