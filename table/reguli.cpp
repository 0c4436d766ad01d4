#include "table/reguli.h"

#include "common/setari.h"

namespace dovek::reguli {

namespace {

// One card of a hand together with the slot it sits in; carte 0 means "none".
struct CarteLoc {
    int carte = 0;
    int slot = 0;
};

// Up to eight cards of one hand, kept ascending by code.
struct ListaCarti {
    CarteLoc c[MAX_CARTI]{};
    int n = 0;

    void adauga(CarteLoc x) {
        // Insertion keeps the list ascending; codes are distinct, so no ties.
        int i = n++;
        while (i > 0 && c[i - 1].carte > x.carte) {
            c[i] = c[i - 1];
            --i;
        }
        c[i] = x;
    }
    bool goala() const { return n == 0; }
    CarteLoc cea_mai_mica() const { return n ? c[0] : CarteLoc{}; }
    CarteLoc cea_mai_mare() const { return n ? c[n - 1] : CarteLoc{}; }
};

// Draws until a free pack position comes up; a refused draw still spends its
// number, which keeps a deal reproducible from the random sequence alone.
int trage_pozitie(SursaAleatoare& rnd, const Tablou<Octet, 1, 48>& pachet, int marime) {
    for (;;) {
        const int x = trage_loc(rnd, marime);
        if (pachet[x] != 0)
            return x;
    }
}

// An empty place (0) would read as a club; it is never a trump.
bool e_atu(int carte, int atu) { return atu != 0 && carte != 0 && culoare(carte) == culoare(atu); }

} // namespace

// ---- hand list and first player -------------------------------------------

void construieste_carti_joc(StareJoc& s, bool tip_181) {
    const int n = s.nr_jucatori;
    for (int j = 1; j <= MAX_JOCURI; ++j)
        s.carti_joc[j] = 0;

    // Both game types are the same five runs; "8-1-8" swaps the ends for the
    // middle and climbs where "1-8-1" descends.
    const int capete = tip_181 ? 1 : 8;
    const int mijloc = tip_181 ? 8 : 1;
    for (int i = 1; i <= n; ++i) {
        s.carti_joc[i] = Octet(capete);
        s.carti_joc[n + 6 + i] = Octet(mijloc);
        s.carti_joc[2 * n + 12 + i] = Octet(capete);
    }
    for (int j = 1; j <= 6; ++j) {
        s.carti_joc[n + j] = Octet(tip_181 ? j + 1 : 8 - j);
        s.carti_joc[2 * n + 6 + j] = Octet(tip_181 ? 8 - j : j + 1);
    }
}

int trage_loc(SursaAleatoare& rnd, int n) {
    // The product stays in single precision on purpose: a double product rounds
    // differently for a few r and would hand out other seats and cards.
    const float r = rnd.urmator();
    const float produs = r * float(n);
    return 1 + int(produs);
}

void seteaza_primul_jucator(StareJoc& s, int primul) {
    s.primul_jucator = Octet(primul);
    s.primul_levata = Octet(primul);
    s.ultimul_jucator = Octet(precedentul(primul, s.nr_jucatori));
}

void muta_primul_jucator(StareJoc& s) {
    seteaza_primul_jucator(s, urmatorul(s.primul_jucator, s.nr_jucatori));
}

// ---- the deal --------------------------------------------------------------

void impartire(StareJoc& s, SursaAleatoare& rnd) {
    const int n = s.nr_jucatori;
    const int marime = marime_pachet(n);
    const int decalaj = 52 - marime; // position x is card x + 52 - 8N

    Tablou<Octet, 1, 48> pachet{};
    for (int x = 1; x <= marime; ++x)
        pachet[x] = 1;

    for (int loc = 1; loc <= n; ++loc) {
        for (int slot = 1; slot <= s.nr_carti; ++slot) {
            const int x = trage_pozitie(rnd, pachet, marime);
            pachet[x] = 0;
            s.carti_jucatori[loc][slot] = Octet(x + decalaj);
        }
    }

    s.atu = 0;
    // With 8 cards each the pack is used up: no trump card, and no number is
    // spent looking for one.
    if (s.nr_carti != 8) {
        const int x = trage_pozitie(rnd, pachet, marime);
        pachet[x] = 0;
        s.atu = Octet(x + decalaj);
    }

    ordoneaza_mana_om(s);
}

void ordoneaza_mana_om(StareJoc& s) {
    const int k = s.nr_carti;
    Tablou<Octet, 1, MAX_CARTI> copie = s.carti_jucatori[1];
    Tablou<Octet, 1, MAX_CARTI> lista{};

    int adunate = 0;
    for (int suit = 0; suit <= 3; ++suit)
        for (int slot = 1; slot <= k; ++slot)
            if (culoare(copie[slot]) == suit)
                lista[++adunate] = copie[slot];

    // Neighbour exchanges within a suit until a pass changes nothing: the
    // suits are already grouped, so this only turns each group high-to-low.
    bool schimbat = true;
    while (schimbat) {
        schimbat = false;
        for (int i = 1; i <= k - 1; ++i) {
            if (culoare(lista[i]) == culoare(lista[i + 1]) && lista[i] < lista[i + 1]) {
                const Octet t = lista[i];
                lista[i] = lista[i + 1];
                lista[i + 1] = t;
                schimbat = true;
            }
        }
    }

    for (int slot = 1; slot <= k; ++slot)
        s.carti_jucatori[1][slot] = lista[slot];
}

// ---- bidding ---------------------------------------------------------------

int suma_licitari(const StareJoc& s) {
    int suma = 0;
    for (int loc = 1; loc <= s.nr_jucatori; ++loc)
        suma += s.licitari[loc];
    return suma;
}

int licitatie_calculator(const StareJoc& s, int loc) {
    const int k = s.nr_carti;
    const auto& mana = s.carti_jucatori[loc];
    const int suit_atu = culoare(s.atu);
    auto atu = [&](int v) { return culoare(v) == suit_atu; };

    int licitatie = 0;
    if (k == 1) {
        // A low trump is worth a bid only while nobody has claimed the one
        // trick before him.
        const int v = mana[1];
        if (atu(v) && v >= 45)
            licitatie = 1;
        else if (atu(v) && v <= 44 && suma_licitari(s) == 0)
            licitatie = 1;
    } else if (k == 8) {
        for (int slot = 1; slot <= 8; ++slot)
            if (mana[slot] >= 45)
                ++licitatie;
    } else if (k >= 2 && k <= 4) {
        // Counted in half tricks so that two low trumps make one trick and a
        // lone one makes none.
        int jumatati = 0;
        for (int slot = 1; slot <= k; ++slot) {
            const int v = mana[slot];
            if (!atu(v) && v >= 49)
                jumatati += 2;
            if (atu(v) && v >= 45)
                jumatati += 2;
            if (atu(v) && v <= 44)
                jumatati += 1;
        }
        licitatie = jumatati / 2;
    } else if (k >= 5 && k <= 7) {
        int asi = 0;
        int atuuri = 0;
        for (int slot = 1; slot <= k; ++slot) {
            const int v = mana[slot];
            if (!atu(v) && v >= 49)
                ++asi;
            if (atu(v))
                ++atuuri;
        }
        licitatie = asi + atuuri / 2;
    }

    if (loc == s.ultimul_jucator) {
        // The bids may not add up to the number of tricks.
        const int suma = suma_licitari(s);
        if (licitatie == k - suma)
            licitatie = licitatie == 0 ? 1 : licitatie - 1;
    }
    return licitatie;
}

// ---- trick play ------------------------------------------------------------

Alegere alegere_carte(const StareJoc& s, int loc) {
    const int n = s.nr_jucatori;
    const int k = s.nr_carti;
    const auto& mana = s.carti_jucatori[loc];
    const auto& masa = s.carti_decartate;
    const int atu = s.atu;
    const bool conduce = loc == s.primul_levata;
    const bool vrea = s.licitari[loc] > s.facute[loc];

    auto ales = [](CarteLoc c) { return Alegere{c.carte, c.slot}; };

    // ---- working values, all from scratch ----
    const int carte_condus = masa[s.primul_levata];
    const int suit_condus = culoare(carte_condus);

    int table_high = 0;
    int table_trump_high = 0;
    if (!conduce) {
        table_high = carte_condus;
        for (int i = 1; i <= n; ++i)
            if (culoare(masa[i]) == culoare(table_high) && masa[i] > table_high)
                table_high = masa[i];
    }
    if (atu != 0)
        for (int i = 1; i <= n; ++i)
            if (e_atu(masa[i], atu) && masa[i] > table_trump_high)
                table_trump_high = masa[i];

    const int low_limit = 25 + 4 * (6 - n);
    auto mica = [&](int v) { return v < low_limit; };

    int pe_culoare[4] = {0, 0, 0, 0};
    for (int slot = 1; slot <= k; ++slot)
        if (mana[slot] != 0)
            ++pe_culoare[culoare(mana[slot])];

    ListaCarti led_cards;
    ListaCarti trump_cards;
    CarteLoc high_card, low_card, singleton, last_card;
    CarteLoc mica_ultima, mica_penultima; // the last two low cards in slot order
    int mici = 0;
    for (int slot = 1; slot <= k; ++slot) {
        const int v = mana[slot];
        if (v == 0)
            continue;
        const CarteLoc c{v, slot};
        if (!conduce && culoare(v) == suit_condus)
            led_cards.adauga(c);
        if (e_atu(v, atu))
            trump_cards.adauga(c);
        if (high_card.carte == 0 || v > high_card.carte)
            high_card = c;
        if (low_card.carte == 0 || v < low_card.carte)
            low_card = c;
        if (pe_culoare[culoare(v)] == 1)
            singleton = c;
        if (mica(v)) {
            mica_penultima = mica_ultima;
            mica_ultima = c;
            ++mici;
        }
        last_card = c;
    }

    CarteLoc low_pair;
    if (mici >= 2)
        low_pair = mica_penultima.carte < mica_ultima.carte ? mica_penultima : mica_ultima;

    // ---- the four chains ----
    if (conduce && vrea) {
        // L1: the ace standing last in slot order.
        CarteLoc as;
        for (int slot = 1; slot <= k; ++slot)
            if (este_as(mana[slot]))
                as = {mana[slot], slot};
        if (as.carte != 0)
            return ales(as);

        // L2
        if (!trump_cards.goala() && singleton.carte != 0 && atu != 0)
            return ales(singleton);

        // L3: a king made master by a computer's ace; the last qualifying king
        // picks the suit, and the last card of that suit is led.
        int suit_rege = -1;
        for (int slot = 1; slot <= k; ++slot)
            if (este_rege(mana[slot]) && s.asi_jucati[culoare(mana[slot])] == 1)
                suit_rege = culoare(mana[slot]);
        if (suit_rege >= 0) {
            CarteLoc ultima;
            for (int slot = 1; slot <= k; ++slot)
                if (mana[slot] != 0 && culoare(mana[slot]) == suit_rege)
                    ultima = {mana[slot], slot};
            return ales(ultima);
        }

        if (high_card.carte != 0) // L4
            return ales(high_card);
        return ales(last_card); // L5
    }

    if (conduce) {
        // L6
        if (singleton.carte != 0 && mica(singleton.carte))
            return ales(singleton);

        // L7: under_unled.
        CarteLoc under_unled;
        for (int i = 1; i <= k; ++i) {
            const int v = mana[i];
            if (v == 0 || !mica(v) || s.culori_deschise[culoare(v)] != 0)
                continue;
            for (int j = 1; j <= k; ++j)
                if (mana[j] != 0 && mana[j] < v)
                    under_unled = {mana[j], j};
        }
        if (under_unled.carte != 0)
            return ales(under_unled);

        if (low_pair.carte != 0) // L8
            return ales(low_pair);
        if (low_card.carte != 0) // L9
            return ales(low_card);
        return ales(last_card); // L10
    }

    if (vrea) {
        const int winning_seat = castigator_levata(s);

        // F1: leave the trick to a human who has just made his bid.
        if (winning_seat == 1 && s.licitari[1] == s.facute[1] &&
            led_cards.cea_mai_mica().carte != 0 && led_cards.cea_mai_mica().carte < masa[1])
            return ales(led_cards.cea_mai_mica());

        // F2: someone trumped already; keep the good cards.
        if (table_trump_high != 0 && !led_cards.goala())
            return ales(led_cards.cea_mai_mica());

        // F3, F4
        for (int i = 0; i < led_cards.n; ++i)
            if (este_as(led_cards.c[i].carte))
                return ales(led_cards.c[i]);
        for (int i = 0; i < led_cards.n; ++i) {
            const CarteLoc c = led_cards.c[i];
            if (este_rege(c.carte) && c.carte > table_high && s.asi_jucati[suit_condus] == 1)
                return ales(c);
        }

        // F5
        if (!led_cards.goala()) {
            const CarteLoc sus = led_cards.cea_mai_mare();
            return ales(sus.carte > table_high ? sus : led_cards.cea_mai_mica());
        }

        // F6
        if (atu != 0 && !trump_cards.goala()) {
            const CarteLoc sus = trump_cards.cea_mai_mare();
            return ales(sus.carte > table_trump_high ? sus : trump_cards.cea_mai_mica());
        }

        if (low_card.carte != 0) // F7
            return ales(low_card);
        return ales(last_card); // F8
    }

    // N1
    if (table_trump_high != 0 && !led_cards.goala())
        return ales(led_cards.cea_mai_mare());

    // N2: duck under the best card of the suit if possible.
    if (!led_cards.goala()) {
        CarteLoc sub = led_cards.cea_mai_mica();
        for (int i = 0; i < led_cards.n; ++i)
            if (led_cards.c[i].carte < table_high)
                sub = led_cards.c[i];
        return ales(sub);
    }

    // N3: under-trump.
    {
        CarteLoc sub;
        for (int i = 0; i < trump_cards.n; ++i)
            if (trump_cards.c[i].carte < table_trump_high)
                sub = trump_cards.c[i];
        if (sub.carte != 0)
            return ales(sub);
    }

    if (!trump_cards.goala()) // N4
        return ales(trump_cards.cea_mai_mica());
    if (singleton.carte != 0) // N5
        return ales(singleton);
    if (high_card.carte != 0) // N6
        return ales(high_card);
    return ales(last_card); // N7
}

int castigator_levata(const StareJoc& s) {
    const int n = s.nr_jucatori;
    const auto& masa = s.carti_decartate;

    int cea_mai_buna = masa[s.primul_levata];
    int castigator = s.primul_levata;
    for (int i = 1; i <= n; ++i) {
        if (masa[i] > cea_mai_buna && culoare(masa[i]) == culoare(cea_mai_buna)) {
            cea_mai_buna = masa[i];
            castigator = i;
        }
    }

    // The first pass only notes that a trump lies on the table (the last one
    // in seat order); the second pass then finds the highest.
    int atu_maxim = 0;
    for (int i = 1; i <= n; ++i) {
        if (e_atu(masa[i], s.atu)) {
            atu_maxim = masa[i];
            castigator = i;
        }
    }
    for (int i = 1; i <= n; ++i) {
        if (e_atu(masa[i], s.atu) && masa[i] > atu_maxim) {
            atu_maxim = masa[i];
            castigator = i;
        }
    }
    return castigator;
}

Verdict verifica_carte_om(const StareJoc& s, int slot) {
    if (s.primul_levata == 1)
        return Verdict::permis;

    const int carte = s.carti_jucatori[1][slot];
    const int suit_condus = culoare(s.carti_decartate[s.primul_levata]);
    if (culoare(carte) == suit_condus)
        return Verdict::permis;

    auto are = [&](int suit) {
        for (int p = 1; p <= s.nr_carti; ++p)
            if (s.carti_jucatori[1][p] != 0 && culoare(s.carti_jucatori[1][p]) == suit)
                return true;
        return false;
    };

    if (are(suit_condus))
        return Verdict::ai_culoare;
    if (s.atu != 0 && culoare(carte) == culoare(s.atu))
        return Verdict::permis;
    if (s.atu != 0 && are(culoare(s.atu)))
        return Verdict::ai_atu;
    return Verdict::permis;
}

void pune_carte(StareJoc& s, int loc, int slot) {
    const int carte = s.carti_jucatori[loc][slot];
    s.carti_decartate[loc] = Octet(carte);
    s.carti_jucatori[loc][slot] = 0;
    // Only the computers remember aces; the human's go unnoticed.
    if (loc != 1 && este_as(carte))
        s.asi_jucati[culoare(carte)] = 1;
}

void marcheaza_culoarea(StareJoc& s) {
    s.culori_deschise[culoare(s.carti_decartate[s.primul_levata])] = 1;
}

int incheie_levata(StareJoc& s) {
    const int castigator = castigator_levata(s);
    s.facute[castigator] = Octet(s.facute[castigator] + 1);
    s.primul_levata = Octet(castigator);
    return castigator;
}

// ---- scoring ---------------------------------------------------------------

bool nimeni_nu_si_a_facut(const StareJoc& s) {
    for (int loc = 1; loc <= s.nr_jucatori; ++loc)
        if (s.facute[loc] == s.licitari[loc])
            return false;
    return true;
}

Tablou<Rezultat, 1, MAX_JUCATORI> punctare(StareJoc& s, int punctare, bool premiere) {
    const int r = s.joc_curent;
    const int n = s.nr_jucatori;
    Tablou<Rezultat, 1, MAX_JUCATORI> rezultat{};

    for (int i = 1; i <= n; ++i) {
        const int licitat = s.licitari[i];
        const int facut = s.facute[i];
        const bool reusit = facut == licitat;
        const int inainte = s.punctaj[i][r - 1];
        if (reusit)
            s.punctaj[i][r] = inainte + (punctare == PUNCTARE_2N1 ? 2 * licitat + 1 : licitat + 5);
        else
            s.punctaj[i][r] = inainte - (facut > licitat ? facut - licitat : licitat - facut);

        // A hand of one card neither counts for a run nor breaks one.
        if (s.nr_carti != 1) {
            if (reusit) {
                if (s.serie[i] < 0)
                    s.serie[i] = 0;
                ++s.serie[i];
            } else {
                if (s.serie[i] > 0)
                    s.serie[i] = 0;
                --s.serie[i];
            }
        }
    }

    for (int i = 1; i <= n; ++i)
        rezultat[i] = s.facute[i] == s.licitari[i] ? Rezultat::facut : Rezultat::ratat;

    // Exactly 5 or -5 only: a counter that ran past while the rule was off
    // earns nothing for that run.
    if (premiere) {
        for (int i = 1; i <= n; ++i) {
            if (s.serie[i] == 5) {
                s.serie[i] = 0;
                s.punctaj[i][r] += 10;
                rezultat[i] = Rezultat::premiu;
            }
            if (s.serie[i] == -5) {
                s.serie[i] = 0;
                s.punctaj[i][r] -= 10;
                rezultat[i] = Rezultat::depremiere;
            }
        }
    }
    return rezultat;
}

} // namespace dovek::reguli
