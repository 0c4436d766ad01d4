// Whole games at the table, the human's part played by a script that clicks
// like a user: his bids, his cards (refused ones included), the repeat of a
// hand nobody made, the pace of play, a new game chosen in the middle of one,
// and closing the window while the game waits. Every filled score sheet is
// checked against totals recomputed from its own "L" and "F" columns; one hand
// is scored on its own under each state of the bonus box.

#include "tests/ajutor_masa.h"
#include "platform/runtime.h"
#include "settings/forma_optiuni.h"
#include "table/forma_carti.h"
#include "table/forma_masa.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>

using dovek::FormaMasa;
using dovek::FormaOptiuni;

namespace {
using namespace test;

constexpr quint32 MOV = 0x00C000C0, TEXT_BUTON = 0x80000012;
constexpr int SPATE_ALBASTRU = 55;


int urmatorul(int loc, int n) { return loc == n ? 1 : loc + 1; }
int precedentul(int loc, int n) { return loc == 1 ? n : loc - 1; }

// The picture of a card code (55 the blue back); no picture for anything else.
qint64 fata(int carte) {
    return carte >= 1 && carte <= 56 ? dovek::forma_carti().image_carti[carte].cacheKey() : -1;
}

void clic(QWidget* w, QPoint poz) { QTest::mouseClick(w, Qt::LeftButton, {}, poz); }

// A bid choice is clicked in its middle.
void clic_licitatie(FormaMasa& m, int i) {
    clic(m.label_licitare_joc[i], m.label_licitare_joc[i]->rect().center());
}

// Slot 1 of the human's hand lies whole on top; of every other slot only a
// strip along its left edge shows.
void clic_carte(FormaMasa& m, int slot) {
    clic(m.image_carti_jucatori[slot], slot == 1 ? QPoint(35, 48) : QPoint(8, 48));
}

// What the human was offered when asked for his bid, and what he chose.
struct Licitatie {
    int joc = 0, nr_carti = 0, primul = 0, ultimul = 0, primul_levata = 0;
    bool reluare = false;       // a repeated hand dealt again
    int suma_celorlalti = -1;   // the others' bids, when he bids last
    QList<int> aratate, dezactivate;
    int aleasa = -1;
};

// The scripted human. A 0 ms timer looks at the table whenever the game lets
// events run; when the game waits for him it checks what he is shown and
// clicks like a user would. Findings go to `erori`, with the hand they were
// made in, so one failing game reports all it saw.
class OmScriptat : public QObject {
public:
    FormaMasa& m;
    std::mt19937 rnd;
    QStringList& mesaje;
    QStringList erori;
    QList<Licitatie> licitatii;
    int refuzuri_culoare = 0, refuzuri_atu = 0, carti_jucate = 0;
    int adancime_maxima = 0;
    int pauze = 0; // ticks of the pacing timer
    bool provoaca_refuzuri = true;

    // Bid strategy: the index into the enabled choices; random by default.
    std::function<int(const QList<int>& permise)> alege_licitatia;
    // Called before and after his bid click, and before his card.
    std::function<void(Licitatie&)> inainte_de_licitatie, dupa_licitatie;
    // Before his card: return true when it has taken the turn itself.
    std::function<bool()> inainte_de_carte;

    OmScriptat(FormaMasa& masa, quint32 samanta, QStringList& mesaje_inregistrate)
        : m(masa), rnd(samanta), mesaje(mesaje_inregistrate) {
        ceas_.setInterval(0);
        connect(&ceas_, &QTimer::timeout, this, [this] { pas(); });
        connect(m.Timer1, &rt::Timer::tick, this, [this] { ++pauze; });
    }

    void cere(bool ok, const QString& ce) {
        if (ok || erori.size() >= 20) return;
        erori << QStringLiteral("hand %1: %2").arg(m.stare.joc_curent).arg(ce);
    }

    // Nothing he could click: the game would wait for ever, so it is given up.
    void renunta(const QString& ce) {
        cere(false, ce);
        ceas_.stop();
        rt::abandoneaza_jocul();
    }

    // The pauses a game must have made: one after each bid and each card.
    int pauze_asteptate() const {
        int total = 0;
        for (const Licitatie& l : licitatii) total += m.stare.nr_jucatori * (1 + l.nr_carti);
        return total;
    }

    // Plays the game for n players to its end (or until it is abandoned).
    void joaca(int n, int ms_paza = 60000) {
        QTimer paza;
        paza.setSingleShot(true);
        connect(&paza, &QTimer::timeout, this, [this] {
            erori << QStringLiteral("the game did not end in time");
            rt::abandoneaza_jocul();
        });
        paza.start(ms_paza);
        ceas_.start();
        m.mjucatori[n]->trigger();
        ceas_.stop();
    }

    // A new game starts from its first hand: a hand 1 after this is no repeat.
    void joc_nou() { ultimul_joc_ = 0; }

    int reluari() const {
        return int(std::count_if(licitatii.begin(), licitatii.end(),
                                 [](const Licitatie& l) { return l.reluare; }));
    }

private:
    QTimer ceas_;
    bool clic_pe_calculator_facut_ = false;
    int ultimul_joc_ = 0; // the hand of his last bid

    void pas() {
        adancime_maxima = std::max(adancime_maxima, rt::adancime_asteptari());
        if (!m.stare.asteapta) return;
        // His cards take clicks during his turn in a trick and only then.
        if (m.image_carti_jucatori[1]->isEnabled()) joaca_o_carte();
        else if (m.label_licitare_joc[0]->isVisible()) liciteaza();
    }

    // ---- the deal, as he sees it when asked to bid --------------------------------

