#pragma once
// The runtime layer the game stands on: unit and colour conversions, waits that
// sleep in nested event loops, the pacing timer, message boxes, random numbers,
// text files and ending the program. Test hooks (pause scale, recorded message
// boxes, random seed) live here and only here.

#include "common/aleator.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

namespace rt {

// ---- units -----------------------------------------------------------------

// 15 twips are one pixel at 96 dots per inch.
constexpr int TWIPS_PE_PIXEL = 15;
int px(int twips);

// 0x00BBGGRR, or 0x800000nn for the system colour nn (0x08 window text,
// 0x0F button face, 0x12 button text).
QColor culoare(quint32 valoare);

// A font by the face names the game was designed with; faces missing on this
// machine are substituted by metric-compatible ones.
QFont font(const QString& familie, double puncte, bool bold = false);
void instaleaza_fonturi();

// ---- unwinding ---------------------------------------------------------------

// Thrown from a wait that ended by anything but its own event: the program is
// ending, or the running game was abandoned. Every handler that runs game code
// catches it (see ruleaza_protejat).
struct Desfasurare {};

// True once the program has been asked to end.
bool se_termina();
// Ends the program at once: every wait returns, game code unwinds, the main
// event loop exits with status 0.
void termina_programul();

// Makes every running wait return and unwind its game; new waits unwind at once
// until abandonul_s_a_incheiat() is called by whoever catches it.
void abandoneaza_jocul();
bool abandon_cerut();
void abandonul_s_a_incheiat();

// Runs game code from an event handler; an unwinding wait stops here and never
// escapes into Qt.
void ruleaza_protejat(const std::function<void()>& cod);

// ---- waiting -----------------------------------------------------------------

// Sleeps in a nested event loop until gata() holds, re-checking after every
// trezeste(). Throws Desfasurare when ended by closing or abandoning.
void asteapta_pana(const std::function<bool()>& gata);
// Wakes the waits so they re-check their condition.
void trezeste();
// How many waits are nested right now.
int adancime_asteptari();

// ---- the timer control ---------------------------------------------------------

// A timer with the two properties the game uses: Interval (ms) and Enabled.
// Enabling it starts a precise single countdown whose length is the interval
// times the pause scale; it fires tick() when the time has passed.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parinte = nullptr);
    int Interval() const { return interval_; }
    void setInterval(int ms) { interval_ = ms; }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
signals:
    void tick();

private:
    QTimer timer_;
    int interval_ = 10;
    bool enabled_ = false;
};

// Pause lengths are multiplied by this (1 in the game; 0 in whole-game tests).
void seteaza_scala_pauzelor(double scala);
double scala_pauzelor();

// ---- message boxes --------------------------------------------------------------

// Modal, OK only, no icon, the application's title.
void mesaj(const QString& text);
// Tests replace the box: the hook gets the text instead of a box being shown.
void seteaza_inregistrare_mesaje(std::function<void(const QString&)> hook);

// ---- random numbers -------------------------------------------------------------

// Uniform 0 <= r < 1 in single precision.
float aleator();
// Seeds from the clock (once at start-up).
void randomizeaza();
// Seeds with a fixed value (tests).
void seteaza_samanta(quint32 samanta);
// The generator as a source for the rules.
dovek::SursaAleatoare& sursa_aleatoare();

// ---- files ----------------------------------------------------------------------

QString director_curent();

// ---- enabling a window ----------------------------------------------------------

// A disabled window takes no mouse or keyboard input (its menu included) but
// keeps its look; closing it still works.
void activeaza_fereastra(QWidget* fereastra, bool activa);
bool fereastra_activa(const QWidget* fereastra);

// ---- test hooks -----------------------------------------------------------------

// Back to a fresh start (tests that end the program and go on).
void reseteaza_pentru_teste();

} // namespace rt
