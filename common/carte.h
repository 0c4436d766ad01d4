#pragma once
// Card codes: 1..52, 0 for "no card". Suit = code mod 4 (1 diamonds, 2 hearts,
// 3 spades, 0 clubs); rank = 2 + (code - 1) / 4, 14 being the ace. Within a
// suit a higher code is a higher card.

#include <cstdint>

namespace dovek {

using Carte = std::uint8_t;

constexpr int MAX_JUCATORI = 6;
constexpr int MAX_CARTI = 8;
constexpr int MAX_JOCURI = 30;
constexpr int CELULE_FOAIE = MAX_JOCURI * MAX_JUCATORI; // 180 score-sheet cells

constexpr int CLUBS = 0, DIAMONDS = 1, HEARTS = 2, SPADES = 3;

constexpr int culoare(int cod) { return cod % 4; }
constexpr int rang(int cod) { return 2 + (cod - 1) / 4; }
constexpr bool este_as(int cod) { return cod >= 49; }
constexpr bool este_rege_sau_as(int cod) { return cod >= 45; }
constexpr bool este_rege(int cod) { return cod >= 45 && cod <= 48; }

// The pack for n players: the 8n highest codes, 53 - 8n .. 52.
constexpr int cod_minim_pachet(int n) { return 53 - 8 * n; }
constexpr int marime_pachet(int n) { return 8 * n; }

// The next seat clockwise, 1..n.
constexpr int urmatorul(int loc, int n) { return loc + 1 > n ? loc + 1 - n : loc + 1; }
// The seat before, 1..n.
constexpr int precedentul(int loc, int n) { return loc - 1 == 0 ? n : loc - 1; }

// Score-sheet cell of seat p in hand row r: (r - 1) * 6 + p.
constexpr int celula(int rand_joc, int loc) { return (rand_joc - 1) * MAX_JUCATORI + loc; }

} // namespace dovek
