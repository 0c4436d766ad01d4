// "Joc nou" chosen in the middle of a game, and the window closed in the
// middle of one, at every kind of moment the game can be interrupted at: while
// the human bids, while he is to play a card, during a pause between moves,
// while the repeat message or a refused card's message is up, and at a random
// time. The interrupted game must unwind without a trace: no crash, no hang,
// never a game inside another, and the game started in its place plays to its
// end with a sheet that adds up. Closing must end the run loop with status 0.
// It runs at least DOVEK_ABANDON_JOCURI rounds and more until
// DOVEK_ABANDON_SECUNDE have passed (0: exactly that many);
// DOVEK_ABANDON_TIMP prints each round's time.

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
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>
#include <random>

using dovek::FormaMasa;
using dovek::FormaOptiuni;

namespace {
using namespace test;

// Short pauses (3, 6 or 9 ms) so there is a pause to be caught in.
constexpr double SCALA_CU_PAUZE = 0.01;

int nr_jocuri(int n) { return 3 * n + 12; }

enum class Moment { licitatie, carte, pauza, mesaj_repetare, oricand, mesaj_refuz, nr };
const char* const NUME_MOMENT[] = {"bid",         "card",        "pause",
                                   "repeat message", "random time", "refusal message"};
constexpr int NR_MOMENTE = int(Moment::nr);
enum class Actiune { joc_nou, inchidere };

// One interruption to make: what, when, and for "Joc nou" the game it starts.
struct Tinta {
    Moment moment = Moment::licitatie;
    Actiune actiune = Actiune::joc_nou;
    int dupa = 1;        // at the dupa-th such moment
    int jucatori = 3;    // the new game's players
    bool pauze_dupa = false; // keep the short pauses in the new game
};

// The scripted human, who also makes the interruptions when their moment comes.
class Jucator : public QObject {
public:
    FormaMasa& m;
    QStringList erori;
    std::vector<Tinta> tinte;     // taken from the front
    std::array<int, NR_MOMENTE> lovite{}; // interruptions made, per moment
    int n_curent = 0;             // the game that should be running
    bool liciteaza_cat_mai_mult = false; // bid the most, to miss and get repeats
    int adancime_maxima = 0;

    Jucator(FormaMasa& masa, quint32 samanta) : m(masa), rnd_(samanta) {
        ceas_.setInterval(0);
        connect(&ceas_, &QTimer::timeout, this, [this] { pas(); });
        // A timer is not fired again while its own handler runs, so a game
        // started from the human's handler would never see him; a second
        // timer watches for it.
        straja_.setInterval(1);
        connect(&straja_, &QTimer::timeout, this, [this] { observa(); });
        aleator_.setSingleShot(true);
        connect(&aleator_, &QTimer::timeout, this, [this] { declanseaza(); });
        rt::seteaza_inregistrare_mesaje([this](const QString& t) { la_mesaj(t); });
    }
    ~Jucator() override { rt::seteaza_inregistrare_mesaje({}); }

    void cere(bool ok, const QString& ce) {
        if (ok) return;
        if (erori.size() < 20) erori << QStringLiteral("hand %1: %2").arg(m.stare.joc_curent).arg(ce);
        // Everything after a fault would only repeat it: end the run loop the
        // way closing does, which unwinds every game, nested ones included.
        rt::termina_programul();
    }

    void porneste() {
        ceas_.start();
        straja_.start();
        pregateste_momentul();
    }
    // The game the test itself starts from the menu.
    void joc_de_la_meniu(int n) {
        n_curent = n;
        rand_vazut_ = 0;
    }
    void opreste() {
        ceas_.stop();
        straja_.stop();
        aleator_.stop();
    }

    int aleator(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rnd_); }

private:
    QTimer ceas_, straja_, aleator_;
    std::mt19937 rnd_;
    bool in_declansare_ = false;
    int rand_vazut_ = 0;