    void verifica_impartirea() {
        const auto& s = m.stare;
        const int n = s.nr_jucatori, k = s.nr_carti;
        cere(k == s.carti_joc[s.joc_curent], "hand size differs from the hand list");
        QList<int> vazute;
        for (int loc = 1; loc <= n; ++loc)
            for (int p = 1; p <= k; ++p) vazute << s.carti_jucatori[loc][p];
        cere((s.atu == 0) == (k == 8), QStringLiteral("trump card %1 in a hand of %2").arg(s.atu).arg(k));
        if (s.atu != 0) vazute << s.atu;
        for (int c : vazute)
            cere(c >= 53 - 8 * n && c <= 52, QStringLiteral("card %1 outside the pack").arg(c));
        QList<int> distincte = vazute;
        std::sort(distincte.begin(), distincte.end());
        cere(std::adjacent_find(distincte.begin(), distincte.end()) == distincte.end(),
             "a card dealt twice");

        // His hand: clubs, diamonds, hearts, spades, each from the top down.
        for (int p = 1; p < k; ++p) {
            const int a = s.carti_jucatori[1][p], b = s.carti_jucatori[1][p + 1];
            cere(culoare(a) < culoare(b) || (culoare(a) == culoare(b) && a > b),
                 QStringLiteral("hand out of order at slots %1, %2").arg(p).arg(p + 1));
        }
        for (int loc = 1; loc <= 6; ++loc)
            for (int p = 1; p <= 8; ++p) {
                const rt::Image* img = m.image_carti_jucatori[(loc - 1) * 8 + p];
                const bool dat = loc <= n && p <= k;
                cere(img->isVisible() == dat,
                     QStringLiteral("card place of seat %1 slot %2 shown %3").arg(loc).arg(p).arg(img->isVisible()));
                if (dat)
                    cere(img->pictureKey() == (loc == 1 ? fata(s.carti_jucatori[1][p]) : fata(SPATE_ALBASTRU)),
                         QStringLiteral("wrong picture at seat %1 slot %2").arg(loc).arg(p));
            }
        cere(m.image_carti_atu->isVisible(), "trump place hidden");
        cere(m.image_carti_atu->pictureKey() == fata(s.atu == 0 ? SPATE_ALBASTRU : s.atu),
             "trump place shows the wrong picture");
    }

    // ---- his bid -------------------------------------------------------------------

    void liciteaza() {
        auto& s = m.stare;
        const int n = s.nr_jucatori, k = s.nr_carti;
        Licitatie l;
        l.joc = s.joc_curent;
        l.nr_carti = k;
        l.primul = s.primul_jucator;
        l.ultimul = s.ultimul_jucator;
        l.primul_levata = s.primul_levata;
        l.reluare = ultimul_joc_ == l.joc;
        ultimul_joc_ = l.joc;
        for (int i = 0; i <= 8; ++i) {
            if (m.label_licitare_joc[i]->isVisible()) l.aratate << i;
            if (m.label_licitare_joc[i]->isVisible() && !m.label_licitare_joc[i]->isEnabled())
                l.dezactivate << i;
        }
        verifica_impartirea();

        // The choices: "0" up to the hand size; as the last bidder, the one that
        // would make the bids add up to the hand size is refused.
        QList<int> asteptate;
        for (int i = 0; i <= k; ++i) asteptate << i;
        cere(l.aratate == asteptate, QStringLiteral("choices shown for %1 cards").arg(k));
        QList<int> refuzata;
        if (s.ultimul_jucator == 1) {
            l.suma_celorlalti = 0;
            for (int p = 2; p <= n; ++p) l.suma_celorlalti += s.licitari[p];
            if (l.suma_celorlalti <= k) refuzata << k - l.suma_celorlalti;
        }
        cere(l.dezactivate == refuzata,
             QStringLiteral("disabled choices with %1 cards, others bid %2").arg(k).arg(l.suma_celorlalti));

        // Those who bid before him are written in the row and their turn
        // markers lit; the others have not bid yet.
        bool inainte = true;
        for (int loc = s.primul_jucator, tura = 1; tura <= n; loc = urmatorul(loc, n), ++tura) {
            if (loc == 1) { inainte = false; cere(m.image_rand[1]->isVisible(), "his turn marker off"); continue; }
            const rt::Label* cel = m.label_licitare[celula(l.joc, loc)];
            if (inainte) {
                cere(m.image_rand[loc]->isVisible(), QStringLiteral("marker of bidder %1 off").arg(loc));
                cere(cel->isVisible() && cel->Caption() == QString::number(s.licitari[loc]),
                     QStringLiteral("bid of seat %1 not in the row").arg(loc));
            } else {
                cere(!m.image_rand[loc]->isVisible(), QStringLiteral("marker of seat %1 lit early").arg(loc));
                cere(s.licitari[loc] == 0, QStringLiteral("seat %1 bid early").arg(loc));
                cere(l.reluare ? cel->Caption() == "0" : cel->isHidden(),
                     QStringLiteral("bid cell of seat %1 written early").arg(loc));
            }
        }
        cere(s.primul_levata == s.primul_jucator, "first trick not led by the first player");
        cere(s.ultimul_jucator == precedentul(s.primul_jucator, n), "last bidder is not the seat before the first");

        // His cards take no click while he bids, and neither does the refused choice.
        const int prima = s.carti_jucatori[1][1];
        clic_carte(m, 1);
        cere(s.asteapta && s.carti_jucatori[1][1] == prima, "a card was played during the bidding");
        for (int i : l.dezactivate) {
            clic_licitatie(m, i);
            cere(s.asteapta && m.label_licitare_joc[i]->isVisible(), "the refused choice took a click");
        }

        if (inainte_de_licitatie) inainte_de_licitatie(l);
        QList<int> permise;
        for (int i : l.aratate)
            if (!l.dezactivate.contains(i)) permise << i;
        if (permise.isEmpty()) return renunta("no bid choice can be clicked");
        const int ales = alege_licitatia ? alege_licitatia(permise)
                                         : std::uniform_int_distribution<int>(0, int(permise.size()) - 1)(rnd);
        l.aleasa = permise.value(ales, permise.first());
        clic_licitatie(m, l.aleasa);

        // His bid is in the row at once and the choices are gone, all enabled again.
        const rt::Label* a_lui = m.label_licitare[celula(l.joc, 1)];
        cere(!s.asteapta && s.licitari[1] == l.aleasa, "the bid click did not end the wait");
        cere(a_lui->isVisible() && a_lui->Caption() == QString::number(l.aleasa), "his bid not in the row");
        for (int i = 0; i <= 8; ++i) {
            cere(m.label_licitare_joc[i]->isHidden(), QStringLiteral("choice %1 still shown").arg(i));
            cere(m.label_licitare_joc[i]->isEnabled(), QStringLiteral("choice %1 left disabled").arg(i));
        }
        licitatii << l;
        if (dupa_licitatie) dupa_licitatie(licitatii.last());
    }

