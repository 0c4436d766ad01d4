#include "settings/fisier_setari.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Old files were written in Windows-1250, the 8-bit code page of Romanian
// Windows (0xBA "ş", 0xE3 "ă"); text that is not valid UTF-8 is taken as that,
// so such a file still loads with its accents.
QString decodeaza(const QByteArray& octeti) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(octeti);
    if (!utf8.hasError()) return text;
    QStringDecoder cp1250("windows-1250");
    // A Qt built without the code page still gets the Latin letters right.
    return cp1250.isValid() ? cp1250.decode(octeti) : QString::fromLatin1(octeti);
}

// A name in Windows-1250 when that gives it back unchanged, so an 8-bit file
// keeps its bytes through "Salvare"; in UTF-8 otherwise. Unchanged is checked by
// reading the bytes back: a character the code page lacks ("ș" with a comma)
// would be lost, and the code page's bytes can happen to be valid UTF-8 for
// other text ("Ăş" is 0xC3 0xBA, which UTF-8 reads as "ú").
QByteArray codeaza(const QString& nume) {
    QStringEncoder cp1250("windows-1250");
    if (cp1250.isValid()) {
        const QByteArray octeti = cp1250.encode(nume);
        if (!cp1250.hasError() && decodeaza(octeti) == nume) return octeti;
    }
    return nume.toUtf8();
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
        out += codeaza(linie);
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
    const QString director = QDir::currentPath();
    // A deleted current directory has no path, and joined as below the empty
    // one would name the root folder's file.
    if (director.isEmpty()) return QStringLiteral("dovek.ini");
    // Joined as they are: at the root the directory already ends in the
    // separator and the path then holds two of them, which opens all the same.
    return director + QDir::separator() + QStringLiteral("dovek.ini");
}