    // A random-time interruption is armed as a timer of its own.
    void pregateste_momentul() {
        aleator_.stop();
        if (!tinte.empty() && tinte.front().moment == Moment::oricand) aleator_.start(tinte.front().dupa);
    }

    void observa() {
        // A game started from inside a wait of another would run its waits
        // here, under the call that started it.
        cere(!in_declansare_, "a game runs inside another");
        const int a = rt::adancime_asteptari();
        adancime_maxima = std::max(adancime_maxima, a);
        cere(a <= 2, QStringLiteral("%1 waits nested").arg(a));
        cere(m.joc_in_desfasurare(), "the game loop runs events with no game active");
    }

    void pas() {
        observa();
        const auto& s = m.stare;
        Moment acum;
        if (s.asteapta && !m.label_licitare_joc[0]->isHidden()) acum = Moment::licitatie;
        else if (s.asteapta && m.image_carti_jucatori[1]->isEnabled()) acum = Moment::carte;
        else if (!s.asteapta && m.Timer1->Enabled()) acum = Moment::pauza;
        else {
            cere(!s.asteapta, "waits for the human with nothing to click");
            return;
        }
        if (s.asteapta) cere(!m.Timer1->Enabled(), "a pause runs while the human is asked");
        if (!tinte.empty() && tinte.front().moment == acum && --tinte.front().dupa <= 0) {
            declanseaza();
            return;
        }
        if (acum == Moment::licitatie) liciteaza();
        else if (acum == Moment::carte) joaca_carte();
    }

    void la_mesaj(const QString& text) {
        observa();
        if (tinte.empty()) return;
        const Moment asteptat = tinte.front().moment;
        if ((text == SE_REPETA && asteptat == Moment::mesaj_repetare) ||
            (text != SE_REPETA && asteptat == Moment::mesaj_refuz))
            declanseaza();
    }

    void declanseaza() {
        if (tinte.empty()) return;
        observa();
        liciteaza_cat_mai_mult = false;
        const Tinta t = tinte.front();
        tinte.erase(tinte.begin());
        ++lovite[std::size_t(t.moment)];
        rt::seteaza_scala_pauzelor(t.pauze_dupa ? SCALA_CU_PAUZE : 0);
        if (t.actiune == Actiune::inchidere) {
            // Closing is the same from the close box and from the menu.
            if (aleator(0, 1)) m.close();
            else m.miesire->trigger();
            cere(rt::se_termina(), "closing did not end the program");
        } else {
            const int inainte = m.stare.joc_curent;
            in_declansare_ = true;
            m.mjucatori[t.jucatori]->trigger();
            in_declansare_ = false;
            // The choice only asks the running game to unwind; it returns at once.
            cere(rt::abandon_cerut() && m.joc_in_desfasurare() && m.stare.joc_curent == inainte,
                 "\"Joc nou\" did not leave the running game to unwind");
            n_curent = t.jucatori;
            rand_vazut_ = 0;
        }
        pregateste_momentul();
    }

    // ---- the human's part: any allowed bid and card --------------------------------

