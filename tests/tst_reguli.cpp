// The rules one at a time, on small hand-made positions. Cards are written as
// rank + suit letter ("10C", "KH", "AS"; D H S C), "-" for an empty slot; in a
// hand, cards after a "|" lie in slots above the hand size.

#include "table/reguli.h"

#include <QTest>
#include <cmath>

using namespace dovek;
using namespace dovek::reguli;

namespace {

int cod(const QString& t) {
    if (t == QLatin1String("-"))
        return 0;
    bool numar = false;
    if (const int c = t.toInt(&numar); numar) // a bare card code
        return c;
    const QString r = t.left(t.size() - 1);
    const int rank = r == "J" ? 11 : r == "Q" ? 12 : r == "K" ? 13 : r == "A" ? 14 : r.toInt();
    const int suit = t.back() == 'C' ? 4 : QStringLiteral("DHS").indexOf(t.back()) + 1;
    return (rank - 2) * 4 + suit;
}

QList<int> coduri(const QString& t) {
    QList<int> v;
    for (const QString& c : t.split(' ', Qt::SkipEmptyParts))
        v << cod(c);
    return v;
}

// Fills a seat's slots; returns how many stand before the "|".
int pune_mana(StareJoc& s, int loc, const QString& t) {
    const QStringList parti = t.split('|');
    int slot = 0;
    for (int c : coduri(parti.join(' ')))
        s.carti_jucatori[loc][++slot] = Octet(c);
    return int(coduri(parti[0]).size());
}

void pune_masa(StareJoc& s, const QString& t) {
    int loc = 0;
    for (int c : coduri(t))
        s.carti_decartate[++loc] = Octet(c);
}

void marcheaza_culori(Tablou<Octet, 0, 3>& t, const QString& litere) {
    for (QChar c : litere)
        t[QStringLiteral("CDHS").indexOf(c)] = 1;
}

class SursaScriptata : public SursaAleatoare {
public:
    explicit SursaScriptata(QList<float> v) : sir(std::move(v)) {}
    float urmator() override { return folosite < sir.size() ? sir[folosite++] : (++folosite, 0.f); }
    QList<float> sir;
    int folosite = 0;
};

} // namespace

