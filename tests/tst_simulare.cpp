// Whole deals and whole games played by the computer rules at every seat, the
// human's included, checked against simple independent oracles.

#include "table/reguli.h"

#include <QTest>
#include <chrono>
#include <cstdint>
#include <cstdlib>

using namespace dovek;
using namespace dovek::reguli;

namespace {

// xorshift32: small, seeded, the same on every platform.
class Xorshift : public SursaAleatoare {
public:
    explicit Xorshift(std::uint32_t seed) : stare(seed ? seed : 1) {}
    std::uint32_t brut() {
        stare ^= stare << 13;
        stare ^= stare >> 17;
        stare ^= stare << 5;
        return stare;
    }
    float urmator() override { return float(brut() >> 8) * (1.f / 16777216.f); }
    int intre(int lo, int hi) { return lo + int(brut() % std::uint32_t(hi - lo + 1)); }

private:
    std::uint32_t stare;
};

bool tine_culoarea(const StareJoc& s, int loc, int suit) {
    for (int p = 1; p <= s.nr_carti; ++p)
        if (s.carti_jucatori[loc][p] != 0 && culoare(s.carti_jucatori[loc][p]) == suit)
            return true;
    return false;
}

// The duty to follow suit, and when void, to trump.
bool legala(const StareJoc& s, int loc, int carte) {
    if (loc == s.primul_levata)
        return true;
    const int condus = culoare(s.carti_decartate[s.primul_levata]);
    if (tine_culoarea(s, loc, condus))
        return culoare(carte) == condus;
    if (s.atu != 0 && tine_culoarea(s, loc, culoare(s.atu)))
        return culoare(carte) == culoare(s.atu);
    return true;
}

// Highest trump on the table, else the highest card of the led suit.
int castigator_oracol(const StareJoc& s) {
    const int condus = culoare(s.carti_decartate[s.primul_levata]);
    int castigator = 0, cheie_max = 0;
    for (int loc = 1; loc <= s.nr_jucatori; ++loc) {
        const int c = s.carti_decartate[loc];
        int cheie = 0;
        if (c != 0 && s.atu != 0 && culoare(c) == culoare(s.atu))
            cheie = 100 + c; // any trump above any plain card
        else if (c != 0 && culoare(c) == condus)
            cheie = c;
        if (cheie > cheie_max) {
            cheie_max = cheie;
            castigator = loc;
        }
    }
    return castigator;
}

struct Cronometru {
    long decizii = 0;
    std::chrono::nanoseconds timp{0};
};

// Deals and checks the deal: every card of the pack at most once, the trump
// among the cards nobody holds, the human's hand in order.
void imparte(StareJoc& s, Xorshift& rnd) {
    impartire(s, rnd);
    const int n = s.nr_jucatori, k = s.nr_carti;
    bool vazut[53] = {};
    for (int loc = 1; loc <= n; ++loc)
        for (int p = 1; p <= k; ++p) {
            const int c = s.carti_jucatori[loc][p];
            QVERIFY(c >= cod_minim_pachet(n) && c <= 52);
            QVERIFY2(!vazut[c], "card dealt twice");
            vazut[c] = true;
        }
    QCOMPARE(s.atu == 0, k == 8);
    if (s.atu != 0) {
        QVERIFY(s.atu >= cod_minim_pachet(n) && s.atu <= 52);
        QVERIFY2(!vazut[s.atu], "trump card dealt");
    }
    for (int p = 1; p < k; ++p) {
        const int a = s.carti_jucatori[1][p], b = s.carti_jucatori[1][p + 1];
        QVERIFY(culoare(a) < culoare(b) || (culoare(a) == culoare(b) && a > b));
    }
}

// Bids from the first player round to the last, every seat by the estimate.
void liciteaza(StareJoc& s) {
    s.licitari.umple(0);
    s.facute.umple(0);
    int loc = s.primul_jucator;
    for (int t = 0; t < s.nr_jucatori; ++t, loc = urmatorul(loc, s.nr_jucatori)) {
        const int b = licitatie_calculator(s, loc);
        QVERIFY(b >= 0 && b <= s.nr_carti);
        s.licitari[loc] = Octet(b);
    }
    QVERIFY2(suma_licitari(s) != s.nr_carti, "bids add up to the number of tricks");
}

// Plays every trick with alegere_carte at every seat.
void joaca(StareJoc& s, Cronometru& cr) {
    const int n = s.nr_jucatori, k = s.nr_carti;
    bool dat[53] = {}, jucat[53] = {};
    for (int loc = 1; loc <= n; ++loc)
        for (int p = 1; p <= k; ++p)
            dat[s.carti_jucatori[loc][p]] = true;

    for (int levata = 1; levata <= k; ++levata) {
        s.carti_decartate.umple(0);
        int loc = s.primul_levata;
        for (int t = 0; t < n; ++t, loc = urmatorul(loc, n)) {
            const auto t0 = std::chrono::steady_clock::now();
            const Alegere a = alegere_carte(s, loc);
            cr.timp += std::chrono::steady_clock::now() - t0;
            ++cr.decizii;
            QVERIFY(a.slot >= 1 && a.slot <= k);
            QVERIFY(a.carte != 0);
            QCOMPARE(int(s.carti_jucatori[loc][a.slot]), a.carte);
            QVERIFY2(legala(s, loc, a.carte), "card breaks the follow-suit or trump duty");
            QVERIFY(dat[a.carte] && !jucat[a.carte]);
            jucat[a.carte] = true;
            pune_carte(s, loc, a.slot);
        }
        const int oracol = castigator_oracol(s);
        marcheaza_culoarea(s);
        QCOMPARE(incheie_levata(s), oracol);
    }
    int total = 0;
    for (int loc = 1; loc <= n; ++loc) {
        total += s.facute[loc];
        for (int p = 1; p <= k; ++p)
            QCOMPARE(int(s.carti_jucatori[loc][p]), 0);
    }
    QCOMPARE(total, k);
}

} // namespace