    void liciteaza() {
        auto& s = m.stare;
        const int n = s.nr_jucatori, k = s.nr_carti, r = s.joc_curent;
        cere(n == n_curent, QStringLiteral("%1 players at the table, %2 chosen").arg(n).arg(n_curent));
        if (r == 1 && rand_vazut_ == 0) {
            // A fresh game: a clean sheet and nothing left of the one before.
            for (int x = 2; x <= 30; ++x)
                for (int p = 1; p <= 6; ++p)
                    cere(m.label_licitare[celula(x, p)]->isHidden() && m.label_facute[celula(x, p)]->isHidden() &&
                             m.label_scor[celula(x, p)]->isHidden(),
                         QStringLiteral("row %1 seat %2 left from the game before").arg(x).arg(p));
            for (int p = 1; p <= 6; ++p) {
                cere(s.serie[p] == 0, "streaks not reset");
                cere(m.image_carti_decartate[p]->isHidden(), "a card left on the table");
            }
        }
        cere(r >= rand_vazut_, QStringLiteral("row %1 after row %2").arg(r).arg(rand_vazut_));
        rand_vazut_ = r;
        // Every card of the deal once, from this game's pack.
        std::array<int, 53> vazute{};
        for (int loc = 1; loc <= n; ++loc)
            for (int p = 1; p <= k; ++p) {
                const int c = s.carti_jucatori[loc][p];
                cere(c >= 53 - 8 * n && c <= 52 && ++vazute[std::size_t(c)] == 1,
                     QStringLiteral("card %1 at seat %2").arg(c).arg(loc));
            }
        for (int i = 0; i <= 8; ++i)
            cere(m.label_licitare_joc[i]->isHidden() == (i > k), QStringLiteral("choice %1 shown wrongly").arg(i));

        std::vector<int> permise;
        for (int i = 0; i <= k; ++i)
            if (m.label_licitare_joc[i]->isEnabled()) permise.push_back(i);
        cere(!permise.empty(), "no bid allowed");
        if (permise.empty()) return;
        const int ales = liciteaza_cat_mai_mult ? permise.back()
                                                : permise[std::size_t(aleator(0, int(permise.size()) - 1))];
        clic(m.label_licitare_joc[ales]);
        cere(!s.asteapta && s.licitari[1] == ales, QStringLiteral("bid %1 not taken").arg(ales));
    }

    void joaca_carte() {
        auto& s = m.stare;
        const int k = s.nr_carti;
        auto are = [&](int suit) {
            for (int p = 1; p <= k; ++p)
                if (s.carti_jucatori[1][p] != 0 && culoare(s.carti_jucatori[1][p]) == suit) return true;
            return false;
        };
        const int condusa = s.primul_levata == 1 ? -1 : culoare(s.carti_decartate[s.primul_levata]);
        const int cerut = condusa < 0 ? -1 : are(condusa) ? condusa : (s.atu != 0 && are(culoare(s.atu))) ? culoare(s.atu) : -1;
        std::vector<int> permise, refuzate;
        for (int p = 1; p <= k; ++p) {
            const int c = s.carti_jucatori[1][p];
            if (c != 0) (cerut < 0 || culoare(c) == cerut ? permise : refuzate).push_back(p);
        }
        cere(!permise.empty(), "no card allowed");
        if (permise.empty()) return;
        if (!refuzate.empty() && !tinte.empty() && tinte.front().moment == Moment::mesaj_refuz) {
            // The refusal's message box is where the interruption comes.
            const int slot = refuzate[std::size_t(aleator(0, int(refuzate.size()) - 1))];
            QStringList mana;
            for (int p = 1; p <= k; ++p) mana << QString::number(s.carti_jucatori[1][p]);
            const QString unde = QStringLiteral("card %1 on %2 led by seat %3, trump %4, hand %5")
                                     .arg(s.carti_jucatori[1][slot])
                                     .arg(s.carti_decartate[s.primul_levata])
                                     .arg(s.primul_levata)
                                     .arg(s.atu)
                                     .arg(mana.join(QLatin1Char(' ')));
            const int inainte = lovite[std::size_t(Moment::mesaj_refuz)];
            clic(m.image_carti_jucatori[slot]);
            cere(lovite[std::size_t(Moment::mesaj_refuz)] == inainte + 1,
                 QStringLiteral("a card against the rule drew no message: ") + unde);
            return;
        }
        const int slot = permise[std::size_t(aleator(0, int(permise.size()) - 1))];
        const int carte = s.carti_jucatori[1][slot];
        clic(m.image_carti_jucatori[slot]);
        cere(!s.asteapta && s.carti_decartate[1] == carte, QStringLiteral("card %1 not played").arg(carte));
    }
};

