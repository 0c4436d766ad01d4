#pragma once
// The settings' values and their defaults, as the options dialog holds them and
// the settings file keeps them.

#include <QString>
#include <array>

namespace dovek {

constexpr int ANIMATIE_RAPID = 1, ANIMATIE_NORMAL = 2, ANIMATIE_LENT = 3;
constexpr int JOC_181 = 1, JOC_818 = 2;
constexpr int PUNCTARE_2N1 = 1, PUNCTARE_N5 = 2;

// Pause length for an animation setting, in milliseconds.
constexpr int durata_pauza(int animatie) { return 300 * animatie; }

struct Setari {
    int animatie = ANIMATIE_RAPID; // 1..3
    int joc = JOC_181;             // 1..2
    int joc_frunte = 0;            // check box value 0..2
    int premiere = 1;              // 0..2
    int repetare = 1;              // 0..2
    int punctare = PUNCTARE_N5;    // 1..2
    std::array<QString, 6> nume;   // seats 1..6 at [0..5]

    Setari();
    friend bool operator==(const Setari&, const Setari&) = default;
};

// The default names of seats 1..6.
const std::array<QString, 6>& nume_implicite();

} // namespace dovek