namespace {

const QString ESTE_DIRECTOR = QStringLiteral("este un director");
const QString NU_E_FISIER = QStringLiteral("nu este un fisier obisnuit");

// The cause of a failed system call in the user's words, for what a settings
// file meets in practice; anything rarer keeps the system's own text.
QString cauza(int cod, bool scriere, const QString& text_sistem = {}) {
    switch (cod) {
    case ENOENT:
        // Writing creates a missing file, so only its folder can be missing.
        return scriere ? QStringLiteral("directorul nu exista") : QStringLiteral("nu exista");
    case EACCES:
    case EPERM:
        return scriere ? QStringLiteral("nu aveti drept de scriere")
                       : QStringLiteral("nu aveti drept de citire");
    case EISDIR:
        return ESTE_DIRECTOR;
    case ENXIO:
    case ENODEV:
        return NU_E_FISIER;
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("discul este plin");
    case EFBIG:
        return QStringLiteral("fisierul ar depasi marimea permisa");
    case EROFS:
        return QStringLiteral("discul poate fi doar citit");
    default:
        return text_sistem.isEmpty() ? qt_error_string(cod) : text_sistem;
    }
}

QString propozitie(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text + QLatin1Char('.');
}

// Qt words a failed system call with the text of its errno. While the device
// still holds that text, errno, read right after the call, names the cause;
// otherwise something else has run since, and only the text is left.
int cod_eroare(const QFileDevice& f, int cod) {
    return f.errorString() == qt_error_string(cod) ? cod : 0;
}

RezultatCitire fara_fisier() {
    RezultatCitire r;
    r.stare = RezultatCitire::Stare::fara_fisier;
    r.motiv = QStringLiteral("fisierul nu exista");
    return r;
}

ssize_t citeste_bucata(int fd, char* unde, qsizetype cat) {
    ssize_t n;
    do
        n = ::read(fd, unde, std::size_t(cat));
    while (n < 0 && errno == EINTR);
    return n;
}

// Rewrites the file where it is, for a folder that lets no new file in. The new
// bytes go over the old ones and only then is the rest cut off, so a full disk
// can refuse no more than what lies past the old length. Not atomic: a failure
// half-way leaves a mix, and the reason says so.
std::optional<QString> scrie_pe_loc(const QByteArray& nativ, const QByteArray& date) {
    const int fd = ::open(nativ.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return propozitie(cauza(errno, true));
    struct stat st {};
    int cod = ::fstat(fd, &st) != 0 ? errno : 0;
    if (cod == 0 && !S_ISREG(st.st_mode)) {
        ::close(fd);
        return propozitie(NU_E_FISIER);
    }
    for (qsizetype scris = 0; cod == 0 && scris < date.size();) {
        const ssize_t n = ::write(fd, date.constData() + scris, std::size_t(date.size() - scris));
        if (n > 0)
            scris += n;
        else if (n == 0 || errno != EINTR)
            cod = n == 0 ? EIO : errno;
    }
    if (cod == 0 && ::ftruncate(fd, off_t(date.size())) != 0) cod = errno;
    // Some disks (network ones, a full quota) only refuse the bytes when they
    // are pushed out; a file system that cannot sync at all says EINVAL.
    if (cod == 0 && ::fsync(fd) != 0 && errno != EINVAL) cod = errno;
    if (::close(fd) != 0 && cod == 0 && errno != EINTR) cod = errno;
    if (cod == 0) return std::nullopt;
    return propozitie(cauza(cod, true)) +
           QStringLiteral(" Fisierul a fost rescris pe loc si poate fi stricat.");
}

} // namespace

RezultatCitire incarca_setari(const QString& cale) {
    // Non-blocking, so a FIFO does not wait for a writer; what was opened is
    // then checked through its descriptor, so nothing can be swapped in between.
    const int fd =
        ::open(QFile::encodeName(cale).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int cod = errno;
        if (cod == ENOENT) return fara_fisier();
        return esec(0, QStringLiteral("nu poate fi deschis: %1").arg(cauza(cod, false)));
    }
    const auto inchide = qScopeGuard([fd] { ::close(fd); });
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return esec(0, QStringLiteral("nu poate fi citit: %1").arg(cauza(errno, false)));
    if (!S_ISREG(st.st_mode))
        return esec(0, QStringLiteral("nu poate fi folosit: %1")
                           .arg(S_ISDIR(st.st_mode) ? ESTE_DIRECTOR : NU_E_FISIER));

    // Read on only until the twelfth line has ended: a line ends at CR, at LF
    // that does not follow a CR, or at the end of the file, as the parser sees it.
    QByteArray date;
    int capete = 0;
    char precedent = '\0';
    char bucata[4096];
    while (capete < NR_LINII_SETARI) {
        const qsizetype loc =
            std::min<qsizetype>(qsizetype(sizeof bucata), MARIME_MAXIMA_SETARI - date.size());
        // At the limit one byte more tells a file that ends there from one that
        // goes on.
        const ssize_t n = citeste_bucata(fd, bucata, loc > 0 ? loc : 1);
        if (n < 0) return esec(0, QStringLiteral("nu poate fi citit: %1").arg(cauza(errno, false)));
        if (n == 0) break;
        if (loc == 0)
            return esec(capete + 1, QStringLiteral("este prea lunga (primele %1 linii trebuie sa "
                                                   "incapa in %2 de octeti)")
                                        .arg(NR_LINII_SETARI)
                                        .arg(MARIME_MAXIMA_SETARI));
        for (ssize_t k = 0; k < n; ++k) {
            if (bucata[k] == '\r' || (bucata[k] == '\n' && precedent != '\r')) ++capete;
            precedent = bucata[k];
        }
        date.append(bucata, n);
    }
    return citeste_setari(date);
}

std::optional<QString> salveaza_setari(const QString& cale, const Setari& s) {
    // Without a folder there is nowhere to write: a relative name would be
    // made whole with an empty current path and land in the root folder.
    if (QDir::isRelativePath(cale)) return QStringLiteral("Directorul curent nu mai exista.");
    const QByteArray date = scrie_setari(s);
    if (date.size() > MARIME_MAXIMA_SETARI)
        return QStringLiteral("Numele jucatorilor sunt prea lungi: fisierul ar avea %1 de octeti, "
                              "iar la pornire se citesc cel mult %2.")
            .arg(date.size())
            .arg(MARIME_MAXIMA_SETARI);

    // Checked here, through the link if it is one, as the replace below goes
    // through it too: a folder, FIFO or device must not be replaced by a file.
    const QByteArray nativ = QFile::encodeName(cale);
    struct stat st {};
    const bool exista = ::stat(nativ.constData(), &st) == 0;
    if (exista && !S_ISREG(st.st_mode))
        return propozitie(S_ISDIR(st.st_mode) ? ESTE_DIRECTOR : NU_E_FISIER);
    if (exista && ::access(nativ.constData(), W_OK) != 0) return propozitie(cauza(errno, true));

    const QString neschimbat =
        exista ? QStringLiteral(" Fisierul vechi a ramas neschimbat.") : QString();
    QSaveFile f(cale);
    // Unbuffered, so that every byte reaches the temporary file inside write()
    // and a full disk shows there. Buffered, the bytes would go out in
    // commit()'s own flush, whose failure it does not notice: it would rename a
    // cut-off file over the good one (QTBUG-75077).
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int cod = cod_eroare(f, errno);
        if (exista && (cod == EACCES || cod == EPERM || cod == EROFS))
            return scrie_pe_loc(nativ, date);
        return propozitie(cauza(cod, true, f.errorString()));
    }
    // A short write is retried; only the next one reports why it stopped.
    for (qint64 scris = 0; scris < date.size();) {
        const qint64 n = f.write(date.constData() + scris, date.size() - scris);
        if (n <= 0) {
            const QString motiv = propozitie(cauza(cod_eroare(f, errno), true, f.errorString()));
            f.cancelWriting();
            return motiv + neschimbat;
        }
        scris += n;
    }
    // A failed rename leaves the old file where it was; QSaveFile removes the
    // temporary one.
    if (!f.commit())
        return propozitie(cauza(cod_eroare(f, errno), true, f.errorString())) + neschimbat;
    return std::nullopt;
}

} // namespace dovek