    // ---- his card ------------------------------------------------------------------

    void joaca_o_carte() {
        if (inainte_de_carte && inainte_de_carte()) return;
        auto& s = m.stare;
        const int n = s.nr_jucatori, k = s.nr_carti;
        QList<int> mana; // slots still holding a card
        for (int p = 1; p <= k; ++p)
            if (s.carti_jucatori[1][p] != 0) mana << p;
        if (mana.isEmpty()) return renunta("asked for a card with an empty hand");
        for (int i = 0; i <= 8; ++i)
            cere(m.label_licitare_joc[i]->isHidden(), QStringLiteral("bid choice %1 shown during a trick").arg(i));

        // The table: those before him in this trick have their card down and
        // their marker lit; the rest have neither.
        bool inainte = true;
        for (int loc = s.primul_levata, tura = 1; tura <= n; loc = urmatorul(loc, n), ++tura) {
            if (loc == 1) { inainte = false; continue; }
            const int c = s.carti_decartate[loc];
            if (inainte) {
                cere(c != 0 && m.image_carti_decartate[loc]->isVisible() &&
                         m.image_carti_decartate[loc]->pictureKey() == fata(c) && m.image_rand[loc]->isVisible(),
                     QStringLiteral("card of seat %1 not on the table").arg(loc));
            } else {
                cere(c == 0 && m.image_carti_decartate[loc]->isHidden() && m.image_rand[loc]->isHidden(),
                     QStringLiteral("seat %1 shown as played before its turn").arg(loc));
            }
        }
        // Tricks so far: the sheet's "F" cells of the row keep count.
        const int levate_jucate = k - int(mana.size());
        int facute = 0;
        for (int loc = 1; loc <= n; ++loc) {
            facute += s.facute[loc];
            const rt::Label* f = m.label_facute[celula(s.joc_curent, loc)];
            if (levate_jucate > 0)
                cere(f->isVisible() && f->Caption() == QString::number(s.facute[loc]),
                     QStringLiteral("tricks of seat %1 not in the row").arg(loc));
        }
        cere(facute == levate_jucate, "tricks taken do not add up to tricks played");

        // Which of his cards the table must refuse, and with which words.
        QList<int> permise, refuzate;
        QString motiv;
        if (s.primul_levata == 1) {
            permise = mana;
        } else {
            const int condusa = culoare(s.carti_decartate[s.primul_levata]);
            auto are = [&](int suit) {
                return std::any_of(mana.begin(), mana.end(),
                                   [&](int p) { return culoare(s.carti_jucatori[1][p]) == suit; });
            };
            const bool are_atu = s.atu != 0 && are(culoare(s.atu));
            for (int p : mana) {
                const int c = culoare(s.carti_jucatori[1][p]);
                if (are(condusa)) (c == condusa ? permise : refuzate) << p;
                else if (are_atu) (c == culoare(s.atu) ? permise : refuzate) << p;
                else permise << p;
            }
            motiv = are(condusa) ? AI_CULOARE : AI_ATU;
        }

        if (!clic_pe_calculator_facut_ && m.image_carti_jucatori[9]->isVisible()) {
            clic_pe_calculator_facut_ = true;
            const int inainte_mesaje = int(mesaje.size());
            clic(m.image_carti_jucatori[9], QPoint(35, 48));
            cere(s.asteapta && mesaje.size() == inainte_mesaje, "a click on a computer's card did something");
        }

        if (provoaca_refuzuri && !refuzate.isEmpty()) {
            const int slot = refuzate[std::uniform_int_distribution<int>(0, int(refuzate.size()) - 1)(rnd)];
            const int carte = s.carti_jucatori[1][slot];
            const int inainte_mesaje = int(mesaje.size());
            clic_carte(m, slot);
            cere(mesaje.size() == inainte_mesaje + 1 && mesaje.last() == motiv,
                 QStringLiteral("card %1 refused without \"%2\"").arg(carte).arg(motiv));
            cere(s.asteapta && s.carti_jucatori[1][slot] == carte && s.carti_decartate[1] == 0,
                 QStringLiteral("refused card %1 was played").arg(carte));
            cere(m.image_carti_jucatori[slot]->isVisible() && m.image_carti_jucatori[slot]->isEnabled(),
                 "his hand stopped taking clicks after a refusal");
            (motiv == AI_CULOARE ? refuzuri_culoare : refuzuri_atu)++;
        }

        if (permise.isEmpty()) return renunta("every card of his hand is refused");
        const int slot = permise[std::uniform_int_distribution<int>(0, int(permise.size()) - 1)(rnd)];
        const int carte = s.carti_jucatori[1][slot];
        const int inainte_mesaje = int(mesaje.size());
        clic_carte(m, slot);
        cere(mesaje.size() == inainte_mesaje, QStringLiteral("allowed card %1 drew a message").arg(carte));
        cere(!s.asteapta && s.carti_decartate[1] == carte && s.carti_jucatori[1][slot] == 0,
             QStringLiteral("allowed card %1 was not played").arg(carte));
        cere(m.image_carti_jucatori[slot]->isHidden(), "his played card still in his hand");
        cere(m.image_carti_decartate[1]->isVisible() && m.image_carti_decartate[1]->pictureKey() == fata(carte),
             "his card is not shown on the table");
        for (int i = 1; i <= 8; ++i)
            cere(!m.image_carti_jucatori[i]->isEnabled(), "his hand still takes clicks after his card");
        ++carti_jucate;
    }
};

// How a filled sheet reads, beside its faults.
struct Foaie {
    int premii = 0, depremieri = 0;
    QList<int> randuri_ratate_de_toti;
};

// Recomputes every total of the sheet from its own "L" and "F" cells, with the
// streaks and the bonus, and compares caption and colour.
Foaie verifica_foaia(const FormaMasa& m, int n, bool tip_181, int punctare, bool premiere,
                     QStringList& erori) {
    auto cere = [&](bool ok, const QString& ce) {
        if (!ok && erori.size() < 30) erori << ce;
    };
    Foaie f;
    const QList<int> maini = lista_mainilor(n, tip_181);
    int total[7] = {}, serie[7] = {};
    for (int r = 1; r <= 30; ++r) {
        const bool in_joc = r <= maini.size();
        const int k = in_joc ? maini[r - 1] : 0;
        cere(m.label_joc[r]->isVisible() == in_joc, QStringLiteral("row %1 hand size shown wrongly").arg(r));
        if (in_joc) cere(m.label_joc[r]->Caption() == QString::number(k), QStringLiteral("row %1 hand size").arg(r));
        int suma_facute = 0;
        bool cineva = false;
        for (int p = 1; p <= 6; ++p) {
            const int i = celula(r, p);
            const rt::Label *l = m.label_licitare[i], *fc = m.label_facute[i], *pc = m.label_scor[i];
            const QString unde = QStringLiteral("row %1 seat %2").arg(r).arg(p);
            if (!in_joc || p > n) {
                cere(l->isHidden() && fc->isHidden() && pc->isHidden(), unde + ": cell outside the game shown");
                continue;
            }
            cere(l->isVisible() && fc->isVisible() && pc->isVisible(), unde + ": cell not shown");
            bool ok1 = false, ok2 = false;
            const int licitat = l->Caption().toInt(&ok1), facut = fc->Caption().toInt(&ok2);
            cere(ok1 && ok2 && licitat >= 0 && licitat <= k && facut >= 0 && facut <= k,
                 unde + QStringLiteral(": bid \"%1\" tricks \"%2\"").arg(l->Caption(), fc->Caption()));
            suma_facute += facut;
            const bool reusit = licitat == facut;
            cineva = cineva || reusit;
            total[p] += reusit ? (punctare == 1 ? 2 * licitat + 1 : licitat + 5) : -std::abs(facut - licitat);
            if (k != 1) {
                if (reusit) serie[p] = std::max(serie[p], 0) + 1;
                else serie[p] = std::min(serie[p], 0) - 1;
            }
            quint32 culoare_asteptata = reusit ? VERDE : ROSU;
            if (premiere && serie[p] == 5) {
                serie[p] = 0;
                total[p] += 10;
                culoare_asteptata = MAGENTA_DESCHIS;
                ++f.premii;
            }
            if (premiere && serie[p] == -5) {
                serie[p] = 0;
                total[p] -= 10;
                culoare_asteptata = GALBEN_DESCHIS;
                ++f.depremieri;
            }
            cere(pc->Caption() == QString::number(total[p]),
                 unde + QStringLiteral(": total \"%1\", recomputed %2").arg(pc->Caption()).arg(total[p]));
            cere(pc->BackStyle() == 1 && pc->BackColor() == culoare_asteptata,
                 unde + QStringLiteral(": colour %1, expected %2")
                            .arg(pc->BackColor(), 8, 16, QChar('0'))
                            .arg(culoare_asteptata, 8, 16, QChar('0')));
            cere(m.stare.punctaj[p][r] == total[p], unde + ": running total differs from the sheet");
        }
        if (in_joc) {
            cere(suma_facute == k, QStringLiteral("row %1: tricks add up to %2 of %3").arg(r).arg(suma_facute).arg(k));
            if (!cineva) f.randuri_ratate_de_toti << r;
        }
    }
    return f;
}

// The first player of each deal: one seat on after every scored hand, the same
// for a hand dealt again.
void verifica_primii_jucatori(const QList<Licitatie>& licitatii, int n, QStringList& erori) {
    if (licitatii.isEmpty() || licitatii.first().joc != 1) {
        erori << "the game did not start at hand 1";
        return;
    }
    for (int i = 1; i < licitatii.size(); ++i) {
        const Licitatie &a = licitatii[i - 1], &b = licitatii[i];
        if (b.reluare) {
            if (b.primul != a.primul || b.nr_carti != a.nr_carti)
                erori << QStringLiteral("hand %1 dealt again with another first player or size").arg(b.joc);
        } else if (b.joc != a.joc + 1 || b.primul != urmatorul(a.primul, n)) {
            erori << QStringLiteral("hand %1 first player %2 after %3").arg(b.joc).arg(b.primul).arg(a.primul);
        }
    }
    if (licitatii.last().joc != 3 * n + 12) erori << "the last hand played is not the game's last";
}

// The table once the game is over.
void verifica_sfarsitul(const FormaMasa& m, int n, QStringList& erori) {
    auto cere = [&](bool ok, const QString& ce) { if (!ok) erori << ce; };
    cere(!m.joc_in_desfasurare(), "game still running");
    cere(m.image_carti_atu->isHidden(), "trump card shown after the game");
    cere(m.label_atu->isHidden(), "\"ATU\" shown after the game");
    for (int p = 1; p <= 6; ++p) {
        cere(m.label_jucator[p]->isHidden(), QStringLiteral("name at seat %1 shown after the game").arg(p));
        cere(m.image_rand[p]->isHidden(), QStringLiteral("turn marker %1 shown after the game").arg(p));
        cere(m.image_carti_decartate[p]->isHidden(), QStringLiteral("table card %1 shown after the game").arg(p));
    }
    for (int i = 1; i <= 48; ++i) cere(m.image_carti_jucatori[i]->isHidden(), "a card left in a hand");
    for (int i = 0; i <= 8; ++i) cere(m.label_licitare_joc[i]->isHidden(), "bid choice shown after the game");
    // The sheet stays.
    for (int p = 0; p <= n; ++p) cere(m.label_nume_jucator[p]->isVisible(), "sheet name hidden after the game");
    for (int i = 1; i <= 3 * n; ++i) cere(m.label_cap_tabel[i]->isVisible(), "sheet title hidden after the game");
    for (int k = 0; k <= 3 * n + 1; ++k) cere(m.linie_verticala[k]->isVisible(), "sheet line hidden after the game");
    for (int k = 0; k <= 3 * n + 14; ++k) cere(m.linie_orizontala[k]->isVisible(), "sheet line hidden after the game");
}

QString primele(const QStringList& erori) { return erori.mid(0, 8).join("\n"); }

} // namespace

