// The game played at the table: the game loop, the deal on screen, bidding,
// trick play, the human's card, the trick winner and scoring. The rules
// themselves are in reguli; these procedures call them and move the controls.

#include "settings/forma_optiuni.h"
#include "table/forma_carti.h"
#include "table/forma_masa.h"
#include "table/reguli.h"

namespace dovek {

namespace {
constexpr quint32 TEXT_BUTON = 0x80000012;
constexpr quint32 MOV = 0x00C000C0;
constexpr quint32 VERDE = 0x0000FF00, ROSU = 0x000000FF;
constexpr quint32 MAGENTA_DESCHIS = 0x00FF80FF, GALBEN_DESCHIS = 0x0080FFFF;

const QPixmap& poza(int k) { return forma_carti().image_carti[k]; }
} // namespace

// ---- the game loop -------------------------------------------------------------

void FormaMasa::mjucatori_Click(int index) {
    if (joc_activ_) {
        // A new game abandons the running one: its waits return, its code
        // unwinds, and the new game starts here once it has.
        joc_in_asteptare_ = index;
        rt::abandoneaza_jocul();
        return;
    }
    const QPointer<FormaMasa> viu(this);
    int n = index;
    while (n != 0) {
        joc_in_asteptare_ = 0;
        joc_activ_ = true;
        try {
            joaca_jocul(n);
        } catch (const rt::Desfasurare&) {
            if (rt::se_termina()) {
                if (viu) joc_activ_ = false;
                return; // the program is ending: leave the table alone
            }
            rt::abandonul_s_a_incheiat();
            if (!viu) return; // the window was destroyed while the game waited
            joc_activ_ = false;
            curata_masa_dupa_abandon();
        }
        joc_activ_ = false;
        n = joc_in_asteptare_;
    }
}

void FormaMasa::curata_masa_dupa_abandon() {
    stare.asteapta = false;
    Timer1->setEnabled(false);
    for (int i = 0; i <= 8; ++i) {
        label_licitare_joc[i]->hide();
        label_licitare_joc[i]->setEnabled(true);
    }
    for (int p = 1; p <= 6; ++p) {
        image_rand[p]->hide();
        image_carti_decartate[p]->hide();
    }
    for (int i = 1; i <= 8; ++i) image_carti_jucatori[i]->setEnabled(false);
}

void FormaMasa::joaca_jocul(int n) {
    StareJoc& s = stare;
    for (int p = 1; p <= 6; ++p) s.serie[p] = 0;
    for (int i = 0; i <= 8; ++i) label_licitare_joc[i]->hide();
    s.nr_jucatori = Octet(n);
    s.joc_curent = 0;
    s.nr_jocuri = Octet((n - 3) * 3 + 21);
    reguli::seteaza_primul_jucator(s, reguli::trage_loc(rt::sursa_aleatoare(), n));
    // The game type is read here only: a change during the game counts from the next.
    reguli::construieste_carti_joc(s, forma_optiuni().optiune_joc[1]->isChecked());
    prelucrare_tabel();

    const int nr_jocuri = s.nr_jocuri;
    for (int joc = 1; joc <= nr_jocuri; ++joc) {
        s.asi_jucati.umple(0);
        s.culori_deschise.umple(0);
        s.joc_curent = Octet(s.joc_curent + 1);
        s.nr_carti = s.carti_joc[s.joc_curent];
        for (;;) {
            impartire_carti();
            licitare();
            for (int levata = 1; levata <= s.nr_carti; ++levata) {
                decartare();
                cine_le_ia();
            }
            const bool repetare = FormaOptiuni::Value(forma_optiuni().optiune_repetare) == 1;
            if (!repetare || !reguli::nimeni_nu_si_a_facut(s)) break;
            rt::mesaj(QStringLiteral("Deoarece nimeni nu si-a facut, se repeta jocul"));
            for (int p = 1; p <= s.nr_jucatori; ++p) {
                label_licitare[celula(s.joc_curent, p)]->setCaption(QStringLiteral("0"));
                label_facute[celula(s.joc_curent, p)]->setCaption(QStringLiteral("0"));
            }
            s.asi_jucati.umple(0);
            s.culori_deschise.umple(0);
            s.primul_levata = s.primul_jucator;
        }
        calculare_punctaj();
        reguli::muta_primul_jucator(s);
    }

    image_carti_atu->hide();
    label_atu->hide();
    for (int p = 1; p <= 6; ++p) label_jucator[p]->hide();
}

// ---- the pause -----------------------------------------------------------------

void FormaMasa::asteptare() {
    {
        FormaOptiuni& o = forma_optiuni();
        for (int i = 1; i <= 3; ++i)
            if (o.optiune_animatie[i]->isChecked()) Timer1->setInterval(300 * i);
    }
    Timer1->setEnabled(true);
    rt::asteapta_pana([this] { return !Timer1->Enabled(); });
}

// ---- the deal ------------------------------------------------------------------

void FormaMasa::impartire_carti() {
    StareJoc& s = stare;
    reguli::impartire(s, rt::sursa_aleatoare());

    for (int i = 1; i <= 48; ++i) image_carti_jucatori[i]->hide();
    for (int loc = 1; loc <= s.nr_jucatori; ++loc)
        for (int p = 1; p <= s.nr_carti; ++p) {
            rt::Image* img = image_carti_jucatori[(loc - 1) * 8 + p];
            img->setPicture(poza(SPATE_ALBASTRU));
            img->show();
        }
    for (int p = 1; p <= s.nr_carti; ++p)
        image_carti_jucatori[p]->setPicture(poza(s.carti_jucatori[1][p]));
    image_carti_atu->setPicture(poza(SPATE_ALBASTRU));
    image_carti_atu->show();
    if (s.nr_carti != 8) image_carti_atu->setPicture(poza(s.atu));
}

// ---- bidding -------------------------------------------------------------------

void FormaMasa::licitare() {
    StareJoc& s = stare;
    const int n = s.nr_jucatori;
    const int k = s.nr_carti;
    for (int p = 1; p <= 6; ++p) {
        s.licitari[p] = 0;
        s.facute[p] = 0;
    }
    int licitator = s.primul_jucator;
    for (int tura = 1; tura <= n; ++tura) {
        image_rand[licitator]->show();
        if (licitator == 1) {
            for (int i = 0; i <= k; ++i) label_licitare_joc[i]->show();
            if (s.ultimul_jucator == 1) {
                const int suma = reguli::suma_licitari(s);
                if (suma <= k) label_licitare_joc[k - suma]->setEnabled(false);
            }
            s.asteapta = true;
            rt::asteapta_pana([&s] { return !s.asteapta; });
            asteptare();
        } else {
            const int licitatie = reguli::licitatie_calculator(s, licitator);
            s.licitari[licitator] = Octet(licitatie);
            rt::Label* l = label_licitare[celula(s.joc_curent, licitator)];
            l->setCaption(QString::number(licitatie));
            l->show();
            asteptare();
        }
        licitator = urmatorul(licitator, n);
    }
    for (int p = 1; p <= n; ++p) image_rand[p]->hide();
}

void FormaMasa::label_licitare_joc_Click(int index) {
    StareJoc& s = stare;
    if (!s.asteapta) return; // a stray click outside the human's bid
    s.licitari[1] = Octet(index);
    rt::Label* l = label_licitare[celula(s.joc_curent, 1)];
    l->setCaption(QString::number(s.licitari[1]));
    l->show();
    for (int i = 0; i <= s.nr_carti; ++i) {
        label_licitare_joc[i]->hide();
        label_licitare_joc[i]->setEnabled(true);
    }
    s.asteapta = false;
    rt::trezeste();
}

void FormaMasa::label_licitare_joc_MouseMove(int index) {
    label_licitare_joc[index]->setForeColor(MOV);
}

void FormaMasa::Form_MouseMove() {
    for (int i = 0; i <= stare.nr_carti; ++i) label_licitare_joc[i]->setForeColor(TEXT_BUTON);
}

// ---- trick play ------------------------------------------------------------------

void FormaMasa::decartare() {
    StareJoc& s = stare;
    const int n = s.nr_jucatori;
    s.carti_decartate.umple(0);
    int loc = s.primul_levata;
    for (int tura = 1; tura <= n; ++tura) {
        image_rand[loc]->show();
        if (loc == 1) {
            for (int i = 1; i <= 8; ++i) image_carti_jucatori[i]->setEnabled(true);
            s.asteapta = true;
            rt::asteapta_pana([&s] { return !s.asteapta; });
        } else {
            const reguli::Alegere a = reguli::alegere_carte(s, loc);
            reguli::pune_carte(s, loc, a.slot);
            image_carti_decartate[loc]->setPicture(poza(a.carte));
            image_carti_decartate[loc]->show();
            image_carti_jucatori[(loc - 1) * 8 + a.slot]->hide();
        }
        loc = urmatorul(loc, n);
        asteptare();
    }
    reguli::marcheaza_culoarea(s);
}

void FormaMasa::image_carti_jucatori_Click(int index) {
    if (index < 1 || index > 8) return; // a computer seat's card
    StareJoc& s = stare;
    // Only a card still in the hand, during the human's turn, can be played.
    if (!s.asteapta || index > s.nr_carti || s.carti_jucatori[1][index] == 0) return;
    switch (reguli::verifica_carte_om(s, index)) {
    case reguli::Verdict::ai_culoare:
        rt::mesaj(QStringLiteral("Ai culoare. Nu incerca sa trisezi !!"));
        return;
    case reguli::Verdict::ai_atu:
        rt::mesaj(QStringLiteral("Ai atu. Nu incerca sa trisezi !!"));
        return;
    case reguli::Verdict::permis:
        break;
    }
    s.asteapta = false;
    for (int i = 1; i <= 8; ++i) image_carti_jucatori[i]->setEnabled(false);
    reguli::pune_carte(s, 1, index);
    image_carti_decartate[1]->setPicture(poza(s.carti_decartate[1]));
    image_carti_decartate[1]->show();
    image_carti_jucatori[index]->hide();
    rt::trezeste();
}

// ---- the trick winner ----------------------------------------------------------------

void FormaMasa::cine_le_ia() {
    StareJoc& s = stare;
    const int n = s.nr_jucatori;
    for (int i = 1; i <= n; ++i) {
        image_carti_decartate[i]->hide();
        image_carti_decartate[i]->setPicture(poza(SPATE_ALBASTRU));
        image_rand[i]->hide();
    }
    reguli::incheie_levata(s);
    for (int i = 1; i <= n; ++i) {
        rt::Label* l = label_facute[celula(s.joc_curent, i)];
        l->setCaption(QString::number(s.facute[i]));
        l->show();
    }
}

// ---- scoring ---------------------------------------------------------------------

void FormaMasa::calculare_punctaj() {
    StareJoc& s = stare;
    FormaOptiuni& o = forma_optiuni();
    // The group always has one of its two buttons selected.
    const int punctare = o.optiune_punctare[1]->isChecked() ? PUNCTARE_2N1 : PUNCTARE_N5;
    const bool premiere = FormaOptiuni::Value(o.optiune_premiere) == 1;
    const auto rezultat = reguli::punctare(s, punctare, premiere);
    for (int i = 1; i <= s.nr_jucatori; ++i) {
        rt::Label* l = label_scor[celula(s.joc_curent, i)];
        l->setBackStyle(1);
        switch (rezultat[i]) {
        case reguli::Rezultat::facut:
            l->setBackColor(VERDE);
            break;
        case reguli::Rezultat::ratat:
            l->setBackColor(ROSU);
            break;
        case reguli::Rezultat::premiu:
            l->setBackColor(MAGENTA_DESCHIS);
            break;
        case reguli::Rezultat::depremiere:
            l->setBackColor(GALBEN_DESCHIS);
            break;
        }
        l->setCaption(QString::number(s.punctaj[i][s.joc_curent]));
        l->show();
    }
}

} // namespace dovek
