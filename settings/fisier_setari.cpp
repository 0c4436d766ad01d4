#include "settings/fisier_setari.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <iterator>

namespace dovek {

namespace {

struct LinieNumerica {
    const char* ce; // what the line holds, for the messages
    int minim;
    int maxim;
};

// Lines 1..6, in file order.
constexpr LinieNumerica LINII_NUMERICE[] = {
    {"animatia", 1, 3},
    {"tipul jocului", 1, 2},
    {"optiunea \"pe frunte\"", 0, 2},
    {"optiunea de premiere", 0, 2},
    {"optiunea de repetare", 0, 2},
    {"modalitatea de punctare", 1, 2},
};
constexpr int NR_LINII_NUMERICE = int(std::size(LINII_NUMERICE));
static_assert(NR_LINII_NUMERICE + 6 == NR_LINII_SETARI);

void adauga_numar(QByteArray& out, int n) {
    // The blank before the digits is the place of the sign of a number that is
    // not negative; the one after it is always there.
    if (n >= 0) out += ' ';
    out += QByteArray::number(n);
    out += " \r\n";
}

// Old files were written in an 8-bit code page; text that is not valid UTF-8
// is taken as Latin-1 so such a file still loads, with its accents.
QString decodeaza(const QByteArray& octeti) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(octeti);
    if (utf8.hasError()) return QString::fromLatin1(octeti);
    return text;
}

// The first twelve lines at most. A line ends at CR, LF or CR LF; the last one
// may end at the end of the data, but nothing after a final line end is a line.
QList<QByteArray> primele_linii(const QByteArray& date) {
    QList<QByteArray> linii;
    const qsizetype n = date.size();
    // A UTF-8 mark left by an editor would otherwise spoil the first number.
    qsizetype i = date.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (linii.size() < NR_LINII_SETARI && i < n) {
        qsizetype j = i;
        while (j < n && date[j] != '\r' && date[j] != '\n')
            ++j;
        linii.append(date.mid(i, j - i));
        if (j < n) j += (date[j] == '\r' && j + 1 < n && date[j + 1] == '\n') ? 2 : 1;
        i = j;
    }
    return linii;
}

bool este_blanc(char c) {
    return c == ' ' || c == '\t';
}

// A line's text as a message shows it: short enough to read.
QString scurtat(const QByteArray& octeti) {
    constexpr int LUNGIME_MAXIMA = 20;
    QString text = decodeaza(octeti);
    if (text.size() > LUNGIME_MAXIMA) text = text.left(LUNGIME_MAXIMA) + QStringLiteral("...");
    return text;
}

// A whole number, blanks (spaces, tabs) around it ignored, an optional sign.
// Returns the reason when it is not one or is out of the line's range.
std::optional<QString> citeste_numar(const QByteArray& linie, const LinieNumerica& fel,
                                     int& valoare) {
    qsizetype inceput = 0, sfarsit = linie.size();
    while (inceput < sfarsit && este_blanc(linie[inceput]))
        ++inceput;
    while (sfarsit > inceput && este_blanc(linie[sfarsit - 1]))
        --sfarsit;
    const QByteArray text = linie.mid(inceput, sfarsit - inceput);
    const QString ce = QString::fromLatin1(fel.ce);
    const QString domeniu =
        QStringLiteral("%1 trebuie sa fie intre %2 si %3").arg(ce).arg(fel.minim).arg(fel.maxim);
    if (text.isEmpty()) return QStringLiteral("este goala; %1").arg(domeniu);

    qsizetype k = 0;
    const bool negativ = text[0] == '-';
    if (text[0] == '+' || text[0] == '-') ++k;
    const QString nu_e_numar = QStringLiteral("contine \"%1\", care nu este un numar intreg; %2")
                                   .arg(scurtat(text), domeniu);
    if (k == text.size()) return nu_e_numar;
    // Counted up to a ceiling, so a long run of digits cannot overflow. The old
    // reader took at most a 16-bit number, far more than any line allows.
    constexpr int PLAFON = 32768;
    int n = 0;
    for (; k < text.size(); ++k) {
        const char c = text[k];
        if (c < '0' || c > '9') return nu_e_numar;
        if (n < PLAFON) n = std::min(n * 10 + (c - '0'), PLAFON + 1);
    }
    if (negativ) n = -n;
    if (n < fel.minim || n > fel.maxim)
        return QStringLiteral("contine %1, dar %2").arg(scurtat(text), domeniu);
    valoare = n;
    return std::nullopt;
}

RezultatCitire esec(int linie, const QString& motiv) {
    RezultatCitire r;
    r.stare = RezultatCitire::Stare::gresit;
    r.linie = linie;
    r.motiv = motiv;
    return r;
}

} // namespace

