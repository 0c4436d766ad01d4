#pragma once
// The settings file dovek.ini: twelve lines whose place alone gives their
// meaning (animation, game type, "pe frunte", bonus, repeat, scoring, then the
// six names). Text in, text out; no widget here, so the format can be tested on
// its own.

#include "common/setari.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace dovek {

constexpr int NR_LINII_SETARI = 12;

// The most bytes the twelve lines may take, line ends included. The file is read
// no further than that, and "Salvare" writes nothing longer, so whatever it
// saves loads again at the next start.
constexpr qsizetype MARIME_MAXIMA_SETARI = 65536;

struct RezultatCitire {
    enum class Stare {
        citit,       // twelve good lines; `setari` holds them
        fara_fisier, // nothing at the path
        gresit,      // the file is there but cannot be used
    };
    Stare stare = Stare::citit;
    // The file's values when read; the defaults otherwise.
    Setari setari;
    // The faulty line, 1..12; 0 when the file as a whole could not be read.
    int linie = 0;
    // What is wrong, in Romanian, without the line number.
    QString motiv;

    bool ok() const { return stare == Stare::citit; }
};

// The file's bytes for these settings: twelve lines ending in CR LF, numbers as
// " n ", names exactly as they are: in Windows-1250 when the name has a byte
// for each of its characters there (a file of the old 8-bit code page keeps its
// bytes), in UTF-8 otherwise. A line break inside a name would shift every
// later line, so it is written as a blank.
QByteArray scrie_setari(const Setari& s);

// Reads the first twelve lines of a file's bytes. Anything after the twelfth
// line is not looked at. A name line that is not valid UTF-8 is Windows-1250.
RezultatCitire citeste_setari(const QByteArray& date);

// The current directory, the separator and "dovek.ini", joined as they are.
// When the current directory has been deleted it has no path any more: then
// the bare "dovek.ini". Read, that name resolves inside the deleted directory,
// which holds nothing; the writer refuses it.
QString cale_fisier_setari();

// Reads the file at `cale` up to the end of its twelfth line, and never more
// than MARIME_MAXIMA_SETARI bytes. A missing file is `fara_fisier`, not a
// failure; anything but a regular file (a folder, a FIFO, a device) is
// `gresit`, and opening it neither blocks nor changes it.
RezultatCitire incarca_setari(const QString& cale);

// Replaces the file at `cale` as a whole: the new content is written beside it
// and renamed over it, so a failure leaves the old file as it was. Where the
// folder lets no new file in but the file itself is writable, the file is
// rewritten in place instead. Returns the reason of a failure in Romanian, one
// or two sentences; nothing on success.
std::optional<QString> salveaza_setari(const QString& cale, const Setari& s);

} // namespace dovek