class TestReguli : public QObject {
    Q_OBJECT
private slots:
    void lista_jocuri_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("tip_181");
        QTest::addColumn<QString>("lista");
        QTest::newRow("3 players 1-8-1") << 3 << true << "1 1 1 2 3 4 5 6 7 8 8 8 7 6 5 4 3 2 1 1 1";
        QTest::newRow("4 players 8-1-8")
            << 4 << false << "8 8 8 8 7 6 5 4 3 2 1 1 1 1 2 3 4 5 6 7 8 8 8 8";
        QTest::newRow("6 players 1-8-1")
            << 6 << true << "1 1 1 1 1 1 2 3 4 5 6 7 8 8 8 8 8 8 7 6 5 4 3 2 1 1 1 1 1 1";
    }
    void lista_jocuri() {
        QFETCH(int, n);
        QFETCH(bool, tip_181);
        QFETCH(QString, lista);
        StareJoc s;
        s.nr_jucatori = Octet(n);
        s.carti_joc.umple(9); // a previous game's list must not show through
        construieste_carti_joc(s, tip_181);
        const QStringList v = lista.split(' ');
        QCOMPARE(v.size(), 3 * n + 12);
        for (int j = 1; j <= MAX_JOCURI; ++j)
            QCOMPARE(int(s.carti_joc[j]), j <= v.size() ? v[j - 1].toInt() : 0);
    }

    void trage_loc_data() {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("loc");
        QTest::newRow("r = 0") << 0.f << 3 << 1;
        QTest::newRow("r = 0.5, four seats") << 0.5f << 4 << 3;
        QTest::newRow("largest r below 1") << std::nextafter(1.f, 0.f) << 6 << 6;
        // r x 24 is just under 11 in double precision, exactly 11 in single.
        QTest::newRow("single-precision product") << 0x1.d55554p-2f << 24 << 12;
    }
    void trage_loc() {
        QFETCH(float, r);
        QFETCH(int, n);
        QFETCH(int, loc);
        SursaScriptata rnd({r});
        QCOMPARE(reguli::trage_loc(rnd, n), loc);
        QCOMPARE(rnd.folosite, 1);
    }

    void primul_jucator_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("primul");
        QTest::addColumn<int>("ultimul");
        QTest::addColumn<int>("urmatorul");
        QTest::addColumn<int>("ultimul_apoi");
        QTest::newRow("seat 1 first, N bids last") << 4 << 1 << 4 << 2 << 1;
        QTest::newRow("seat N first, then seat 1") << 3 << 3 << 2 << 1 << 3;
        QTest::newRow("six players, middle seat") << 6 << 4 << 3 << 5 << 4;
    }
    void primul_jucator() {
        QFETCH(int, n);
        QFETCH(int, primul);
        QFETCH(int, ultimul);
        QFETCH(int, urmatorul);
        QFETCH(int, ultimul_apoi);
        StareJoc s;
        s.nr_jucatori = Octet(n);
        seteaza_primul_jucator(s, primul);
        QCOMPARE(int(s.primul_levata), primul);
        QCOMPARE(int(s.ultimul_jucator), ultimul);
        s.primul_levata = 2; // a trick winner; the next hand starts afresh anyway
        muta_primul_jucator(s);
        QCOMPARE(int(s.primul_jucator), urmatorul);
        QCOMPARE(int(s.primul_levata), urmatorul);
        QCOMPARE(int(s.ultimul_jucator), ultimul_apoi);
    }

    void ordonare_data() {
        QTest::addColumn<QString>("mana");
        QTest::addColumn<QString>("ordonata");
        QTest::newRow("six players example") << "51 8 46 48 33 13" << "48 8 33 13 46 51";
        QTest::newRow("one suit, rising") << "3S 5S 9S JS KS AS" << "AS KS JS 9S 5S 3S";
        QTest::newRow("one card") << "7H" << "7H";
        QTest::newRow("slots above the hand stay") << "4H 9C | 8D 3S" << "9C 4H 8D 3S";
    }
    void ordonare() {
        QFETCH(QString, mana);
        QFETCH(QString, ordonata);
        StareJoc s;
        s.nr_carti = Octet(pune_mana(s, 1, mana));
        ordoneaza_mana_om(s);
        int slot = 0;
        for (int c : coduri(ordonata.remove('|')))
            QCOMPARE(int(s.carti_jucatori[1][++slot]), c);
    }

    void impartire_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::addColumn<QList<float>>("sir");
        QTest::addColumn<QStringList>("maini");
        QTest::addColumn<QString>("atu");
        QTest::addColumn<int>("folosite");
        // Three players: position 1 + int(r x 24) is card code position + 28. Refused as
        // taken: seat 2's 0.0 and 0.98, seat 3's 0.49, 0.31 and 0.33, the trump's 0.99;
        // the 0x1.d55554p-2 product is 11 in single precision (10.99.. in double).
        QTest::newRow("3 players, 2 cards, refused draws")
            << 3 << 2
            << QList<float>{0.f,   std::nextafter(1.f, 0.f), 0.f,   0.52f, 0.98f, 0x1.d55554p-2f,
                            0.49f, 0.3f,  0.31f, 0.33f, 0.34f, 0.99f, 0.1f,  0.77f}
            << QStringList{"AC 9D", "QD JC", "10C JD"} << "9S" << 13;
        QList<float> jos; // positions 24, 23, .., 1; the last number stays unused
        for (int i = 0; i < 24; ++i)
            jos << (23.5f - float(i)) / 24.f;
        jos << 0.5f;
        QTest::newRow("3 players, 8 cards, no trump drawn")
            << 3 << 8 << jos
            << QStringList{"AC KC AD KD AH KH AS KS", "QC QS QH QD JC JS JH JD",
                           "10C 10S 10H 10D 9C 9S 9H 9D"}
            << "-" << 24;
        QTest::newRow("6 players, 1 card")
            << 6 << 1
            << QList<float>{0.f, 0x1.d55554p-3f, std::nextafter(1.f, 0.f), 0.5f, 0.25f, 0.75f, 0.5f,
                            0.5001f, 0.52f, 0.53f}
            << QStringList{"3D", "5C", "AC", "9D", "6D", "QD"} << "9H" << 10;
    }
    void impartire() {
        QFETCH(int, n);
        QFETCH(int, k);
        QFETCH(QList<float>, sir);
        QFETCH(QStringList, maini);
        QFETCH(QString, atu);
        QFETCH(int, folosite);
        StareJoc s;
        for (auto& mana : s.carti_jucatori)
            mana.umple(99);
        s.nr_jucatori = Octet(n);
        s.nr_carti = Octet(k);
        s.atu = 7;
        SursaScriptata rnd(sir);
        reguli::impartire(s, rnd);
        QCOMPARE(rnd.folosite, folosite);
        QCOMPARE(int(s.atu), cod(atu));
        for (int loc = 1; loc <= MAX_JUCATORI; ++loc) {
            const QList<int> v = loc <= n ? coduri(maini[loc - 1]) : QList<int>{};
            for (int slot = 1; slot <= MAX_CARTI; ++slot)
                QCOMPARE(int(s.carti_jucatori[loc][slot]), slot <= v.size() ? v[slot - 1] : 99);
        }
    }

    void licitare_calculator_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("mana");
        QTest::addColumn<QString>("atu");
        QTest::addColumn<QString>("licitari"); // seats 1..6; the bidder is seat 2
        QTest::addColumn<bool>("ultimul");
        QTest::addColumn<int>("licitatie");
        // Six players, hearts trump unless given. The rule lines: KD (45) is the lowest
        // king or ace, QC (44) the highest card below it; AD (49) the lowest ace, KC (48)
        // the highest card below it.
        QTest::newRow("1: low trump, first") << 1 << "7H" << "3H" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("1: low trump after a 1 in seat N") << 1 << "7H" << "3H" << "0 0 0 0 0 1" << false << 0;
        QTest::newRow("1: trump king after a 1") << 1 << "KH" << "3H" << "1 0 0 0 0 0" << false << 1;
        QTest::newRow("1: no trump, first") << 1 << "AS" << "3H" << "0 0 0 0 0 0" << false << 0;
        QTest::newRow("1: no trump, last, S = 1") << 1 << "AS" << "3H" << "1 0 0 0 0 0" << true << 1;
        QTest::newRow("1: trump KD after a 1") << 1 << "KD" << "3D" << "1 0 0 0 0 0" << false << 1;
        QTest::newRow("1: trump QC after a 1") << 1 << "QC" << "3C" << "1 0 0 0 0 0" << false << 0;
        QTest::newRow("1: trump QC, first") << 1 << "QC" << "3C" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("1: low trump, last, S 0: 1 -> 0") << 1 << "7H" << "3H" << "0 0 0 0 0 0" << true << 0;
        QTest::newRow("1: trump KD, last, S 1: stays") << 1 << "KD" << "3D" << "1 0 0 0 0 0" << true << 1;
        QTest::newRow("3: side ace + two low trumps") << 3 << "AS 7H 9H" << "3H" << "0 0 0 0 0 0" << false << 2;
        QTest::newRow("3: side ace + one low trump") << 3 << "AS 7H 5C" << "3H" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("2: lone low trump") << 2 << "7H 5C" << "3H" << "0 0 0 0 0 0" << false << 0;
        QTest::newRow("4: lone low trump") << 4 << "5C 6D 7H 8S" << "3H" << "0 0 0 0 0 0" << false << 0;
        QTest::newRow("2: trump ace counts once") << 2 << "AH 5C" << "3H" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("2: trump king") << 2 << "9S KH" << "3H" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("2: trump KD + low trump") << 2 << "KD 9D" << "3D" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("2: trump QC alone") << 2 << "QC 5D" << "3C" << "0 0 0 0 0 0" << false << 0;
        QTest::newRow("2: trump QC + low trump") << 2 << "QC 9C" << "3C" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("4: trump KD alone") << 4 << "KD 5C 6S 8H" << "3D" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("4: trump QC + low trump") << 4 << "5D QC 6S 9C" << "3C" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("4: side AD") << 4 << "AD 5C 6S 8D" << "3H" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("4: side KC KD KS") << 4 << "KC KD KS 8D" << "3H" << "0 0 0 0 0 0" << false << 0;
        QTest::newRow("6: example") << 6 << "AC AH 10H 4H 9S 3D" << "3H" << "0 0 0 0 0 0" << false << 2;
        QTest::newRow("5: one trump") << 5 << "7H 5C 6D 8S 9C" << "3H" << "0 0 0 0 0 0" << false << 0;
        QTest::newRow("5: trump ace alone") << 5 << "AH 5C 6D 8S 9C" << "3H" << "0 0 0 0 0 0" << false << 0;
        QTest::newRow("5: two trumps") << 5 << "7H 8H 5C 6D 8S" << "3H" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("5: side AD + one trump") << 5 << "AD 7H 5C 6S 8D" << "3H" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("7: side KC KD KS + one trump") << 7 << "KC KD KS 7H 5C 6S 8D" << "3H" << "0 0 0 0 0 0" << false << 0;
        QTest::newRow("7: trumps KD AD 9D") << 7 << "KD AD 9D 5C 6S 8H QC" << "3D" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("8: two aces, a king") << 8 << "AD 3S KC 10H 9C 5D AS QH" << "-" << "0 0 0 0 0 0" << false << 3;
        QTest::newRow("8: every suit counts") << 8 << "AD AH AS AC KD KH KS KC" << "-" << "0 0 0 0 0 0" << false << 8;
        QTest::newRow("8: KD counts, QC not") << 8 << "KD QC 3S 10H 9C 5D 4S 8H" << "-" << "0 0 0 0 0 0" << false << 1;
        QTest::newRow("last, K 4, S 3: 1 -> 0") << 4 << "AS 5C 6D 8S" << "3H" << "0 0 2 0 0 1" << true << 0;
        QTest::newRow("last, K 4, S 3: 0 stays") << 4 << "5C 6D 8S 9C" << "3H" << "1 0 2 0 0 0" << true << 0;
        QTest::newRow("last, K 4, S 3: 2 stays") << 4 << "AS AD 6D 8S" << "3H" << "1 0 2 0 0 0" << true << 2;
        QTest::newRow("last, K 2, S 0: 2 -> 1") << 2 << "AS AD" << "3H" << "0 0 0 0 0 0" << true << 1;
        QTest::newRow("last, K 8, S 0: 8 -> 7") << 8 << "AD AH AS AC KD KH KS KC" << "-" << "0 0 0 0 0 0" << true << 7;
        QTest::newRow("not last, K 4, S 3: 1 stays") << 4 << "AS 5C 6D 8S" << "3H" << "1 0 2 0 0 0" << false << 1;
        QTest::newRow("last, K 4, S 4: 0 -> 1") << 4 << "5C 6D 8S 9C" << "3H" << "1 0 2 1 0 0" << true << 1;
        QTest::newRow("last, K 4, S 5: stays") << 4 << "AS 5C 6D 8S" << "3H" << "1 0 2 1 1 0" << true << 1;
        QTest::newRow("last, K 8, S 5: 3 -> 2") << 8 << "AD 3S KC 10H 9C 5D AS QH" << "-" << "2 0 3 0 0 0" << true << 2;
    }
    void licitare_calculator() {
        QFETCH(int, k);
        QFETCH(QString, mana);
        QFETCH(QString, atu);
        QFETCH(QString, licitari);
        QFETCH(bool, ultimul);
        QFETCH(int, licitatie);
        StareJoc s;
        s.nr_jucatori = 6;
        s.nr_carti = Octet(k);
        s.atu = Octet(cod(atu));
        s.ultimul_jucator = ultimul ? 2 : 3;
        pune_mana(s, 2, mana);
        const QStringList l = licitari.split(' ');
        for (int loc = 1; loc <= 6; ++loc)
            s.licitari[loc] = Octet(l[loc - 1].toInt());
        QCOMPARE(licitatie_calculator(s, 2), licitatie);
    }

    void alegere_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("atu");
        QTest::addColumn<int>("primul");
        QTest::addColumn<QString>("masa"); // seats 1..n; the chooser is seat 3
        QTest::addColumn<QString>("mana");
        QTest::addColumn<bool>("vrea");    // seat 3's bid is above its tricks
        QTest::addColumn<bool>("om_facut"); // seat 1 stands exactly on his bid
        QTest::addColumn<QString>("asi");
        QTest::addColumn<QString>("deschise");
        QTest::addColumn<QString>("carte");
        QTest::addColumn<int>("slot");
        const QString gol = "- - - -";
        auto caz = [&](const char* nume, int n, const char* atu, int primul, const QString& masa,
                        const char* mana, bool vrea, bool om_facut, const char* asi,
                        const char* deschise, const char* carte, int slot) {
            QTest::newRow(nume) << n << atu << primul << masa << mana << vrea << om_facut << asi
                                << deschise << carte << slot;
        };
        // Leader, wants tricks.
        caz("L1 two aces: the later slot", 4, "QH", 3, gol, "AS KD AD 9C -", true, false, "", "", "AD", 3);
        caz("L2 singleton, empty slots after", 4, "QH", 3, gol, "KS 8H 9H 10C - -", true, false, "", "", "10C", 4);
        caz("L3 ace gone: last club, empty after", 4, "QH", 3, gol, "QD KC JD 8C -", true, false, "C", "", "8C", 4);
        caz("L3 the later king decides", 4, "QH", 3, gol, "KC KD 8D 9C QS", true, false, "CD", "", "8D", 3);
        caz("L4 highest code across suits", 4, "QH", 3, gol, "KC 10D KS 9S", true, false, "", "", "KC", 1);
        caz("L4 one card", 4, "QH", 3, gol, "- 9D -", true, false, "", "", "9D", 2);
        // Leader, does not want tricks.
        caz("L6 low singleton", 4, "QH", 3, gol, "7C 9D QS KS 8C", false, false, "", "", "9D", 2);
        caz("L6 off at the low limit", 4, "QH", 3, gol, "QS 10D 9S 10C JC", false, false, "", "", "9S", 3);
        caz("L7 under the last unled low card", 3, "-", 3, "- - -", "9D 9H 9S 10C 10H QD KS JC", false, false, "", "CH", "9H", 2);
        caz("L8 lower of the last two low", 3, "-", 3, "- - -", "9D QD 9H KH 10H", false, false, "", "DH", "9H", 3);
        caz("L9 lowest card", 3, "QH", 3, "- - -", "QD KD JH AH", false, false, "", "", "JH", 3);
        // Follower, wants tricks.
        caz("F1 leaves the human his trick", 4, "QH", 4, "QS 10S - 9S", "KS JS 8D", true, true, "", "", "JS", 2);
        caz("F1 off: lowest led card higher", 4, "QH", 4, "QS 10S - 9S", "KS AS 8D", true, true, "", "", "AS", 2);
        caz("F1 off: human not on his bid", 4, "QH", 4, "QS 10S - 9S", "KS JS 8D", true, false, "", "", "KS", 1);
        caz("F1 off, human trumped: F2", 4, "QH", 4, "8H 10S - 9S", "KS JS 8D", true, true, "", "", "JS", 2);
        caz("F2 a trump on the table", 4, "QH", 1, "9S 8H - -", "KS JS 8D", true, false, "", "", "JS", 2);
        caz("F3 ace of the led suit", 4, "QH", 2, "- QS - -", "9S AS 8D", true, false, "", "", "AS", 2);
        caz("F4 king after a computer's ace", 4, "QH", 2, "- QS - -", "9S KS 8D", true, false, "S", "", "KS", 2);
        caz("F5 beats: highest", 4, "QH", 2, "- QS - -", "9S KS JS", true, false, "", "", "KS", 2);
        caz("F5 cannot beat: lowest", 4, "QH", 2, "- KS - -", "JS 9S QS", true, false, "", "", "9S", 2);
        caz("F5 hand of 8: a club is no trump", 4, "-", 1, "9D AC - -", "JD 8D KS - - - - -", true, false, "", "", "JD", 1);
        caz("F6 no trump on the table: highest", 4, "QH", 2, "- QS - -", "8H JH 9D", true, false, "", "", "JH", 2);
        caz("F6 over-trumps", 4, "QH", 1, "QS 9H - -", "8H JH 9D", true, false, "", "", "JH", 2);
        caz("F6 cannot over-trump: lowest", 4, "QH", 1, "QS KH - -", "JH 8H 9D", true, false, "", "", "8H", 2);
        caz("F7 void in both: lowest", 4, "QH", 2, "- QS - -", "QD 9C JD", true, false, "", "", "9C", 2);
        caz("F7 one card", 4, "QH", 2, "- QS - -", "- - 9C", true, false, "", "", "9C", 3);
        // Follower, does not want tricks.
        caz("N1 a trump on the table: highest", 4, "QH", 1, "9S 8H - -", "JS KS 10S 8D", false, false, "", "", "KS", 2);
        caz("N2 ducks under", 4, "QH", 2, "- QS - -", "9S KS JS", false, false, "", "", "JS", 3);
        caz("N2 cannot duck: lowest", 4, "QH", 2, "- QS - -", "AS KS", false, false, "", "", "KS", 2);
        caz("N2 hand of 8: a club is no trump", 4, "-", 1, "9D AC - -", "JD 8D KS - - - - -", false, false, "", "", "8D", 2);
        caz("N3 under-trumps", 4, "QH", 1, "9S QH - -", "8H KH JH 9D", false, false, "", "", "JH", 3);
        caz("N4 lowest trump", 4, "QH", 1, "9S 9H - -", "KH JH 9D", false, false, "", "", "JH", 2);
        caz("N5 singleton", 4, "QH", 2, "- QS - -", "QD KD 9C", false, false, "", "", "9C", 3);
        caz("N6 highest, above-hand slot ignored", 4, "QH", 2, "- QS - -", "QD KD 9C JC | AS", false, false, "", "", "KD", 2);
    }
    void alegere() {
        QFETCH(int, n);
        QFETCH(QString, atu);
        QFETCH(int, primul);
        QFETCH(QString, masa);
        QFETCH(QString, mana);
        QFETCH(bool, vrea);
        QFETCH(bool, om_facut);
        QFETCH(QString, asi);
        QFETCH(QString, deschise);
        QFETCH(QString, carte);
        QFETCH(int, slot);
        StareJoc s;
        s.nr_jucatori = Octet(n);
        s.atu = Octet(cod(atu));
        s.primul_levata = Octet(primul);
        s.nr_carti = Octet(pune_mana(s, 3, mana));
        pune_masa(s, masa);
        s.licitari[3] = vrea ? 2 : 1;
        s.facute[3] = 1;
        s.licitari[1] = om_facut ? 1 : 2;
        s.facute[1] = 1;
        marcheaza_culori(s.asi_jucati, asi);
        marcheaza_culori(s.culori_deschise, deschise);
        const Alegere a = alegere_carte(s, 3);
        QCOMPARE(a.carte, cod(carte));
        QCOMPARE(a.slot, slot);
    }

    void castigatorul_data() {
        QTest::addColumn<QString>("atu");
        QTest::addColumn<int>("primul");
        QTest::addColumn<QString>("masa"); // four players
        QTest::addColumn<int>("castigator");
        QTest::newRow("only the leader follows") << "7H" << 2 << "AC 9D QS KS" << 2;
        QTest::newRow("trump below the led winner") << "7H" << 3 << "8H 10D 9S AS" << 1;
        QTest::newRow("two trumps, higher in lower seat") << "7H" << 2 << "QH 9S 8H 10S" << 1;
        QTest::newRow("two trumps, higher in higher seat") << "7H" << 2 << "8H 9S QH 10S" << 3;
        QTest::newRow("last seat's trump") << "7H" << 2 << "8H AS KS QS" << 1;
        QTest::newRow("no trump, club thrown") << "-" << 2 << "10D 9D AC JD" << 4;
        QTest::newRow("trump suit led") << "7H" << 2 << "AS 9H QH KH" << 4;
        QTest::newRow("under way") << "7H" << 3 << "- - 9S JS" << 4;
        QTest::newRow("under way, trumped") << "7H" << 4 << "8H - - 9S" << 1;
        QTest::newRow("under way, clubs trump") << "7C" << 3 << "- - 9S JS" << 4;
    }
    void castigatorul() {
        QFETCH(QString, atu);
        QFETCH(int, primul);
        QFETCH(QString, masa);
        QFETCH(int, castigator);
        StareJoc s;
        s.nr_jucatori = 4;
        s.atu = Octet(cod(atu));
        s.primul_levata = Octet(primul);
        pune_masa(s, masa);
        s.carti_decartate[5] = Octet(cod("AH")); // seats above N never count
        QCOMPARE(castigator_levata(s), castigator);
        s.facute[castigator] = 2;
        QCOMPARE(incheie_levata(s), castigator);
        QCOMPARE(int(s.facute[castigator]), 3);
        QCOMPARE(int(s.primul_levata), castigator);
    }

    void verificare_data() {
        QTest::addColumn<QString>("atu");
        QTest::addColumn<int>("primul");
        QTest::addColumn<QString>("condus");
        QTest::addColumn<QString>("mana");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("verdict");
        const int p = int(Verdict::permis), c = int(Verdict::ai_culoare), a = int(Verdict::ai_atu);
        QTest::newRow("he leads") << "7H" << 1 << "-" << "9D 8H QS" << 1 << p;
        QTest::newRow("follows suit") << "7H" << 2 << "9S" << "9D QS 8H" << 2 << p;
        QTest::newRow("off-suit, holds the led suit") << "7H" << 2 << "9S" << "9D QS 8H" << 1 << c;
        QTest::newRow("trump, holds the led suit") << "7H" << 2 << "9S" << "9D QS 8H" << 3 << c;
        QTest::newRow("void, third suit, holds trump") << "7H" << 2 << "9S" << "9D QC 8H" << 1 << a;
        QTest::newRow("void, trump") << "7H" << 2 << "9S" << "9D QC 8H" << 3 << p;
        QTest::newRow("void in both") << "7H" << 2 << "9S" << "9D QC" << 1 << p;
        QTest::newRow("no trump, holds clubs") << "-" << 2 << "9S" << "9D QC 8H" << 1 << p;
        QTest::newRow("trump led, void") << "7H" << 2 << "9H" << "9D QC" << 2 << p;
        QTest::newRow("clubs led, empty slot") << "7S" << 2 << "9C" << "- 9D 10H" << 2 << p;
        QTest::newRow("club above the hand size") << "7S" << 2 << "9C" << "9D 10H | QC" << 1 << p;
    }
    void verificare() {
        QFETCH(QString, atu);
        QFETCH(int, primul);
        QFETCH(QString, condus);
        QFETCH(QString, mana);
        QFETCH(int, slot);
        QFETCH(int, verdict);
        StareJoc s;
        s.nr_jucatori = 4;
        s.atu = Octet(cod(atu));
        s.primul_levata = Octet(primul);
        s.carti_decartate[primul] = Octet(cod(condus));
        s.nr_carti = Octet(pune_mana(s, 1, mana));
        QCOMPARE(int(verifica_carte_om(s, slot)), verdict);
    }

    void punere_data() {
        QTest::addColumn<int>("loc");
        QTest::addColumn<QString>("carte");
        QTest::addColumn<bool>("as_retinut");
        QTest::newRow("computer's ace") << 2 << "AS" << true;
        QTest::newRow("human's ace") << 1 << "AS" << false;
        QTest::newRow("computer's king") << 3 << "KS" << false;
    }
    void punere() {
        QFETCH(int, loc);
        QFETCH(QString, carte);
        QFETCH(bool, as_retinut);
        StareJoc s;
        s.nr_jucatori = 3;
        s.nr_carti = 2;
        pune_mana(s, loc, "9D " + carte);
        pune_carte(s, loc, 2);
        QCOMPARE(int(s.carti_decartate[loc]), cod(carte));
        QCOMPARE(int(s.carti_jucatori[loc][2]), 0);
        QCOMPARE(int(s.carti_jucatori[loc][1]), cod("9D"));
        QCOMPARE(int(s.asi_jucati[SPADES]), int(as_retinut));
        // The led suit is marked, not the suit of the winning or other cards.
        s.primul_levata = Octet(loc);
        s.atu = Octet(cod("7H"));
        s.carti_decartate[urmatorul(loc, 3)] = Octet(cod("10H")); // trumps and wins
        marcheaza_culoarea(s);
        QCOMPARE(s.culori_deschise, (Tablou<Octet, 0, 3>{{0, 0, 0, 1}}));
    }

    void repetare_data() {
        QTest::addColumn<QString>("licitari");
        QTest::addColumn<QString>("facute");
        QTest::addColumn<bool>("nimeni");
        QTest::newRow("one made") << "1 0 2 0 0 0" << "0 1 2 0 0 0" << false;
        QTest::newRow("all missed") << "1 0 2 0 0 0" << "0 1 1 0 0 0" << true;
        QTest::newRow("seat above N ignored") << "1 0 2 3 0 0" << "0 1 1 3 0 0" << true;
    }
    void repetare() {
        QFETCH(QString, licitari);
        QFETCH(QString, facute);
        QFETCH(bool, nimeni);
        StareJoc s;
        s.nr_jucatori = 3;
        for (int loc = 1; loc <= 6; ++loc) {
            s.licitari[loc] = Octet(licitari.split(' ')[loc - 1].toInt());
            s.facute[loc] = Octet(facute.split(' ')[loc - 1].toInt());
        }
        QCOMPARE(nimeni_nu_si_a_facut(s), nimeni);
    }

    void puncte_data() {
        QTest::addColumn<int>("optiune");
        QTest::addColumn<int>("licitat");
        QTest::addColumn<int>("facut");
        QTest::addColumn<int>("inainte");
        QTest::addColumn<int>("dupa");
        QTest::addColumn<bool>("reusit");
        QTest::newRow("bid 0 made, 2n+1") << 1 << 0 << 0 << 10 << 11 << true;
        QTest::newRow("bid 0 made, n+5") << 2 << 0 << 0 << 10 << 15 << true;
        QTest::newRow("bid 2 made, 2n+1") << 1 << 2 << 2 << 10 << 15 << true;
        QTest::newRow("bid 2 made, n+5") << 2 << 2 << 2 << 10 << 17 << true;
        QTest::newRow("bid 4, one trick") << 2 << 4 << 1 << 10 << 7 << false;
        QTest::newRow("bid 0, two tricks") << 1 << 0 << 2 << 10 << 8 << false;
        QTest::newRow("down to zero") << 2 << 4 << 1 << 3 << 0 << false;
        QTest::newRow("negative") << 2 << 4 << 1 << 1 << -2 << false;
    }
    void puncte() {
        QFETCH(int, optiune);
        QFETCH(int, licitat);
        QFETCH(int, facut);
        QFETCH(int, inainte);
        QFETCH(int, dupa);
        QFETCH(bool, reusit);
        StareJoc s;
        s.nr_jucatori = 3;
        s.nr_carti = 4;
        s.joc_curent = 5;
        for (int loc = 1; loc <= 6; ++loc)
            s.punctaj[loc][5] = 1000;
        s.punctaj[2][4] = inainte;
        s.licitari[2] = Octet(licitat);
        s.facute[2] = Octet(facut);
        const auto r = punctare(s, optiune, true);
        QCOMPARE(s.punctaj[2][5], dupa);
        QCOMPARE(int(r[2]), int(reusit ? Rezultat::facut : Rezultat::ratat));
        QCOMPARE(s.serie[2], reusit ? 1 : -1);
        QCOMPARE(s.punctaj[4][5], 1000);
        QCOMPARE(s.serie[4], 0);
    }

    void serii_data() {
        QTest::addColumn<QString>("maini"); // cards + M(ade) / X (missed); "~": bonus rule off
        QTest::addColumn<QString>("cresteri");
        QTest::addColumn<int>("serie");
        QTest::addColumn<int>("rezultat");
        const int F = int(Rezultat::facut), R = int(Rezultat::ratat), P = int(Rezultat::premiu),
                  D = int(Rezultat::depremiere);
        QTest::newRow("five made") << "3M 3M 3M 3M 3M" << "7 7 7 7 17" << 0 << P;
        QTest::newRow("ten made") << "3M 3M 3M 3M 3M 3M 3M 3M 3M 3M" << "7 7 7 7 17 7 7 7 7 17" << 0 << P;
        QTest::newRow("five missed") << "3X 3X 3X 3X 3X" << "-2 -2 -2 -2 -12" << 0 << D;
        QTest::newRow("run across 1-card hands") << "3M 3M 1X 1M 3M 3M 3M" << "7 7 -1 6 7 7 17" << 0 << P;
        QTest::newRow("1-card made after four") << "3M 3M 3M 3M 1M" << "7 7 7 7 6" << 4 << F;
        QTest::newRow("missed after four made") << "3M 3M 3M 3M 3X" << "7 7 7 7 -2" << -1 << R;
        QTest::newRow("made after three missed") << "3X 3X 3X 3M" << "-2 -2 -2 7" << 1 << F;
        QTest::newRow("rule off") << "~3M ~3M ~3M ~3M ~3M ~3M" << "7 7 7 7 7 7" << 6 << F;
        QTest::newRow("on at 6: next run earns")
            << "~3M ~3M ~3M ~3M ~3M ~3M 3M 3X 3M 3M 3M 3M 3M" << "7 7 7 7 7 7 7 -2 7 7 7 7 17" << 0 << P;
        QTest::newRow("5 kept by a 1-card hand") << "~3M ~3M ~3M ~3M ~3M 1X" << "7 7 7 7 7 9" << 0 << P;
        QTest::newRow("-5 kept by a 1-card hand") << "~3X ~3X ~3X ~3X ~3X 1M" << "-2 -2 -2 -2 -2 -4" << 0 << D;
        QTest::newRow("5 moved on by a bigger hand") << "~3M ~3M ~3M ~3M ~3M 3M" << "7 7 7 7 7 7" << 6 << F;
    }
    void serii() {
        QFETCH(QString, maini);
        QFETCH(QString, cresteri);
        QFETCH(int, serie);
        QFETCH(int, rezultat);
        StareJoc s;
        s.nr_jucatori = 3;
        const QStringList m = maini.split(' ');
        const QStringList c = cresteri.split(' ');
        Rezultat ultim{};
        for (int j = 1; j <= m.size(); ++j) {
            QString t = m[j - 1];
            const bool premiere = !t.startsWith('~');
            t.remove('~');
            s.joc_curent = Octet(j);
            s.nr_carti = Octet(t.left(1).toInt());
            s.licitari[1] = s.nr_carti == 1 ? 1 : 2;
            s.facute[1] = t.endsWith('M') ? s.licitari[1] : 0;
            ultim = punctare(s, 2, premiere)[1];
            QCOMPARE(s.punctaj[1][j] - s.punctaj[1][j - 1], c[j - 1].toInt());
        }
        QCOMPARE(s.serie[1], serie);
        QCOMPARE(int(ultim), rezultat);
    }
};

QTEST_APPLESS_MAIN(TestReguli)
#include "tst_reguli.moc"
