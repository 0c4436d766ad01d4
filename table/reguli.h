#pragma once
// The rules of the game as functions over the plain game state: no widget, no
// global, no hidden input. Settings come in as arguments and random numbers
// through a SursaAleatoare.

#include "common/aleator.h"
#include "table/stare_joc.h"

namespace dovek::reguli {

// ---- hand list and first player -------------------------------------------

// Fills carti_joc 1..30 for nr_jucatori: "1-8-1" when tip_181, else "8-1-8";
// entries after hand 3N + 12 are 0.
void construieste_carti_joc(StareJoc& s, bool tip_181);

// 1 + the integer part of r x n, r and the product in single precision.
int trage_loc(SursaAleatoare& rnd, int n);

// Sets primul_jucator, primul_levata and ultimul_jucator (the seat before).
void seteaza_primul_jucator(StareJoc& s, int primul);

// After a scored hand: the next seat around the table starts.
void muta_primul_jucator(StareJoc& s);

// ---- the deal --------------------------------------------------------------

// Deals nr_carti cards to seats 1..nr_jucatori, seat by seat and slot by slot,
// one random number per attempt (refused attempts included), then the trump
// card unless nr_carti is 8, then orders the human's hand.
void impartire(StareJoc& s, SursaAleatoare& rnd);

// Orders seat 1's slots 1..nr_carti: clubs, diamonds, hearts, spades, each suit
// from the highest code down.
void ordoneaza_mana_om(StareJoc& s);

// ---- bidding ---------------------------------------------------------------

// Sum of licitari over seats 1..nr_jucatori.
int suma_licitari(const StareJoc& s);

// A computer seat's bid, the last-bidder rule applied.
int licitatie_calculator(const StareJoc& s, int loc);

// ---- trick play ------------------------------------------------------------

struct Alegere {
    int carte = 0; // card code
    int slot = 0;  // 1..8
};

// The card a computer seat plays now (the seat holds at least one card).
Alegere alegere_carte(const StareJoc& s, int loc);

// The seat winning the trick on the table (also a trick under way).
int castigator_levata(const StareJoc& s);

enum class Verdict { permis, ai_culoare, ai_atu };

// May the human play the card in his slot 1..8 now?
Verdict verifica_carte_om(const StareJoc& s, int slot);

// A seat puts the card of its slot on the table: carti_decartate, the empty
// slot, and for a computer seat's ace asi_jucati.
void pune_carte(StareJoc& s, int loc, int slot);

// After all seats played: the led suit counts as opened.
void marcheaza_culoarea(StareJoc& s);

// Settles the trick: facute of the winner + 1, primul_levata = winner.
// Returns the winner.
int incheie_levata(StareJoc& s);

// ---- scoring ---------------------------------------------------------------

// Nobody of seats 1..nr_jucatori took exactly his bid.
bool nimeni_nu_si_a_facut(const StareJoc& s);

enum class Rezultat { facut, ratat, premiu, depremiere };

// Scores row joc_curent for seats 1..nr_jucatori: totals, streaks and, when
// premiere is on, the bonus. punctare is 1 (2n+1) or 2 (n+5). Returns each
// seat's outcome, which picks the colour of its total cell.
Tablou<Rezultat, 1, MAX_JUCATORI> punctare(StareJoc& s, int punctare, bool premiere);

} // namespace dovek::reguli