// The sheet of a finished game recomputed from its own "L" and "F" cells.
void verifica_foaia(const FormaMasa& m, int n, int punctare, bool premiere, bool repetare,
                    QStringList& erori) {
    auto cere = [&](bool ok, const QString& ce) {
        if (!ok && erori.size() < 20) erori << ce;
    };
    const auto& s = m.stare;
    cere(s.nr_jucatori == n && s.nr_jocuri == nr_jocuri(n) && s.joc_curent == nr_jocuri(n),
         QStringLiteral("the game for %1 ended at hand %2 of %3 with %4 players")
             .arg(n).arg(s.joc_curent).arg(s.nr_jocuri).arg(s.nr_jucatori));
    std::array<int, 7> total{}, serie{};
    for (int r = 1; r <= 30; ++r) {
        const int k = r <= nr_jocuri(n) ? s.carti_joc[r] : 0;
        int facute = 0;
        bool cineva = false;
        for (int p = 1; p <= 6; ++p) {
            const int i = celula(r, p);
            const rt::Label *l = m.label_licitare[i], *f = m.label_facute[i], *pc = m.label_scor[i];
            if (k == 0 || p > n) {
                cere(l->isHidden() && f->isHidden() && pc->isHidden(),
                     QStringLiteral("row %1 seat %2 shown outside the game").arg(r).arg(p));
                continue;
            }
            cere(!l->isHidden() && !f->isHidden() && !pc->isHidden(),
                 QStringLiteral("row %1 seat %2 not filled").arg(r).arg(p));
            const int licitat = l->Caption().toInt(), facut = f->Caption().toInt();
            facute += facut;
            const bool reusit = licitat == facut;
            cineva = cineva || reusit;
            total[std::size_t(p)] += reusit ? (punctare == 1 ? 2 * licitat + 1 : licitat + 5)
                                            : -std::abs(facut - licitat);
            int& sr = serie[std::size_t(p)];
            if (k != 1) sr = reusit ? std::max(sr, 0) + 1 : std::min(sr, 0) - 1;
            if (premiere && (sr == 5 || sr == -5)) {
                total[std::size_t(p)] += sr == 5 ? 10 : -10;
                sr = 0;
            }
            cere(pc->Caption() == QString::number(total[std::size_t(p)]) && s.punctaj[p][r] == total[std::size_t(p)],
                 QStringLiteral("row %1 seat %2 total %3, recomputed %4")
                     .arg(r).arg(p).arg(pc->Caption()).arg(total[std::size_t(p)]));
        }
        if (k == 0) continue;
        cere(facute == k, QStringLiteral("row %1: %2 tricks in a hand of %3").arg(r).arg(facute).arg(k));
        cere(cineva || !repetare, QStringLiteral("row %1 scored though nobody made it").arg(r));
    }
    for (int p = 1; p <= n; ++p)
        cere(s.serie[p] == serie[std::size_t(p)], QStringLiteral("seat %1 streak %2, recomputed %3")
                                                      .arg(p).arg(s.serie[p]).arg(serie[std::size_t(p)]));
}

} // namespace

