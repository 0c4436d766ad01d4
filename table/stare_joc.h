#pragma once
// The game state the table window owns: one plain struct, under the names and
// index ranges the game uses everywhere (seats 1..6, slots 1..8, suits 0..3,
// hands 1..30, total rows 0..30).

#include "common/carte.h"
#include "common/tablou.h"

#include <cstdint>

namespace dovek {

using Octet = std::uint8_t;

struct StareJoc {
    Tablou<Tablou<Octet, 1, MAX_CARTI>, 1, MAX_JUCATORI> carti_jucatori{}; // [seat][slot]
    Tablou<Octet, 1, MAX_JUCATORI> licitari{};
    Tablou<Octet, 1, MAX_JUCATORI> facute{};
    Tablou<Octet, 1, MAX_JUCATORI> carti_decartate{};
    Tablou<Tablou<int, 0, MAX_JOCURI>, 1, MAX_JUCATORI> punctaj{}; // [seat][row]
    Tablou<int, 1, MAX_JUCATORI> serie{};
    Tablou<Octet, 0, 3> asi_jucati{};
    Tablou<Octet, 0, 3> culori_deschise{};
    Tablou<Octet, 1, MAX_JOCURI> carti_joc{};
    Octet atu = 0;
    Octet nr_jucatori = 0;
    Octet nr_jocuri = 0;
    Octet joc_curent = 0;
    Octet nr_carti = 0;
    Octet primul_jucator = 0;
    Octet ultimul_jucator = 0;
    Octet primul_levata = 0;
    bool asteapta = false;
};

} // namespace dovek