QByteArray scrie_setari(const Setari& s) {
    QByteArray out;
    for (int v : {s.animatie, s.joc, s.joc_frunte, s.premiere, s.repetare, s.punctare})
        adauga_numar(out, v);
    for (const QString& nume : s.nume) {
        QString linie = nume;
        linie.replace(QLatin1Char('\r'), QLatin1Char(' '));
        linie.replace(QLatin1Char('\n'), QLatin1Char(' '));
        out += linie.toUtf8();
        out += "\r\n";
    }
    return out;
}

RezultatCitire citeste_setari(const QByteArray& date) {
    const QList<QByteArray> linii = primele_linii(date);
    if (linii.size() < NR_LINII_SETARI) {
        const int lipsa = int(linii.size()) + 1;
        return esec(
            lipsa,
            linii.isEmpty()
                ? QStringLiteral("lipseste (fisierul este gol)")
                : QStringLiteral("lipseste (fisierul se termina dupa linia %1)").arg(linii.size()));
    }

    RezultatCitire r;
    int valori[NR_LINII_NUMERICE] = {};
    for (int i = 0; i < NR_LINII_NUMERICE; ++i)
        if (auto motiv = citeste_numar(linii[i], LINII_NUMERICE[i], valori[i]))
            return esec(i + 1, *motiv);
    r.setari.animatie = valori[0];
    r.setari.joc = valori[1];
    r.setari.joc_frunte = valori[2];
    r.setari.premiere = valori[3];
    r.setari.repetare = valori[4];
    r.setari.punctare = valori[5];
    for (int p = 0; p < 6; ++p)
        r.setari.nume[std::size_t(p)] = decodeaza(linii[NR_LINII_NUMERICE + p]);
    return r;
}

QString cale_fisier_setari() {
    // Joined as they are: at the root the directory already ends in the
    // separator and the path then holds two of them, which opens all the same.
    return QDir::currentPath() + QDir::separator() + QStringLiteral("dovek.ini");
}

RezultatCitire incarca_setari(const QString& cale) {
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(cale)) {
            RezultatCitire r;
            r.stare = RezultatCitire::Stare::fara_fisier;
            r.motiv = QStringLiteral("fisierul nu exista");
            return r;
        }
        return esec(0, QStringLiteral("nu poate fi deschis: %1").arg(f.errorString()));
    }
    const QByteArray date = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return esec(0, QStringLiteral("nu poate fi citit: %1").arg(f.errorString()));
    return citeste_setari(date);
}

std::optional<QString> salveaza_setari(const QString& cale, const Setari& s) {
    QSaveFile f(cale);
    // Unbuffered, so that every byte reaches the temporary file inside write()
    // and a full disk shows there. Buffered, the bytes would go out in
    // commit()'s own flush, whose failure it does not notice: it would rename a
    // cut-off file over the good one (QTBUG-75077).
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return f.errorString();
    const QByteArray date = scrie_setari(s);
    // A short write is retried; only the next one reports why it stopped.
    for (qint64 scris = 0; scris < date.size();) {
        const qint64 n = f.write(date.constData() + scris, date.size() - scris);
        if (n <= 0) {
            const QString motiv = f.errorString();
            f.cancelWriting();
            return motiv;
        }
        scris += n;
    }
    if (!f.commit()) return f.errorString();
    return std::nullopt;
}

} // namespace dovek