class TstJoc : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<FormaMasa> masa_;
    QStringList mesaje_;
    std::function<void(const QString&)> la_mesaj_;

    // A seed and a row where a three-player game with the random human has to
    // deal a hand again: found once, by trying seeds in order.
    struct Repetare {
        quint32 samanta = 0;
        int rand = 0;
    };
    std::optional<Repetare> repetare_;

    FormaOptiuni& optiuni() { return dovek::forma_optiuni(); }

    Repetare gaseste_repetare() {
        if (repetare_) return *repetare_;
        for (quint32 samanta = 1; samanta <= 200; ++samanta) {
            mesaje_.clear();
            OmScriptat om(*masa_, samanta, mesaje_);
            om.provoaca_refuzuri = false;
            rt::seteaza_samanta(samanta);
            om.joaca(3);
            for (const Licitatie& l : om.licitatii)
                if (l.reluare) {
                    repetare_ = Repetare{samanta, l.joc};
                    mesaje_.clear();
                    return *repetare_;
                }
        }
        mesaje_.clear();
        return {};
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QDir::setCurrent(dir_.path()); // no settings file: the defaults
        QApplication::setApplicationName(QStringLiteral("dovek"));
    }
    void init() {
        rt::reseteaza_pentru_teste();
        rt::seteaza_scala_pauzelor(0);
        mesaje_.clear();
        la_mesaj_ = nullptr;
        rt::seteaza_inregistrare_mesaje([this](const QString& t) {
            mesaje_ << t;
            if (la_mesaj_) la_mesaj_(t);
        });
        masa_ = std::make_unique<FormaMasa>();
        masa_->show();
    }
    void cleanup() {
        masa_.reset();
        dovek::unload_forma_carti();
        dovek::unload_forma_optiuni(); // the next test starts from the defaults
        rt::seteaza_inregistrare_mesaje(nullptr);
        rt::seteaza_scala_pauzelor(0);
        rt::reseteaza_pentru_teste();
    }

    // ---- whole games ----------------------------------------------------------------

    void joc_intreg_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("tip_181");
        QTest::addColumn<int>("punctare"); // 1: 2n+1, 2: n+5
        QTest::addColumn<bool>("premiere");
        QTest::addColumn<quint32>("samanta");
        QTest::newRow("3 players, 1-8-1") << 3 << true << 2 << true << 11u;
        QTest::newRow("3 players, 8-1-8") << 3 << false << 2 << true << 12u;
        QTest::newRow("4 players, 1-8-1") << 4 << true << 2 << true << 13u;
        QTest::newRow("4 players, 8-1-8, 2n+1") << 4 << false << 1 << true << 14u;
        QTest::newRow("5 players, 1-8-1, 2n+1") << 5 << true << 1 << true << 15u;
        QTest::newRow("5 players, 8-1-8") << 5 << false << 2 << true << 16u;
        QTest::newRow("6 players, 1-8-1") << 6 << true << 2 << true << 17u;
        QTest::newRow("6 players, 8-1-8") << 6 << false << 2 << true << 18u;
        QTest::newRow("6 players, 1-8-1, no bonus") << 6 << true << 2 << false << 19u;
        QTest::newRow("3 players, 8-1-8, 2n+1, no bonus") << 3 << false << 1 << false << 20u;
    }
    void joc_intreg() {
        QFETCH(int, n);
        QFETCH(bool, tip_181);
        QFETCH(int, punctare);
        QFETCH(bool, premiere);
        QFETCH(quint32, samanta);
        FormaMasa& m = *masa_;
        optiuni().optiune_joc[tip_181 ? 1 : 2]->setChecked(true);
        optiuni().optiune_punctare[punctare]->setChecked(true);
        FormaOptiuni::setValue(optiuni().optiune_premiere, premiere ? 1 : 0);

        OmScriptat om(m, samanta, mesaje_);
        rt::seteaza_samanta(samanta);
        QElapsedTimer ceas;
        ceas.start();
        om.joaca(n);
        qInfo("%d hands dealt, %d again, in %lld ms", int(om.licitatii.size()), om.reluari(),
              ceas.elapsed());
        QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));

        QStringList erori;
        const Foaie f = verifica_foaia(m, n, tip_181, punctare, premiere, erori);
        verifica_primii_jucatori(om.licitatii, n, erori);
        verifica_sfarsitul(m, n, erori);
        QVERIFY2(erori.isEmpty(), qPrintable(primele(erori)));
        if (!premiere) QCOMPARE(f.premii + f.depremieri, 0);

        // Every message was an answer to a provoked refusal or a hand dealt again.
        QCOMPARE(int(mesaje_.count(AI_CULOARE)), om.refuzuri_culoare);
        QCOMPARE(int(mesaje_.count(AI_ATU)), om.refuzuri_atu);
        QCOMPARE(int(mesaje_.count(SE_REPETA)), om.reluari());
        QCOMPARE(int(mesaje_.size()), om.refuzuri_culoare + om.refuzuri_atu + om.reluari());
        QVERIFY(om.refuzuri_culoare > 0);
        QCOMPARE(om.licitatii.size(), qsizetype(3 * n + 12 + om.reluari()));
        QCOMPARE(int(m.stare.joc_curent), 3 * n + 12);
        QCOMPARE(om.pauze, om.pauze_asteptate());
        // He played one card in every trick of every deal.
        int levate = 0;
        for (const Licitatie& l : om.licitatii) levate += l.nr_carti;
        QCOMPARE(om.carti_jucate, levate);
    }

    // The bonus of both signs shows up in some game, so its colours are checked
    // against real play and not only in theory; so does "Ai atu".
    void premii_si_atu_apar_in_joc() {
        FormaMasa& m = *masa_;
        int premii = 0, depremieri = 0, atu = 0;
        for (quint32 samanta = 1; samanta <= 12 && (premii == 0 || depremieri == 0 || atu == 0); ++samanta) {
            mesaje_.clear();
            OmScriptat om(m, samanta, mesaje_);
            rt::seteaza_samanta(samanta);
            om.joaca(3 + int(samanta % 4));
            QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));
            QStringList erori;
            const Foaie f = verifica_foaia(m, 3 + int(samanta % 4), true, 2, true, erori);
            QVERIFY2(erori.isEmpty(), qPrintable(primele(erori)));
            premii += f.premii;
            depremieri += f.depremieri;
            atu += om.refuzuri_atu;
        }
        QVERIFY(premii > 0);
        QVERIFY(depremieri > 0);
        QVERIFY(atu > 0);
    }

    // ---- scoring ----------------------------------------------------------------------

    // Seat 1 scores a hand of 2 cards four hands into a run, from 20 points.
    // Only the ticked box (1) pays the bonus: the grayed one (2) is off.
    void premiere_la_a_cincea_mana_data() {
        QTest::addColumn<int>("premiere"); // the box's value
        QTest::addColumn<bool>("facuta");  // he takes the 2 tricks he bid
        QTest::addColumn<QString>("total");
        QTest::addColumn<quint32>("culoare");
        QTest::addColumn<int>("serie"); // his run afterwards
        QTest::newRow("made, ticked") << 1 << true << "37" << MAGENTA_DESCHIS << 0;
        QTest::newRow("made, grayed") << 2 << true << "27" << VERDE << 5;
        QTest::newRow("made, cleared") << 0 << true << "27" << VERDE << 5;
        QTest::newRow("missed, ticked") << 1 << false << "8" << GALBEN_DESCHIS << 0;
        QTest::newRow("missed, grayed") << 2 << false << "18" << ROSU << -5;
        QTest::newRow("missed, cleared") << 0 << false << "18" << ROSU << -5;
    }
    void premiere_la_a_cincea_mana() {
        QFETCH(int, premiere);
        QFETCH(bool, facuta);
        QFETCH(QString, total);
        QFETCH(quint32, culoare);
        QFETCH(int, serie);
        FormaMasa& m = *masa_;
        FormaOptiuni::setValue(optiuni().optiune_premiere, premiere);
        auto& s = m.stare;
        s.nr_jucatori = 3;
        s.joc_curent = 5;
        s.nr_carti = 2;
        s.licitari[1] = 2;
        s.facute[1] = facuta ? 2 : 0;
        s.punctaj[1][4] = 20;
        s.serie[1] = facuta ? 4 : -4;
        m.calculare_punctaj();
        const rt::Label* p = m.label_scor[celula(5, 1)];
        QVERIFY(p->isVisible());
        QCOMPARE(p->Caption(), total);
        QCOMPARE(p->BackStyle(), 1);
        QCOMPARE(p->BackColor(), culoare);
        QCOMPARE(QString::number(s.punctaj[1][5]), total);
        QCOMPARE(s.serie[1], serie);
    }

    // ---- bidding ----------------------------------------------------------------------

    void optiunile_de_licitare() {
        FormaMasa& m = *masa_;
        bool nu_ultimul = false, ultimul_sub = false, ultimul_peste = false, s_zero = false, s_k = false;
        bool opt = false, unu = false;
        // Games for 6, 5, 4, 3 players in turn: with more computers bidding before
        // him, their bids more often add up to more than the hand.
        for (quint32 samanta = 1; samanta <= 40; ++samanta) {
            const int n = 6 - int(samanta % 4);
            optiuni().optiune_joc[samanta % 2 ? 1 : 2]->setChecked(true);
            mesaje_.clear();
            OmScriptat om(m, samanta, mesaje_);
            om.provoaca_refuzuri = false;
            rt::seteaza_samanta(samanta);
            om.joaca(n);
            QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));
            for (const Licitatie& l : om.licitatii) {
                if (l.ultimul != 1) nu_ultimul = true;
                else if (l.suma_celorlalti > l.nr_carti) ultimul_peste = true;
                else {
                    ultimul_sub = true;
                    s_zero = s_zero || l.suma_celorlalti == 0;
                    s_k = s_k || l.suma_celorlalti == l.nr_carti;
                }
                opt = opt || (l.nr_carti == 8 && l.aratate.size() == 9);
                unu = unu || (l.nr_carti == 1 && l.aratate == QList<int>{0, 1});
            }
            if (nu_ultimul && ultimul_sub && ultimul_peste && s_zero && s_k && opt && unu) break;
        }
        // Each kind of bid was met and checked in play.
        QVERIFY(nu_ultimul);
        QVERIFY(ultimul_sub);
        QVERIFY(ultimul_peste);
        QVERIFY(s_zero);
        QVERIFY(s_k);
        QVERIFY(opt);
        QVERIFY(unu);
    }

    void optiunea_se_aprinde_sub_indicator() {
        FormaMasa& m = *masa_;
        const QPoint masa_goala(760, 700);
        QVERIFY(!m.suprafata->childAt(masa_goala));
        OmScriptat om(m, 5, mesaje_);
        bool aprinsa = false, dezactivata = false;
        om.inainte_de_licitatie = [&](Licitatie& l) {
            const int k = l.nr_carti;
            if (!aprinsa) {
                const int j = l.dezactivate.contains(k) ? 0 : k;
                misca_mouse(m.label_licitare_joc[j], QPoint(3, 3));
                om.cere(m.label_licitare_joc[j]->ForeColor() == MOV, "choice not lit under the pointer");
                for (int i = 0; i <= k; ++i)
                    if (i != j) om.cere(m.label_licitare_joc[i]->ForeColor() == TEXT_BUTON, "another choice lit");
                misca_mouse(m.suprafata, masa_goala);
                for (int i = 0; i <= k; ++i)
                    om.cere(m.label_licitare_joc[i]->ForeColor() == TEXT_BUTON, "choice still lit over the table");
                aprinsa = true;
            }
            if (!dezactivata && !l.dezactivate.isEmpty()) {
                misca_mouse(m.label_licitare_joc[l.dezactivate.first()], QPoint(3, 3));
                om.cere(m.label_licitare_joc[l.dezactivate.first()]->ForeColor() == TEXT_BUTON,
                        "the refused choice lit up");
                dezactivata = true;
            }
            // The choice he is about to click is lit; the click leaves it so.
            om.alege_licitatia = [&](const QList<int>& permise) {
                misca_mouse(m.label_licitare_joc[permise.last()], QPoint(3, 3));
                return int(permise.size()) - 1;
            };
        };
        om.dupa_licitatie = [&](Licitatie& l) {
            om.cere(m.label_licitare_joc[l.aleasa]->ForeColor() == MOV, "the click reset the colour");
            misca_mouse(m.suprafata, masa_goala);
        };
        rt::seteaza_samanta(5);
        om.joaca(4);
        QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));
        QVERIFY(aprinsa);
        QVERIFY(dezactivata);
    }

    void licitatia_lui_apare_inainte_de_pauza() {
        FormaMasa& m = *masa_;
        OmScriptat om(m, 7, mesaje_);
        bool verificat = false;
        om.inainte_de_licitatie = [&](Licitatie&) {
            if (!verificat) rt::seteaza_scala_pauzelor(1); // this one pause lasts its 300 ms
        };
        om.dupa_licitatie = [&](Licitatie& l) {
            if (verificat) return;
            verificat = true;
            const int urmator = urmatorul(1, m.stare.nr_jucatori);
            QTimer::singleShot(100, &om, [&, l, urmator] {
                om.cere(m.Timer1->Enabled(), "the pause after his bid is over too soon");
                const rt::Label* a_lui = m.label_licitare[celula(l.joc, 1)];
                om.cere(a_lui->isVisible() && a_lui->Caption() == QString::number(l.aleasa),
                        "his bid not shown during the pause");
                for (int i = 0; i <= 8; ++i)
                    om.cere(m.label_licitare_joc[i]->isHidden(), "choices shown during the pause");
                if (l.ultimul != 1 && !l.reluare)
                    om.cere(m.label_licitare[celula(l.joc, urmator)]->isHidden(),
                            "the next player bid during the pause");
                rt::seteaza_scala_pauzelor(0);
            });
        };
        rt::seteaza_samanta(7);
        om.joaca(3);
        QVERIFY(verificat);
        QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));
    }

    // ---- the repeat rule ----------------------------------------------------------------

    void repetarea_mainii_data() {
        // The box's value at the start and while the hand is bid; only 1 is on.
        QTest::addColumn<int>("regula_la_start");
        QTest::addColumn<int>("regula_in_mana");
        QTest::newRow("rule on") << 1 << 1;
        QTest::newRow("rule off") << 0 << 0;
        QTest::newRow("rule grayed") << 2 << 2;
        QTest::newRow("rule cleared during the hand") << 1 << 0;
        QTest::newRow("rule ticked during the hand") << 0 << 1;
    }
    void repetarea_mainii() {
        QFETCH(int, regula_la_start);
        QFETCH(int, regula_in_mana);
        FormaMasa& m = *masa_;
        const Repetare gasita = gaseste_repetare();
        QVERIFY2(gasita.samanta != 0, "no seed up to 200 deals a hand again");
        const int n = 3;

        FormaOptiuni::setValue(optiuni().optiune_repetare, regula_la_start);
        OmScriptat om(m, gasita.samanta, mesaje_);
        om.provoaca_refuzuri = false;
        om.inainte_de_licitatie = [&](Licitatie& l) {
            if (l.joc == gasita.rand && !l.reluare)
                FormaOptiuni::setValue(optiuni().optiune_repetare, regula_in_mana);
        };

        // At the announcement the row still shows the hand nobody made, unscored;
        // once it is closed, the row's bids and tricks read "0" again.
        int anunturi = 0;
        la_mesaj_ = [&](const QString& t) {
            if (t != SE_REPETA) return;
            ++anunturi;
            const auto& s = m.stare;
            const int r = s.joc_curent;
            int facute = 0;
            for (int p = 1; p <= n; ++p) {
                const rt::Label *l = m.label_licitare[celula(r, p)], *f = m.label_facute[celula(r, p)];
                om.cere(l->Caption() != f->Caption(), QStringLiteral("seat %1 made the hand that is dealt again").arg(p));
                om.cere(m.label_scor[celula(r, p)]->isHidden(), "a hand dealt again was scored");
                facute += f->Caption().toInt();
            }
            om.cere(facute == s.nr_carti, "the announced hand was not played out");
            QTimer::singleShot(0, &om, [&, r] {
                const auto& st = m.stare;
                om.cere(st.joc_curent == r, "the row moved on for a hand dealt again");
                for (int p = 1; p <= n; ++p) {
                    const rt::Label *l = m.label_licitare[celula(r, p)], *f = m.label_facute[celula(r, p)];
                    om.cere(f->isVisible() && f->Caption() == "0", QStringLiteral("tricks of seat %1 not reset").arg(p));
                    // Only who has already bid again may show a new bid.
                    om.cere(l->isVisible() && l->Caption() == QString::number(st.licitari[p]) &&
                                (m.image_rand[p]->isVisible() || l->Caption() == "0"),
                            QStringLiteral("bid of seat %1 not reset").arg(p));
                }
            });
        };

        rt::seteaza_samanta(gasita.samanta);
        om.joaca(n);
        QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));

        QStringList erori;
        const Foaie f = verifica_foaia(m, n, true, 2, true, erori);
        verifica_primii_jucatori(om.licitatii, n, erori);
        verifica_sfarsitul(m, n, erori);
        QVERIFY2(erori.isEmpty(), qPrintable(primele(erori)));

        QCOMPARE(anunturi, om.reluari());
        QCOMPARE(om.pauze, om.pauze_asteptate());
        QCOMPARE(int(mesaje_.count(SE_REPETA)), om.reluari());
        // Up to the chosen row the games are the same deal for deal.
        for (const Licitatie& l : om.licitatii)
            if (l.joc < gasita.rand) QVERIFY2(!l.reluare, "a hand before the chosen row was dealt again");
        const bool reluat = std::any_of(om.licitatii.begin(), om.licitatii.end(),
                                        [&](const Licitatie& l) { return l.joc == gasita.rand && l.reluare; });
        QCOMPARE(reluat, regula_in_mana == 1);
        if (regula_in_mana == 1) {
            // Scored once someone made it.
            QVERIFY(!f.randuri_ratate_de_toti.contains(gasita.rand));
        } else {
            // Scored at once: everybody missed, every total cell red (yellow where
            // it also cost the bonus).
            QVERIFY(f.randuri_ratate_de_toti.contains(gasita.rand));
            for (int p = 1; p <= n; ++p) {
                const quint32 c = m.label_scor[celula(gasita.rand, p)]->BackColor();
                QVERIFY(c == ROSU || c == GALBEN_DESCHIS);
            }
        }
        if (regula_la_start != 1 && regula_in_mana != 1) {
            QCOMPARE(om.reluari(), 0);
            QCOMPARE(om.licitatii.size(), qsizetype(3 * n + 12));
        }
    }

    // ---- the pace of play ---------------------------------------------------------------

    void pauza_dupa_setare_data() {
        QTest::addColumn<int>("animatie");
        QTest::addColumn<int>("ms");
        QTest::newRow("Rapid") << 1 << 300;
        QTest::newRow("Normal") << 2 << 600;
        QTest::newRow("Lent") << 3 << 900;
    }
    void pauza_dupa_setare() {
        QFETCH(int, animatie);
        QFETCH(int, ms);
        FormaMasa& m = *masa_;
        optiuni().optiune_animatie[animatie]->setChecked(true);
        rt::seteaza_scala_pauzelor(1);
        // The window stays responsive during the pause.
        QElapsedTimer ceas;
        qint64 eveniment = -1;
        QTimer::singleShot(100, &m, [&] { eveniment = ceas.elapsed(); });
        ceas.start();
        m.asteptare();
        const qint64 durata = ceas.elapsed();
        QVERIFY2(durata >= ms && durata < ms + 200, qPrintable(QString("pause lasted %1 ms").arg(durata)));
        QVERIFY(eveniment >= 100 && eveniment < ms);
        QCOMPARE(m.Timer1->Interval(), ms);
        QVERIFY(!m.Timer1->Enabled());
    }

    void schimbarea_ritmului_in_joc() {
        FormaMasa& m = *masa_;
        OmScriptat om(m, 9, mesaje_);
        int pas = 0;
        om.inainte_de_carte = [&] {
            if (pas != 0) return false;
            pas = 1;
            om.cere(m.Timer1->Interval() == 300, "the game's pauses were not Rapid");
            optiuni().optiune_animatie[3]->setChecked(true);
            rt::seteaza_scala_pauzelor(0.2); // the next pause is 180 ms long
            QTimer::singleShot(30, &om, [&] {
                om.cere(m.Timer1->Enabled() && m.Timer1->Interval() == 900,
                        QStringLiteral("the pause after the change lasts %1 ms").arg(m.Timer1->Interval()));
                optiuni().optiune_animatie[2]->setChecked(true);
                rt::seteaza_scala_pauzelor(0);
                pas = 2;
            });
            return false;
        };
        rt::seteaza_samanta(9);
        om.joaca(4);
        QCOMPARE(pas, 2);
        QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));
        QCOMPARE(m.Timer1->Interval(), 600);
    }

    // ---- a new game, and closing, while the game waits ---------------------------

    void joc_nou_in_timpul_jocului() {
        FormaMasa& m = *masa_;
        OmScriptat om(m, 21, mesaje_);
        bool comutat = false, verificat_masa = false;
        int licitatii_vechi = 0;
        om.inainte_de_carte = [&] {
            const auto& s = m.stare;
            if (!comutat) {
                // Wait for a trick where seat 4 or 5 has a card on the table.
                if (s.carti_decartate[4] == 0 && s.carti_decartate[5] == 0) return false;
                comutat = true;
                licitatii_vechi = int(om.licitatii.size());
                om.joc_nou();
                m.mjucatori[3]->trigger();
                return true; // the old game unwinds; its card is never played
            }
            if (!verificat_masa) {
                verificat_masa = true;
                om.cere(s.nr_jucatori == 3, "the new game is not for 3 players");
                for (int p = 4; p <= 6; ++p) {
                    om.cere(m.image_rand[p]->isHidden(), QStringLiteral("old turn marker %1 left").arg(p));
                    om.cere(m.image_carti_decartate[p]->isHidden(), QStringLiteral("old table card %1 left").arg(p));
                }
                for (int i = 25; i <= 48; ++i)
                    om.cere(m.image_carti_jucatori[i]->isHidden(), "old cards of seats 4..6 left");
            }
            return false;
        };
        rt::seteaza_samanta(21);
        om.joaca(5);
        QVERIFY(comutat);
        QVERIFY(verificat_masa);
        QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));
        // A game run inside the old one's wait would be two waits deep.
        QVERIFY2(om.adancime_maxima == 1, qPrintable(QString("waits nested %1 deep").arg(om.adancime_maxima)));

        // The new game was played from its first hand to its last.
        const QList<Licitatie> noi = om.licitatii.mid(licitatii_vechi);
        QStringList erori;
        verifica_foaia(m, 3, true, 2, true, erori);
        verifica_primii_jucatori(noi, 3, erori);
        verifica_sfarsitul(m, 3, erori);
        QVERIFY2(erori.isEmpty(), qPrintable(primele(erori)));
        QCOMPARE(int(m.stare.nr_jucatori), 3);
        for (int p = 1; p <= 6; ++p) QCOMPARE(m.image_rand[p]->isHidden(), true);
    }

    void inchiderea_in_timpul_jocului() {
        FormaMasa* m = masa_.get();
        OmScriptat om(*m, 23, mesaje_);
        bool inchis = false, jocul_s_a_intors = false;
        om.inainte_de_carte = [&] {
            if (inchis) return true;
            inchis = true;
            m->close();
            return true;
        };
        QTimer::singleShot(0, m, [&] {
            rt::seteaza_samanta(23);
            om.joaca(4, 10000);
            jocul_s_a_intors = true;
        });
        QTimer paza; // a game that goes on after the close fails instead of blocking
        paza.setSingleShot(true);
        connect(&paza, &QTimer::timeout, [] { QCoreApplication::exit(3); });
        paza.start(15000);
        const int stare_iesire = QCoreApplication::exec();
        QCOMPARE(stare_iesire, 0);
        QVERIFY(inchis);
        QVERIFY(jocul_s_a_intors);
        QVERIFY(!m->joc_in_desfasurare());
        QVERIFY(!m->isVisible());
        QVERIFY2(om.erori.isEmpty(), qPrintable(primele(om.erori)));
        rt::reseteaza_pentru_teste();
    }
};

QTEST_MAIN(TstJoc)
#include "tst_joc.moc"