class TestSimulare : public QObject {
    Q_OBJECT
private slots:
    void maini_aleatoare() {
        Xorshift rnd(20240611);
        Cronometru cr;
        const auto t0 = std::chrono::steady_clock::now();
        for (int deal = 0; deal < 10000; ++deal) {
            StareJoc s;
            s.nr_jucatori = Octet(rnd.intre(3, 6));
            s.nr_carti = Octet(rnd.intre(1, 8));
            seteaza_primul_jucator(s, rnd.intre(1, s.nr_jucatori));
            imparte(s, rnd);
            liciteaza(s);
            joaca(s, cr);
            if (QTest::currentTestFailed()) {
                qWarning("failed in deal %d", deal);
                return;
            }
        }
        const auto total = std::chrono::steady_clock::now() - t0;
        const double us = std::chrono::duration<double, std::micro>(cr.timp).count() / double(cr.decizii);
        qInfo("%ld decisions, %.3f us per decision, %lld ms for 10000 deals", cr.decizii, us,
              qlonglong(std::chrono::duration_cast<std::chrono::milliseconds>(total).count()));
    }

    void jocuri_intregi_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("tip_181");
        QTest::addColumn<int>("optiune");
        QTest::addColumn<bool>("premiere");
        QTest::addColumn<bool>("repetare");
        QTest::newRow("3, 1-8-1, n+5, bonus") << 1u << 3 << true << 2 << true << true;
        QTest::newRow("4, 8-1-8, 2n+1, bonus") << 2u << 4 << false << 1 << true << false;
        QTest::newRow("5, 1-8-1, n+5, no bonus") << 3u << 5 << true << 2 << false << true;
        QTest::newRow("6, 8-1-8, n+5, bonus") << 4u << 6 << false << 2 << true << true;
        QTest::newRow("6, 1-8-1, 2n+1, no bonus") << 5u << 6 << true << 1 << false << false;
    }
    void jocuri_intregi() {
        QFETCH(quint32, seed);
        QFETCH(int, n);
        QFETCH(bool, tip_181);
        QFETCH(int, optiune);
        QFETCH(bool, premiere);
        QFETCH(bool, repetare);
        Xorshift rnd(seed);
        Cronometru cr;
        StareJoc s;
        s.nr_jucatori = Octet(n);
        s.nr_jocuri = Octet(3 * n + 12);
        construieste_carti_joc(s, tip_181);
        seteaza_primul_jucator(s, reguli::trage_loc(rnd, n));

        int total[7] = {}, serie[7] = {};
        for (int joc = 1; joc <= s.nr_jocuri; ++joc) {
            s.joc_curent = Octet(joc);
            s.nr_carti = s.carti_joc[joc];
            QVERIFY(s.nr_carti >= 1 && s.nr_carti <= 8);
            for (int repetari = 0;; ++repetari) {
                QVERIFY(repetari < 1000);
                s.asi_jucati.umple(0);
                s.culori_deschise.umple(0);
                s.primul_levata = s.primul_jucator;
                imparte(s, rnd);
                liciteaza(s);
                joaca(s, cr);
                if (QTest::currentTestFailed())
                    return;
                bool cineva = false;
                for (int loc = 1; loc <= n; ++loc)
                    cineva = cineva || s.facute[loc] == s.licitari[loc];
                QCOMPARE(nimeni_nu_si_a_facut(s), !cineva);
                if (!repetare || cineva)
                    break;
            }

            const auto rezultat = punctare(s, optiune, premiere);
            for (int loc = 1; loc <= n; ++loc) {
                const int b = s.licitari[loc], f = s.facute[loc];
                Rezultat asteptat = f == b ? Rezultat::facut : Rezultat::ratat;
                total[loc] += f == b ? (optiune == 1 ? 2 * b + 1 : b + 5) : -std::abs(f - b);
                if (s.nr_carti != 1)
                    serie[loc] = f == b ? (serie[loc] > 0 ? serie[loc] + 1 : 1)
                                        : (serie[loc] < 0 ? serie[loc] - 1 : -1);
                if (premiere && (serie[loc] == 5 || serie[loc] == -5)) {
                    total[loc] += serie[loc] > 0 ? 10 : -10;
                    asteptat = serie[loc] > 0 ? Rezultat::premiu : Rezultat::depremiere;
                    serie[loc] = 0;
                }
                QCOMPARE(s.punctaj[loc][joc], total[loc]);
                QCOMPARE(s.serie[loc], serie[loc]);
                QCOMPARE(int(rezultat[loc]), int(asteptat));
            }

            const int urmatorul_primul = urmatorul(s.primul_jucator, n);
            muta_primul_jucator(s);
            QCOMPARE(int(s.primul_jucator), urmatorul_primul);
        }
    }
};

QTEST_APPLESS_MAIN(TestSimulare)
#include "tst_simulare.moc"
