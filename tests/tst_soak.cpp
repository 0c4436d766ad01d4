// Hundreds of whole games in one run, one after the other at the same table,
// the human's part played by a seeded script that bids and plays at random
// within the rules. Every deal, every scored hand and every finished sheet is
// checked against what the rules say, with the scoring, bonus and repeat rules
// switched now and then in the middle of a game as a user may do; at the end
// the process must not have grown. It plays at least DOVEK_SOAK_JOCURI games
// and more until DOVEK_SOAK_SECUNDE have passed (0: exactly that many).

#include "tests/ajutor_masa.h"
#include "tests/durata.h"
#include "platform/runtime.h"
#include "settings/forma_optiuni.h"
#include "table/forma_carti.h"
#include "table/forma_masa.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define DOVEK_SUB_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DOVEK_SUB_ASAN 1
#endif
#endif
#ifdef DOVEK_SUB_ASAN
// Live heap bytes as ASan counts them: freed blocks waiting in its quarantine
// are not included, unlike in the resident size.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using dovek::FormaMasa;
using dovek::FormaOptiuni;

namespace {
using namespace test;



// The rules that decide a row's score, as the dialog held them.
struct Reguli {
    int punctare = 2;  // 1: 2n+1, 2: n+5
    int premiere = 1;  // check box value 0..2; only 1 is on
    int repetare = 1;  // likewise
    bool operator==(const Reguli&) const = default;
};

void aplica(const Reguli& r) {
    FormaOptiuni& o = dovek::forma_optiuni();
    o.optiune_punctare[r.punctare]->setChecked(true);
    FormaOptiuni::setValue(o.optiune_premiere, r.premiere);
    FormaOptiuni::setValue(o.optiune_repetare, r.repetare);
}

// Memory the process holds: the resident size, or under ASan its live heap.
long memorie_kb() {
#ifdef DOVEK_SUB_ASAN
    return long(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> campuri = f.readAll().simplified().split(' ');
    return campuri.size() > 1 ? campuri[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
#endif
}

// The scripted human and the checks made at every moment the game asks him
// something. A 0 ms timer looks at the table whenever the game lets events run.
class Jucator : public QObject {
public:
    FormaMasa& m;
    QStringList erori;
    QStringList mesaje;
    // Totals over the run, to show the checks were reached.
    long impartiri = 0, maini_verificate = 0, reluari = 0, refuzuri = 0, premii = 0,
         schimbari = 0;

    explicit Jucator(FormaMasa& masa) : m(masa) {
        ceas_.setInterval(0);
        connect(&ceas_, &QTimer::timeout, this, [this] { pas(); });
        rt::seteaza_inregistrare_mesaje([this](const QString& t) { la_mesaj(t); });
    }
    ~Jucator() override { rt::seteaza_inregistrare_mesaje({}); }

    void cere(bool ok, const QString& ce) {
        if (ok) return;
        if (erori.size() < 20)
            erori << QStringLiteral("game %1 hand %2: %3").arg(joc_).arg(m.stare.joc_curent).arg(ce);
        // One fault is enough to fail; the rest of the game would only repeat it.
        if (m.joc_in_desfasurare()) rt::abandoneaza_jocul();
    }

    // Plays one whole game for n players; returns when it has ended.
    void joaca(int joc, int n, bool tip_181, const Reguli& reguli, quint32 samanta) {
        joc_ = joc;
        n_ = n;
        tip_181_ = tip_181;
        rnd_.seed(samanta);
        reguli_ = reguli;
        aplica(reguli_);
        dovek::forma_optiuni().optiune_joc[tip_181 ? 1 : 2]->setChecked(true);
        randuri_.fill({});
        cereri_.fill(0);
        repetari_.fill(0);
        rand_ = 0;
        primul_ = 0;
        total_.fill(0);
        serie_.fill(0);

        QTimer paza; // a game that stops moving fails instead of blocking the run
        paza.setSingleShot(true);
        connect(&paza, &QTimer::timeout, this, [this] { cere(false, QStringLiteral("no end in time")); });
        paza.start(120000);
        ceas_.start();
        m.mjucatori[n]->trigger();
        ceas_.stop();
        paza.stop();
        if (!erori.isEmpty()) return;
        sfarsit_de_joc();
    }

private:
    QTimer ceas_;
    std::mt19937 rnd_;
    int joc_ = 0, n_ = 0;
    bool tip_181_ = true;
    Reguli reguli_;
    std::array<Reguli, 31> randuri_{}; // the rules each row was scored under
    std::array<int, 31> cereri_{};     // bid requests per row: one per deal
    std::array<int, 31> repetari_{};   // repeat messages per row
    int rand_ = 0;                     // the row of the last bid request
    int primul_ = 0;                   // its first player
    std::array<int, 7> total_{}, serie_{};

    int aleator(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rnd_); }

    void pas() {
        cere(rt::adancime_asteptari() <= 2, QStringLiteral("%1 waits nested").arg(rt::adancime_asteptari()));
        if (!m.stare.asteapta) return;
        if (!m.label_licitare_joc[0]->isHidden()) liciteaza();
        else if (m.image_carti_jucatori[1]->isEnabled()) joaca_carte();
        else cere(false, QStringLiteral("waits for the human with nothing to click"));
    }

    void la_mesaj(const QString& text) {
        mesaje << text;
        if (text != SE_REPETA) return;
        const auto& s = m.stare;
        ++repetari_[s.joc_curent];
        ++reluari;
        cere(reguli_.repetare == 1, "a hand repeated with the repeat rule off");
        for (int p = 1; p <= s.nr_jucatori; ++p)
            cere(s.facute[p] != s.licitari[p], QStringLiteral("repeated although seat %1 made it").arg(p));
    }

    // ---- every deal, when the human is asked for his bid ---------------------------

    void verifica_impartirea() {
        const auto& s = m.stare;
        const int n = s.nr_jucatori, k = s.nr_carti;
        ++impartiri;
        cere(n == n_, "wrong number of players");
        cere(k == s.carti_joc[s.joc_curent] && k == int(lista_mainilor(n, tip_181_)[s.joc_curent - 1]),
             QStringLiteral("hand of %1 cards against the list").arg(k));
        std::array<int, 53> de_cate_ori{};
        int date = 0;
        auto numara = [&](int c, const QString& unde) {
            cere(c >= 53 - 8 * n && c <= 52, QStringLiteral("%1: card %2 outside the pack").arg(unde).arg(c));
            if (c >= 1 && c <= 52) ++de_cate_ori[std::size_t(c)];
            ++date;
        };
        for (int loc = 1; loc <= n; ++loc)
            for (int p = 1; p <= k; ++p)
                numara(s.carti_jucatori[loc][p], QStringLiteral("seat %1 slot %2").arg(loc).arg(p));
        if (k == 8) cere(s.atu == 0, "a trump card in a hand of 8");
        else numara(s.atu, QStringLiteral("trump"));
        for (int c = 1; c <= 52; ++c)
            cere(de_cate_ori[std::size_t(c)] <= 1, QStringLiteral("card %1 dealt twice").arg(c));
        cere(date == n * k + (k == 8 ? 0 : 1), "cards missing from the deal");
        // His hand face up in its order, the others face down.
        for (int p = 1; p < k; ++p) {
            const int a = s.carti_jucatori[1][p], b = s.carti_jucatori[1][p + 1];
            cere(culoare(a) < culoare(b) || (culoare(a) == culoare(b) && a > b), "his hand out of order");
        }
        for (int p = 1; p <= k; ++p)
            cere(m.image_carti_jucatori[p]->pictureKey() ==
                     dovek::forma_carti().image_carti[s.carti_jucatori[1][p]].cacheKey(),
                 QStringLiteral("his slot %1 shows another card").arg(p));
    }

    // ---- every scored row, seen at the next bid request or at the end -------------

    void verifica_randul(int r, const Reguli& reguli) {
        const auto& s = m.stare;
        const int n = s.nr_jucatori;
        const int k = int(lista_mainilor(n, tip_181_)[r - 1]);
        randuri_[r] = reguli;
        ++maini_verificate;
        cere(cereri_[r] == repetari_[r] + 1,
             QStringLiteral("row %1 dealt %2 times with %3 repeats").arg(r).arg(cereri_[r]).arg(repetari_[r]));
        int suma_facute = 0;
        bool cineva = false;
        for (int p = 1; p <= n; ++p) {
            const rt::Label* l = m.label_licitare[celula(r, p)];
            const rt::Label* f = m.label_facute[celula(r, p)];
            const rt::Label* pc = m.label_scor[celula(r, p)];
            bool ok1 = false, ok2 = false, ok3 = false;
            const int licitat = l->Caption().toInt(&ok1), facut = f->Caption().toInt(&ok2);
            const int scor = pc->Caption().toInt(&ok3);
            cere(ok1 && ok2 && ok3 && licitat >= 0 && licitat <= k && facut >= 0 && facut <= k,
                 QStringLiteral("row %1 seat %2 reads \"%3\" \"%4\" \"%5\"")
                     .arg(r).arg(p).arg(l->Caption(), f->Caption(), pc->Caption()));
            cere(!l->isHidden() && !f->isHidden() && !pc->isHidden(),
                 QStringLiteral("row %1 seat %2 not shown").arg(r).arg(p));
            suma_facute += facut;
            const bool reusit = licitat == facut;
            cineva = cineva || reusit;
            total_[std::size_t(p)] += reusit ? (reguli.punctare == 1 ? 2 * licitat + 1 : licitat + 5)
                                             : -std::abs(facut - licitat);
            int& serie = serie_[std::size_t(p)];
            if (k != 1) serie = reusit ? std::max(serie, 0) + 1 : std::min(serie, 0) - 1;
            quint32 fundal = reusit ? VERDE : ROSU;
            if (reguli.premiere == 1 && serie == 5) {
                serie = 0;
                total_[std::size_t(p)] += 10;
                fundal = MAGENTA_DESCHIS;
                ++premii;
            }
            if (reguli.premiere == 1 && serie == -5) {
                serie = 0;
                total_[std::size_t(p)] -= 10;
                fundal = GALBEN_DESCHIS;
                ++premii;
            }
            cere(scor == total_[std::size_t(p)] && s.punctaj[p][r] == scor,
                 QStringLiteral("row %1 seat %2 total %3, recomputed %4")
                     .arg(r).arg(p).arg(pc->Caption()).arg(total_[std::size_t(p)]));
            cere(pc->BackStyle() == 1 && pc->BackColor() == fundal,
                 QStringLiteral("row %1 seat %2 coloured %3").arg(r).arg(p).arg(pc->BackColor(), 0, 16));
        }
        cere(suma_facute == k, QStringLiteral("row %1: %2 tricks in a hand of %3").arg(r).arg(suma_facute).arg(k));
        cere(cineva || reguli.repetare != 1, QStringLiteral("row %1 nobody made, scored with the repeat rule on").arg(r));
    }

    // ---- the human -------------------------------------------------------------------

    void liciteaza() {
        auto& s = m.stare;
        const int n = s.nr_jucatori, k = s.nr_carti, r = s.joc_curent;
        cere(r >= 1 && r <= s.nr_jocuri && r >= rand_, QStringLiteral("bid asked in row %1 after row %2").arg(r).arg(rand_));
        if (r != rand_) {
            // Every row before this one is scored: check the last of them with
            // the rules in force since the previous bid request.
            for (int x = rand_ + 1; x < r; ++x) cere(false, QStringLiteral("row %1 never dealt").arg(x));
            if (rand_ > 0) verifica_randul(rand_, reguli_);
            for (int p = 1; p <= n; ++p)
                cere(s.serie[p] == serie_[std::size_t(p)],
                     QStringLiteral("seat %1 streak %2, recomputed %3").arg(p).arg(s.serie[p]).arg(serie_[std::size_t(p)]));
            // Each scored hand passes the first bid and lead to the next seat.
            if (rand_ > 0)
                cere(s.primul_jucator == (primul_ % n) + 1,
                     QStringLiteral("first player %1 after %2").arg(s.primul_jucator).arg(primul_));
            rand_ = r;
        } else {
            cere(s.primul_jucator == primul_, "a repeated hand with another first player");
        }
        primul_ = s.primul_jucator;
        cere(s.primul_levata == s.primul_jucator, "the first trick is not led by the first player");
        cere(s.ultimul_jucator == (s.primul_jucator == 1 ? n : s.primul_jucator - 1),
             "the last bidder is not the seat before the first");
        ++cereri_[r];
        verifica_impartirea();

        // Now and then the user changes a rule during the game; it counts from
        // the next moment the game reads it. The game type must not change the
        // running game at all.
        if (aleator(1, 20) == 1) {
            reguli_ = {aleator(1, 2), aleator(0, 2), aleator(0, 2)};
            aplica(reguli_);
            ++schimbari;
        }
        if (aleator(1, 40) == 1)
            dovek::forma_optiuni().optiune_joc[aleator(1, 2)]->setChecked(true);

        // The choices 0..k; as the last bidder, the sum-making one is refused.
        int refuzata = -1;
        if (s.ultimul_jucator == 1) {
            int suma = 0;
            for (int p = 2; p <= n; ++p) suma += s.licitari[p];
            if (suma <= k) refuzata = k - suma;
        }
        for (int i = 0; i <= 8; ++i) {
            cere(m.label_licitare_joc[i]->isHidden() == (i > k), QStringLiteral("choice %1 shown wrongly").arg(i));
            if (i <= k)
                cere(m.label_licitare_joc[i]->isEnabled() == (i != refuzata),
                     QStringLiteral("choice %1 enabled wrongly").arg(i));
        }
        if (refuzata >= 0 && aleator(1, 4) == 1) {
            clic(m.label_licitare_joc[refuzata]);
            cere(s.asteapta, "the refused bid was taken");
        }
        int ales;
        do ales = aleator(0, k);
        while (ales == refuzata);
        clic(m.label_licitare_joc[ales]);
        cere(!s.asteapta && s.licitari[1] == ales, QStringLiteral("bid %1 not taken").arg(ales));
    }

    void joaca_carte() {
        auto& s = m.stare;
        const int k = s.nr_carti;
        std::vector<int> permise, refuzate;
        int in_mana = 0, facute = 0;
        for (int p = 1; p <= s.nr_jucatori; ++p) facute += s.facute[p];
        // Follow the led suit; when void, trump if he can; else anything.
        auto are = [&](int suit) {
            for (int p = 1; p <= k; ++p)
                if (s.carti_jucatori[1][p] != 0 && culoare(s.carti_jucatori[1][p]) == suit) return true;
            return false;
        };
        const bool conduce = s.primul_levata == 1;
        const int condusa = conduce ? -1 : culoare(s.carti_decartate[s.primul_levata]);
        const int cerut = conduce ? -1 : are(condusa) ? condusa : (s.atu != 0 && are(culoare(s.atu))) ? culoare(s.atu) : -1;
        for (int p = 1; p <= k; ++p) {
            const int c = s.carti_jucatori[1][p];
            if (c == 0) continue;
            ++in_mana;
            (cerut < 0 || culoare(c) == cerut ? permise : refuzate).push_back(p);
        }
        cere(in_mana == k - facute, QStringLiteral("%1 cards in hand after %2 tricks").arg(in_mana).arg(facute));
        cere(!permise.empty(), "no card allowed");
        if (permise.empty()) return;
        if (!refuzate.empty() && aleator(1, 10) == 1) {
            const int slot = refuzate[std::size_t(aleator(0, int(refuzate.size()) - 1))];
            const qsizetype inainte = mesaje.size();
            clic(m.image_carti_jucatori[slot]);
            cere(s.asteapta && s.carti_jucatori[1][slot] != 0 && mesaje.size() == inainte + 1 &&
                     (mesaje.last() == AI_CULOARE || mesaje.last() == AI_ATU),
                 "a card against the rule was not refused");
            ++refuzuri;
        }
        const int slot = permise[std::size_t(aleator(0, int(permise.size()) - 1))];
        const int carte = s.carti_jucatori[1][slot];
        clic(m.image_carti_jucatori[slot]);
        cere(!s.asteapta && s.carti_decartate[1] == carte && s.carti_jucatori[1][slot] == 0,
             QStringLiteral("card %1 not played").arg(carte));
    }

    // ---- the finished game -----------------------------------------------------------

    void sfarsit_de_joc() {
        const auto& s = m.stare;
        const int n = n_;
        const auto lista = lista_mainilor(n, tip_181_);
        const int nr = int(lista.size());
        cere(!m.joc_in_desfasurare() && rt::adancime_asteptari() == 0, "the game did not end cleanly");
        cere(s.joc_curent == nr && s.nr_jocuri == nr && rand_ == nr,
             QStringLiteral("ended at hand %1 (bid asked up to %2) of %3").arg(s.joc_curent).arg(rand_).arg(nr));
        if (rand_ != nr) return;
        verifica_randul(nr, reguli_);
        for (int p = 1; p <= 6; ++p)
            cere(s.serie[p] == (p <= n ? serie_[std::size_t(p)] : 0),
                 QStringLiteral("seat %1 streak %2 at the end, recomputed %3").arg(p).arg(s.serie[p]).arg(serie_[std::size_t(p)]));

        // The whole sheet once more: earlier rows untouched by later hands, the
        // hand list as the game type was at the start, nothing outside the game.
        std::array<int, 7> total{}, serie{};
        for (int r = 1; r <= 30; ++r) {
            const bool in_joc = r <= nr;
            cere(!m.label_joc[r]->isHidden() == (r <= 30 - 3 * (6 - n)), QStringLiteral("row %1 label").arg(r));
            if (in_joc) {
                cere(s.carti_joc[r] == lista[std::size_t(r - 1)] &&
                         m.label_joc[r]->Caption() == QString::number(lista[std::size_t(r - 1)]),
                     QStringLiteral("row %1 hand size %2").arg(r).arg(m.label_joc[r]->Caption()));
            }
            for (int p = 1; p <= 6; ++p) {
                const int i = celula(r, p);
                if (!in_joc || p > n) {
                    cere(m.label_licitare[i]->isHidden() && m.label_facute[i]->isHidden() &&
                             m.label_scor[i]->isHidden(),
                         QStringLiteral("row %1 seat %2 shown outside the game").arg(r).arg(p));
                    continue;
                }
                const int licitat = m.label_licitare[i]->Caption().toInt();
                const int facut = m.label_facute[i]->Caption().toInt();
                const bool reusit = licitat == facut;
                const Reguli& rg = randuri_[std::size_t(r)];
                total[std::size_t(p)] += reusit ? (rg.punctare == 1 ? 2 * licitat + 1 : licitat + 5)
                                                : -std::abs(facut - licitat);
                int& sr = serie[std::size_t(p)];
                if (lista[std::size_t(r - 1)] != 1) sr = reusit ? std::max(sr, 0) + 1 : std::min(sr, 0) - 1;
                if (rg.premiere == 1 && (sr == 5 || sr == -5)) {
                    total[std::size_t(p)] += sr == 5 ? 10 : -10;
                    sr = 0;
                }
                cere(m.label_scor[i]->Caption() == QString::number(total[std::size_t(p)]),
                     QStringLiteral("row %1 seat %2 changed after it was scored").arg(r).arg(p));
            }
        }
        for (int p = 1; p <= n; ++p)
            cere(serie[std::size_t(p)] == s.serie[p], QStringLiteral("seat %1 streak over the sheet").arg(p));
        cere(m.image_carti_atu->isHidden() && m.label_atu->isHidden(), "trump left on the table");
        for (int p = 1; p <= 6; ++p) cere(m.label_jucator[p]->isHidden(), "a seat name left at the end");
    }
};

} // namespace

class TstSoak : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QDir::setCurrent(dir_.path()); // no settings file: the defaults
        QApplication::setApplicationName(QStringLiteral("dovek"));
        rt::seteaza_scala_pauzelor(0);
        rt::reseteaza_pentru_teste();
    }

    void multe_jocuri() {
        // Every combination of players, game type and rules in 64 games.
        const Durata durata = Durata::din_mediu("DOVEK_SOAK_JOCURI", 64, "DOVEK_SOAK_SECUNDE", 20);
        QVERIFY(durata.minim >= 1);
        FormaMasa masa;
        masa.show();
        Jucator om(masa);

        QElapsedTimer ceas;
        ceas.start();
        long memorie_dupa_primul = 0;
        std::array<int, 7> pe_jucatori{};
        int jocuri = 0;
        for (int g = 0; durata.continua(g, ceas); ++g) {
            // Every combination of players, game type and rules comes round
            // every 64 games; a grayed box (2) stands in for "off" every third time.
            const int n = 3 + g % 4;
            const bool tip_181 = (g / 4) % 2 == 0;
            Reguli r;
            r.punctare = 1 + (g / 8) % 2;
            const int oprit = (g / 64) % 3 == 2 ? 2 : 0;
            r.premiere = (g / 16) % 2 ? 1 : oprit;
            r.repetare = (g / 32) % 2 ? 1 : oprit;
            const quint32 samanta = 20240 + quint32(g);
            rt::seteaza_samanta(samanta);
            om.joaca(g, n, tip_181, r, samanta * 7919u);
            if (!om.erori.isEmpty()) {
                rt::reseteaza_pentru_teste();
                QFAIL(qPrintable(om.erori.join(QLatin1Char('\n'))));
            }
            ++pe_jucatori[std::size_t(n)];
            if (g == 0) memorie_dupa_primul = memorie_kb();
            jocuri = g + 1;
        }
        const double secunde = ceas.elapsed() / 1000.0;
        const long memorie_la_sfarsit = memorie_kb();

        qInfo("%d games in %.1f s: %.1f games/s", jocuri, secunde, jocuri / std::max(secunde, 0.001));
        qInfo("%ld deals, %ld rows checked, %ld repeats, %ld refused cards, %ld bonus cells, "
              "%ld rule changes mid-game",
              om.impartiri, om.maini_verificate, om.reluari, om.refuzuri, om.premii, om.schimbari);
#ifdef DOVEK_SUB_ASAN
        const char* ce = "live heap (ASan)";
#else
        const char* ce = "resident size";
#endif
        qInfo("%s after the first game %ld kB, after the last %ld kB", ce, memorie_dupa_primul,
              memorie_la_sfarsit);
        QVERIFY(memorie_dupa_primul > 0);
        QVERIFY2(memorie_la_sfarsit <= memorie_dupa_primul + 10 * 1024,
                 qPrintable(QStringLiteral("%1 grew from %2 kB to %3 kB")
                                .arg(QLatin1String(ce)).arg(memorie_dupa_primul).arg(memorie_la_sfarsit)));
        // The checks were reached, not skipped.
        QVERIFY(om.maini_verificate >= 21L * jocuri);
        if (jocuri >= 64) {
            QVERIFY(om.reluari > 0);
            QVERIFY(om.refuzuri > 0);
            QVERIFY(om.premii > 0);
            for (int n = 3; n <= 6; ++n) QVERIFY(pe_jucatori[std::size_t(n)] > 0);
        }
    }

    void cleanupTestCase() {
        dovek::unload_forma_carti();
        dovek::unload_forma_optiuni();
        rt::reseteaza_pentru_teste();
    }
};

QTEST_MAIN(TstSoak)
#include "tst_soak.moc"