class TstAbandon : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<FormaMasa> masa_;

    void masa_noua() {
        masa_ = std::make_unique<FormaMasa>();
        masa_->show();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QDir::setCurrent(dir_.path()); // no settings file: the defaults
        QApplication::setApplicationName(QStringLiteral("dovek"));
        rt::reseteaza_pentru_teste();
        masa_noua();
    }

    void intreruperi() {
        // Each moment meets each action in 24 rounds.
        const Durata durata = Durata::din_mediu("DOVEK_ABANDON_JOCURI", 24, "DOVEK_ABANDON_SECUNDE", 20);
        QVERIFY(durata.minim >= 1);
        QElapsedTimer ceas;
        ceas.start();
        int runde = 0;
        int inchideri = 0, lanturi = 0, ratate = 0;
        std::array<int, NR_MOMENTE> lovite{};
        int adancime_maxima = 0;

        for (int runda = 0; durata.continua(runda, ceas); runde = ++runda) {
            QElapsedTimer ceas_runda;
            ceas_runda.start();
            const quint32 samanta = 7100 + quint32(runda);
            std::mt19937 rnd(samanta);
            auto aleator = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rnd); };

            // Each moment meets each action: 6 moments by 4 rounds, every 12 rounds.
            Tinta t;
            t.moment = Moment(runda % int(Moment::nr));
            t.actiune = runda % 4 == 3 ? Actiune::inchidere : Actiune::joc_nou;
            t.jucatori = aleator(3, 6);
            // Now and then the new game keeps the pauses too; a short one, as
            // they cost real time.
            t.pauze_dupa = runda % 10 == 0;
            if (t.pauze_dupa) t.jucatori = 3;
            switch (t.moment) {
            case Moment::licitatie: t.dupa = aleator(1, 8); break;
            case Moment::carte: t.dupa = aleator(1, 25); break;
            case Moment::pauza: t.dupa = aleator(1, 120); break;
            case Moment::mesaj_repetare: t.dupa = 1; break;
            case Moment::oricand: t.dupa = aleator(0, 400); break; // ms
            case Moment::mesaj_refuz: t.dupa = 1; break;
            case Moment::nr: break;
            }
            const bool repetare_ceruta = t.moment == Moment::mesaj_repetare;
            // The repeat message needs a hand nobody made: three players (the
            // fewer, the likelier), the human bidding all he holds, the rule on.
            const int n0 = repetare_ceruta ? 3 : aleator(3, 6);
            const int punctare = aleator(1, 2);
            const bool premiere = aleator(0, 1);
            const bool repetare = repetare_ceruta || aleator(0, 1);
            FormaOptiuni& o = dovek::forma_optiuni();
            o.optiune_punctare[punctare]->setChecked(true);
            FormaOptiuni::setValue(o.optiune_premiere, premiere ? 1 : 0);
            FormaOptiuni::setValue(o.optiune_repetare, repetare ? 1 : 0);
            // The pause lengths vary only where a pause is the moment.
            o.optiune_animatie[t.moment == Moment::pauza ? aleator(1, 3) : 1]->setChecked(true);
            rt::seteaza_samanta(samanta);
            rt::seteaza_scala_pauzelor(repetare_ceruta ? 0 : SCALA_CU_PAUZE);

            Jucator om(*masa_, samanta * 31u);
            om.tinte.push_back(t);
            om.liciteaza_cat_mai_mult = repetare_ceruta;
            // Now and then the new game is abandoned in its turn, at its first bid.
            const bool lant = t.actiune == Actiune::joc_nou && runda % 7 == 0;
            if (lant) {
                om.tinte.push_back({Moment::licitatie, Actiune::joc_nou, 1, aleator(3, 6), false});
                ++lanturi;
            }

            bool blocat = false;
            QTimer paza; // a hang fails the round instead of blocking the suite
            paza.setSingleShot(true);
            connect(&paza, &QTimer::timeout, [&] {
                blocat = true;
                rt::termina_programul();
            });
            paza.start(90000);

            const QString runda_text = QStringLiteral("round %1 (%2 at %3, %4 players then %5): ")
                                           .arg(runda)
                                           .arg(t.actiune == Actiune::joc_nou ? "Joc nou" : "closing")
                                           .arg(NUME_MOMENT[int(t.moment)])
                                           .arg(n0)
                                           .arg(t.jucatori);
            if (t.actiune == Actiune::inchidere) {
                ++inchideri;
                // Closing belongs to the application's own loop, as in the program.
                int iesire = -1;
                QTimer::singleShot(0, masa_.get(), [&] {
                    om.porneste();
                    // With no repeat coming the game may end first; the next game
                    // is then started the same way, until the closing comes.
                    for (int g = 0; g < 20 && !om.tinte.empty() && !rt::se_termina(); ++g) {
                        om.joc_de_la_meniu(n0);
                        masa_->mjucatori[n0]->trigger();
                    }
                    om.opreste();
                    if (!rt::se_termina()) QCoreApplication::exit(0);
                });
                iesire = QCoreApplication::exec();
                paza.stop();
                QVERIFY2(om.erori.isEmpty(), qPrintable(runda_text + om.erori.join("; ")));
                QVERIFY2(!blocat, qPrintable(runda_text + "hangs"));
                if (!om.tinte.empty()) {
                    ++ratate; // no repeat in 20 games: the moment never came
                } else {
                    QVERIFY2(iesire == 0, qPrintable(runda_text + QStringLiteral("exit status %1").arg(iesire)));
                    QVERIFY2(rt::se_termina(), qPrintable(runda_text + "the program did not end"));
                    QVERIFY2(!masa_->isVisible() && !masa_->joc_in_desfasurare(),
                             qPrintable(runda_text + "the window stayed or its game runs on"));
                    QVERIFY2(!dovek::forma_optiuni_exista(), qPrintable(runda_text + "the options dialog survived"));
                }
                QVERIFY2(rt::adancime_asteptari() == 0, qPrintable(runda_text + "waits left behind"));
                // The next run of the program.
                const bool inchisa = rt::se_termina();
                masa_.reset();
                dovek::unload_forma_carti();
                rt::reseteaza_pentru_teste();
                if (inchisa) QVERIFY(!rt::se_termina());
                masa_noua();
            } else {
                om.porneste();
                // The first call returns once the last game started has ended.
                for (int g = 0; g < 20 && !om.tinte.empty() && !rt::se_termina(); ++g) {
                    om.joc_de_la_meniu(n0);
                    masa_->mjucatori[n0]->trigger();
                }
                om.opreste();
                paza.stop();
                if (rt::se_termina()) rt::reseteaza_pentru_teste();
                QVERIFY2(om.erori.isEmpty(), qPrintable(runda_text + om.erori.join("; ")));
                QVERIFY2(!blocat, qPrintable(runda_text + "hangs"));
                QVERIFY2(!masa_->joc_in_desfasurare() && rt::adancime_asteptari() == 0 && !rt::abandon_cerut(),
                         qPrintable(runda_text + "the game did not end cleanly"));
                if (!om.tinte.empty()) {
                    ++ratate;
                } else {
                    QStringList erori;
                    verifica_foaia(*masa_, om.n_curent, punctare, premiere, repetare, erori);
                    QVERIFY2(erori.isEmpty(), qPrintable(runda_text + erori.join("; ")));
                }
            }
            if (qEnvironmentVariableIsSet("DOVEK_ABANDON_TIMP")) qInfo("%s %lld ms", qPrintable(runda_text), ceas_runda.elapsed());
            for (std::size_t i = 0; i < lovite.size(); ++i) lovite[i] += om.lovite[i];
            adancime_maxima = std::max(adancime_maxima, om.adancime_maxima);
        }

        const double secunde = ceas.elapsed() / 1000.0;
        qInfo("%d rounds in %.1f s: %d closings, %d chained abandons, %d rounds whose moment never came",
              runde, secunde, inchideri, lanturi, ratate);
        qInfo("interruptions at a bid %d, a card %d, a pause %d, the repeat message %d, a random time %d, "
              "the refusal message %d; deepest wait %d",
              lovite[0], lovite[1], lovite[2], lovite[3], lovite[4], lovite[5], adancime_maxima);
        if (runde >= 20) {
            for (int i = 0; i < int(Moment::nr); ++i)
                QVERIFY2(lovite[std::size_t(i)] > 0, NUME_MOMENT[i]);
            QVERIFY(ratate <= runde / 20);
        }
    }

    void cleanupTestCase() {
        masa_.reset();
        dovek::unload_forma_carti();
        dovek::unload_forma_optiuni();
        rt::reseteaza_pentru_teste();
    }
};

QTEST_MAIN(TstAbandon)
#include "tst_abandon.moc"
