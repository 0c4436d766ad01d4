// The settings file comes from the user's disk and may hold anything: cut off,
// edited by hand, written by an old version in another code page. Whatever the
// bytes, the reader must answer (never crash, never spin), and what it accepts
// must survive "Salvare": written and read again it gives the same settings,
// and written once more the same bytes, so saving never drifts.

#include "settings/fisier_setari.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>

using dovek::RezultatCitire;
using dovek::Setari;

namespace {

[[noreturn]] void esec(const char* ce) {
    std::fprintf(stderr, "fuzz_fisier_setari: %s\n", ce);
    __builtin_trap();
}

void cere(bool conditie, const char* ce) {
    if (!conditie) esec(ce);
}

bool in_domeniu(const Setari& s) {
    return s.animatie >= 1 && s.animatie <= 3 && s.joc >= 1 && s.joc <= 2 && s.joc_frunte >= 0 &&
           s.joc_frunte <= 2 && s.premiere >= 0 && s.premiere <= 2 && s.repetare >= 0 &&
           s.repetare <= 2 && s.punctare >= 1 && s.punctare <= 2;
}

// What the reader says about the bytes must be one of its documented answers.
void verifica_raspunsul(const RezultatCitire& r) {
    switch (r.stare) {
    case RezultatCitire::Stare::citit:
        cere(in_domeniu(r.setari), "accepted a value out of its line's range");
        cere(r.linie == 0, "accepted, yet names a faulty line");
        break;
    case RezultatCitire::Stare::gresit:
        // Bytes in memory were read, so the fault is always on some line.
        cere(r.linie >= 1 && r.linie <= dovek::NR_LINII_SETARI, "refused without a line 1..12");
        cere(!r.motiv.isEmpty(), "refused without a reason");
        cere(r.setari == Setari(), "refused, but the settings are not the defaults");
        break;
    case RezultatCitire::Stare::fara_fisier:
        esec("bytes in memory reported as a missing file");
    }
}

// The file the user has: read, saved, read again.
void fisier_citit(const QByteArray& date) {
    const RezultatCitire r = dovek::citeste_setari(date);
    verifica_raspunsul(r);
    if (!r.ok()) return;

    const QByteArray scris = dovek::scrie_setari(r.setari);
    const RezultatCitire r2 = dovek::citeste_setari(scris);
    cere(r2.ok(), "the saved file is refused");
    cere(r2.setari == r.setari, "the saved file reads back different settings");
    cere(dovek::scrie_setari(r2.setari) == scris, "saving twice gives different bytes");

    // Only twelve lines count: whatever follows a saved file changes nothing.
    const RezultatCitire r3 = dovek::citeste_setari(scris + date);
    cere(r3.ok() && r3.setari == r.setari, "bytes after the twelfth line changed the reading");
}

// Settings the dialog can hold (any names a user types) saved and read back.
void setari_scrise(const QByteArray& date) {
    if (date.size() < 6) return;
    Setari s;
    const auto octet = [&](int i) { return int(static_cast<unsigned char>(date[i])); };
    s.animatie = 1 + octet(0) % 3;
    s.joc = 1 + octet(1) % 2;
    s.joc_frunte = octet(2) % 3;
    s.premiere = octet(3) % 3;
    s.repetare = octet(4) % 3;
    s.punctare = 1 + octet(5) % 2;
    // The rest cut into six names, line breaks and all.
    const QByteArray rest = date.mid(6);
    const qsizetype bucata = rest.size() / 6;
    for (int p = 0; p < 6; ++p) {
        const QByteArray octeti = p < 5 ? rest.mid(p * bucata, bucata) : rest.mid(5 * bucata);
        s.nume[std::size_t(p)] = QString::fromUtf8(octeti);
    }

    const QByteArray scris = dovek::scrie_setari(s);
    const RezultatCitire r = dovek::citeste_setari(scris);
    cere(r.ok(), "settings the dialog can hold are refused once saved");

    Setari asteptat = s;
    for (QString& nume : asteptat.nume) {
        nume.replace(QLatin1Char('\r'), QLatin1Char(' '));
        nume.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    cere(r.setari == asteptat, "saved settings read back different");
    cere(dovek::scrie_setari(r.setari) == scris, "saving twice gives different bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Over raw data, so a read one byte past the input is an ASan report and
    // not a quiet look at a terminating zero.
    const QByteArray date =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    fisier_citit(date);
    setari_scrise(date);
    return 0;
}
