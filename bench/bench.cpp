// How fast and how light the game is, each figure beside a yardstick measured
// in the same run: start-up to the first painted frame and resident size at
// rest against a bare Qt main window (separate processes, median of several
// runs), the CPU spent while the game waits for the human, how closely the
// pauses keep their length, whole games per second with the pauses at 0, and
// the time of one computer decision. Run on the offscreen platform by
// bench/run; the whole run stays under about a minute.
//
//   bench               all figures
//   bench --copil-masa  (internal) the table window's start-up, as a child

#include "bench/raport_pornire.h"
#include "tests/ajutor_masa.h"
#include "platform/runtime.h"
#include "settings/forma_optiuni.h"
#include "table/forma_masa.h"
#include "table/reguli.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using dovek::FormaMasa;

namespace {

double cpu_ms() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e3 +
           (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e3;
}

template <class T> T mediana(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// ---- the child: the table window as the program starts it -------------------------

int copil_masa(int argc, char* argv[]) {
    // As main.cpp, with the report added.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dovek"));
    rt::instaleaza_fonturi();
    FormaMasa masa;
    PrimaPictare p(&masa);
    masa.show();
    return QApplication::exec();
}

// ---- start-up and memory at rest, in child processes ----------------------------------

struct Pornire {
    double ms = 0;    // spawn to the first painted frame
    long rezident = 0; // kB, at rest
};

Pornire porneste(const QString& program, const QStringList& argumente, const QString& director) {
    QProcess p;
    p.setWorkingDirectory(director); // no settings file there
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer ceas;
    ceas.start();
    p.start(program, argumente);
    Pornire r;
    QByteArray iesire;
    while (r.rezident == 0 && p.waitForReadyRead(10000)) {
        iesire += p.readAllStandardOutput();
        if (r.ms == 0 && iesire.contains("pictat\n")) r.ms = ceas.nsecsElapsed() / 1e6;
        const qsizetype i = iesire.indexOf("rezident ");
        if (i >= 0 && iesire.indexOf('\n', i) > i) r.rezident = iesire.mid(i + 9).split('\n')[0].toLong();
    }
    p.waitForFinished(10000);
    if (r.ms == 0 || r.rezident == 0 || p.exitCode() != 0) {
        std::fprintf(stderr, "bench: %s did not report (exit %d)\n", qPrintable(program), p.exitCode());
        std::exit(1);
    }
    return r;
}

void masoara_pornirea() {
    const QString eu = QCoreApplication::applicationFilePath();
    const QString gol = QCoreApplication::applicationDirPath() + QStringLiteral("/fereastra_goala");
    QTemporaryDir dir;
    constexpr int RULARI = 7;
    // One of each first, for the file cache; alternated, so a slower moment of
    // the machine falls on both.
    porneste(eu, {QStringLiteral("--copil-masa")}, dir.path());
    porneste(gol, {}, dir.path());
    std::vector<double> t_masa, t_gol;
    std::vector<long> m_masa, m_gol;
    for (int i = 0; i < RULARI; ++i) {
        const Pornire a = porneste(eu, {QStringLiteral("--copil-masa")}, dir.path());
        const Pornire b = porneste(gol, {}, dir.path());
        t_masa.push_back(a.ms);
        m_masa.push_back(a.rezident);
        t_gol.push_back(b.ms);
        m_gol.push_back(b.rezident);
    }
    const double tm = mediana(t_masa), tg = mediana(t_gol);
    const long mm = mediana(m_masa), mg = mediana(m_gol);
    std::printf("start-up to first painted frame (median of %d processes)\n", RULARI);
    std::printf("  table window %.1f ms, bare QMainWindow %.1f ms: ratio %.2f\n", tm, tg, tm / tg);
    std::printf("resident memory at rest (300 ms after the first frame, median)\n");
    std::printf("  table window %.1f MB, bare QMainWindow %.1f MB: ratio %.2f (+%.1f MB)\n",
                mm / 1024.0, mg / 1024.0, double(mm) / double(mg), (mm - mg) / 1024.0);
}

// ---- in this process: the table window itself ------------------------------------------

using test::clic;

void masoara_asteptarea_omului(FormaMasa& masa) {
    // A game at the real pace, up to the human's first bid; then three seconds
    // in which only the game's wait is alive.
    rt::seteaza_scala_pauzelor(1);
    constexpr int SECUNDE = 3;
    double cpu = -1, perete = 0;
    QTimer cauta;
    cauta.setInterval(10);
    QElapsedTimer ceas;
    double cpu0 = 0;
    QObject::connect(&cauta, &QTimer::timeout, [&] {
        if (!masa.stare.asteapta || masa.label_licitare_joc[0]->isHidden()) return;
        cauta.stop();
        cpu0 = cpu_ms();
        ceas.start();
        QTimer::singleShot(SECUNDE * 1000, Qt::PreciseTimer, [&] {
            cpu = cpu_ms() - cpu0;
            perete = ceas.nsecsElapsed() / 1e6;
            rt::abandoneaza_jocul();
        });
    });
    cauta.start();
    masa.mjucatori[4]->trigger();
    std::printf("CPU while the game waits for the human's bid (getrusage over %.1f s)\n", perete / 1000);
    std::printf("  %.1f ms of CPU: %.2f %% of one core\n", cpu, 100.0 * cpu / perete);
}

void masoara_pauzele(FormaMasa& masa) {
    rt::seteaza_scala_pauzelor(1);
    constexpr int PROBE = 10;
    std::printf("pause length, asteptare() at scale 1 (%d pauses each)\n", PROBE);
    for (int i = 1; i <= 3; ++i) {
        dovek::forma_optiuni().optiune_animatie[i]->setChecked(true);
        const double nominal = 300.0 * i;
        std::vector<double> erori;
        for (int k = 0; k < PROBE; ++k) {
            QElapsedTimer ceas;
            ceas.start();
            masa.asteptare();
            erori.push_back(ceas.nsecsElapsed() / 1e6 - nominal);
        }
        const double cea_mai_rea =
            *std::max_element(erori.begin(), erori.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
        std::printf("  %4.0f ms: median error %+.2f ms, worst %+.2f ms\n", nominal, mediana(erori), cea_mai_rea);
    }
    dovek::forma_optiuni().optiune_animatie[1]->setChecked(true);
}

void masoara_jocurile(FormaMasa& masa) {
    // The human takes the first allowed choice and the first allowed card.
    rt::seteaza_scala_pauzelor(0);
    rt::seteaza_inregistrare_mesaje([](const QString&) {});
    QTimer om;
    om.setInterval(0);
    QObject::connect(&om, &QTimer::timeout, [&] {
        auto& s = masa.stare;
        if (!s.asteapta) return;
        if (!masa.label_licitare_joc[0]->isHidden()) {
            for (int i = 0; i <= s.nr_carti; ++i)
                if (masa.label_licitare_joc[i]->isEnabled()) return clic(masa.label_licitare_joc[i]);
        } else {
            for (int p = 1; p <= s.nr_carti; ++p)
                if (s.carti_jucatori[1][p] != 0 &&
                    dovek::reguli::verifica_carte_om(s, p) == dovek::reguli::Verdict::permis)
                    return clic(masa.image_carti_jucatori[p]);
        }
    });
    om.start();
    QElapsedTimer ceas;
    ceas.start();
    int jocuri = 0, maini = 0;
    while (jocuri < 8 || ceas.elapsed() < 3000) {
        rt::seteaza_samanta(quint32(1000 + jocuri));
        masa.mjucatori[3 + jocuri % 4]->trigger();
        maini += masa.stare.nr_jocuri;
        ++jocuri;
    }
    const double s = ceas.nsecsElapsed() / 1e9;
    om.stop();
    rt::seteaza_inregistrare_mesaje({});
    std::printf("whole games at pause scale 0, scripted human, 3..6 players in turn\n");
    std::printf("  %d games (%d hands) in %.2f s: %.1f games/s\n", jocuri, maini, s, jocuri / s);
}

// ---- the rules alone -------------------------------------------------------------------

class Xorshift : public dovek::SursaAleatoare {
public:
    explicit Xorshift(std::uint32_t samanta) : x_(samanta ? samanta : 1) {}
    float urmator() override {
        x_ ^= x_ << 13;
        x_ ^= x_ >> 17;
        x_ ^= x_ << 5;
        return float(x_ >> 8) * (1.f / 16777216.f);
    }

private:
    std::uint32_t x_;
};

struct Decizie {
    dovek::StareJoc s;
    int loc;
};

void masoara_deciziile() {
    using namespace dovek;
    // The states the computers decide in, gathered from seeded games played by
    // the computer rules at every seat; then every decision timed over them.
    std::vector<Decizie> licitatii, carti;
    Xorshift rnd(2024);
    for (int joc = 0; licitatii.size() < 20000; ++joc) {
        StareJoc s;
        const int n = 3 + joc % 4;
        s.nr_jucatori = Octet(n);
        reguli::construieste_carti_joc(s, joc % 2 == 0);
        reguli::seteaza_primul_jucator(s, reguli::trage_loc(rnd, n));
        for (int j = 1; j <= 3 * n + 12; ++j) {
            s.joc_curent = Octet(j);
            s.nr_carti = s.carti_joc[j];
            s.asi_jucati.umple(0);
            s.culori_deschise.umple(0);
            reguli::impartire(s, rnd);
            s.licitari.umple(0);
            s.facute.umple(0);
            for (int t = 0, loc = s.primul_jucator; t < n; ++t, loc = urmatorul(loc, n)) {
                licitatii.push_back({s, loc});
                s.licitari[loc] = Octet(reguli::licitatie_calculator(s, loc));
            }
            for (int l = 0; l < s.nr_carti; ++l) {
                s.carti_decartate.umple(0);
                for (int t = 0, loc = s.primul_levata; t < n; ++t, loc = urmatorul(loc, n)) {
                    if (carti.size() < 40000) carti.push_back({s, loc});
                    reguli::pune_carte(s, loc, reguli::alegere_carte(s, loc).slot);
                }
                reguli::marcheaza_culoarea(s);
                reguli::incheie_levata(s);
            }
            reguli::muta_primul_jucator(s);
        }
    }
    using ceas = std::chrono::steady_clock;
    constexpr int TURE = 25;
    long suma = 0; // used, so no call is optimised away
    auto t0 = ceas::now();
    for (int t = 0; t < TURE; ++t)
        for (const Decizie& d : licitatii) suma += reguli::licitatie_calculator(d.s, d.loc);
    auto t1 = ceas::now();
    for (int t = 0; t < TURE; ++t)
        for (const Decizie& d : carti) suma += reguli::alegere_carte(d.s, d.loc).slot;
    auto t2 = ceas::now();
    const double us_lic = std::chrono::duration<double, std::micro>(t1 - t0).count() / (double(TURE) * double(licitatii.size()));
    const double us_carte = std::chrono::duration<double, std::micro>(t2 - t1).count() / (double(TURE) * double(carti.size()));
    std::printf("computer decisions over %zu bids and %zu cards from seeded deals, %d passes (check %ld)\n",
                licitatii.size(), carti.size(), TURE, suma % 10);
    std::printf("  licitatie_calculator %.3f us, alegere_carte %.3f us per call\n", us_lic, us_carte);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && qstrcmp(argv[1], "--copil-masa") == 0) return copil_masa(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dovek"));
    rt::instaleaza_fonturi();
    std::printf("Dovek bench, platform %s\n", qPrintable(QGuiApplication::platformName()));
    QElapsedTimer total;
    total.start();

    masoara_pornirea();

    QTemporaryDir dir;
    QDir::setCurrent(dir.path()); // the defaults: "Rapid", and no file written
    {
        FormaMasa masa;
        masa.show();
        masoara_asteptarea_omului(masa);
        rt::abandonul_s_a_incheiat();
        masoara_pauzele(masa);
        masoara_jocurile(masa);
    }
    masoara_deciziile();
    std::printf("total %.1f s\n", total.elapsed() / 1000.0);
    return 0;
}
