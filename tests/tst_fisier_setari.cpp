// The settings file on its own: the bytes written, what reads back, and which
// line a bad file is blamed on.

#include "settings/fisier_setari.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using dovek::RezultatCitire;
using dovek::Setari;

namespace {

const QByteArray IMPLICIT =
    QByteArrayLiteral(" 1 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\n 2 \r\n"
                      "ZEFU\r\nVEKA\r\nBUZNEL\r\nIRO\r\nPELOT\r\nTOLMER\r\n");

// Twelve lines joined by `sep`, the last one followed by `final`.
QByteArray fisier(const QList<QByteArray>& linii, const QByteArray& sep = "\r\n",
                  const QByteArray& final = "\r\n") {
    return linii.join(sep) + final;
}

QList<QByteArray> linii_implicite() {
    return {" 1 ",  " 1 ",  " 0 ",    " 1 ", " 1 ",   " 2 ",
            "ZEFU", "VEKA", "BUZNEL", "IRO", "PELOT", "TOLMER"};
}

QByteArray citeste(const QString& cale) {
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly)) return "<lipsa>";
    return f.readAll();
}

bool scrie(const QString& cale, const QByteArray& date) {
    QFile f(cale);
    return f.open(QIODevice::WriteOnly) && f.write(date) == date.size();
}

} // namespace

Q_DECLARE_METATYPE(dovek::Setari)

namespace dovek {
// Lets a failed comparison show both sides.
char* toString(const Setari& s) {
    QStringList parti;
    for (int v : {s.animatie, s.joc, s.joc_frunte, s.premiere, s.repetare, s.punctare})
        parti << QString::number(v);
    for (const QString& n : s.nume)
        parti << QLatin1Char('"') + n + QLatin1Char('"');
    return qstrdup(parti.join(QLatin1Char('|')).toUtf8().constData());
}
} // namespace dovek

class TestFisierSetari : public QObject {
    Q_OBJECT
private slots:
    void implicite_scrise_exact() {
        const QByteArray date = dovek::scrie_setari(Setari{});
        QCOMPARE(date.size(), 70);
        QCOMPARE(date, IMPLICIT);
    }

    void dus_intors_data() {
        QTest::addColumn<Setari>("s");
        Setari a;
        a.animatie = 3;
        a.joc = 2;
        a.joc_frunte = 1;
        a.premiere = 0;
        a.repetare = 2;
        a.punctare = 1;
        a.nume = {QStringLiteral("  Ion  "),
                  QStringLiteral("\"Vasile\", zis \"Vasi\""),
                  QString(),
                  QStringLiteral("Ștefan Țăranu"),
                  QStringLiteral("\t"),
                  QStringLiteral("a,b;c=d # [x]")};
        QTest::newRow("toate schimbate") << a;
        Setari b;
        b.nume = {QString(), QString(), QString(), QString(), QString(), QString()};
        QTest::newRow("nume goale") << b;
        Setari c;
        c.animatie = 2;
        c.premiere = 2;
        c.joc_frunte = 2;
        QTest::newRow("bife gri") << c;
    }
    void dus_intors() {
        QFETCH(Setari, s);
        const QByteArray date = dovek::scrie_setari(s);
        QCOMPARE(date.count("\r\n"), 12);
        QVERIFY(date.endsWith("\r\n"));
        const RezultatCitire r = dovek::citeste_setari(date);
        QVERIFY2(r.ok(), qPrintable(r.motiv));
        QCOMPARE(r.setari, s);
    }

    void rand_nou_in_nume_nu_strica_liniile() {
        Setari s;
        s.nume[0] = QStringLiteral("un\r\ndoi");
        s.nume[1] = QStringLiteral("trei\npatru");
        const QByteArray date = dovek::scrie_setari(s);
        QCOMPARE(date.count('\n'), 12);
        const RezultatCitire r = dovek::citeste_setari(date);
        QVERIFY(r.ok());
        QCOMPARE(r.setari.nume[0], QStringLiteral("un  doi"));
        QCOMPARE(r.setari.nume[1], QStringLiteral("trei patru"));
        QCOMPARE(r.setari.nume[5], QStringLiteral("TOLMER"));
    }

    void citire_buna_data() {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<Setari>("asteptat");
        const Setari implicit;
        QList<QByteArray> l = linii_implicite();

        QTest::newRow("implicit") << IMPLICIT << implicit;
        QTest::newRow("mai mult de 12 linii")
            << IMPLICIT + "3\r\nnu e numar\r\n\r\n\xff\xfe" << implicit;
        QTest::newRow("a 12-a fara sfarsit de linie") << fisier(l, "\r\n", "") << implicit;
        QTest::newRow("doar LF") << fisier(l, "\n", "\n") << implicit;
        QTest::newRow("doar CR") << fisier(l, "\r", "\r") << implicit;
        QTest::newRow("amestecat") << QByteArray(" 1 \r\n 1 \n 0 \r 1 \r\n 1 \n 2 \r"
                                                 "ZEFU\nVEKA\r\nBUZNEL\rIRO\nPELOT\r\nTOLMER")
                                   << implicit;
        QTest::newRow("marca UTF-8 la inceput") << "\xEF\xBB\xBF" + IMPLICIT << implicit;

        Setari lent = implicit;
        lent.animatie = 3;
        lent.punctare = 1;
        QList<QByteArray> ll = l;
        ll[0] = "3";
        ll[5] = "\t1\t";
        QTest::newRow("Lent si 2n+1, fara blancuri si cu tab") << fisier(ll) << lent;
        ll[0] = "+3";
        ll[5] = "  +0001   ";
        QTest::newRow("semn si zerouri") << fisier(ll) << lent;

        Setari gri = implicit;
        gri.repetare = 2;
        QList<QByteArray> lg = l;
        lg[4] = " 2 ";
        QTest::newRow("2 pe bifa") << fisier(lg) << gri;

        Setari latin = implicit;
        latin.nume[2] = QStringLiteral("Jos\u00e9 M\u00fcller");
        QList<QByteArray> lat = l;
        lat[8] = "Jos\xe9 M\xfcller";
        QTest::newRow("nume Latin-1") << fisier(lat) << latin;

        Setari blanc = implicit;
        blanc.nume[0] = QStringLiteral("  A B  ");
        blanc.nume[5] = QString();
        QList<QByteArray> lb = l;
        lb[6] = "  A B  ";
        lb[11] = "";
        QTest::newRow("nume cu blancuri si gol") << fisier(lb) << blanc;
        // A twelfth line that is empty needs its line end, or it is not there.
        QTest::newRow("a 12-a goala, cu sfarsit de linie") << fisier(lb, "\n", "\n") << blanc;
    }
    void citire_buna() {
        QFETCH(QByteArray, date);
        QFETCH(Setari, asteptat);
        const RezultatCitire r = dovek::citeste_setari(date);
        QVERIFY2(r.ok(), qPrintable(QStringLiteral("linia %1: %2").arg(r.linie).arg(r.motiv)));
        QCOMPARE(r.setari, asteptat);
    }

    void citire_gresita_data() {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<int>("linie");
        const QList<QByteArray> l = linii_implicite();
        auto cu = [&](int linie, const QByteArray& text) {
            QList<QByteArray> x = l;
            x[linie - 1] = text;
            return fisier(x);
        };

        QTest::newRow("gol") << QByteArray() << 1;
        QTest::newRow("doar marca UTF-8") << QByteArray("\xEF\xBB\xBF") << 1;
        QTest::newRow("11 linii") << fisier(l.mid(0, 11)) << 12;
        QTest::newRow("5 linii") << fisier(l.mid(0, 5)) << 6;
        QTest::newRow("text") << cu(1, "Rapid") << 1;
        QTest::newRow("numar si text") << cu(2, " 1x ") << 2;
        QTest::newRow("fractie") << cu(1, "1.0") << 1;
        QTest::newRow("blanc in numar") << cu(1, "1 2") << 1;
        QTest::newRow("doar semn") << cu(3, " - ") << 3;
        QTest::newRow("semn dublu") << cu(3, "--1") << 3;
        QTest::newRow("linie numerica goala") << cu(4, "") << 4;
        QTest::newRow("linie numerica doar blancuri") << cu(5, " \t ") << 5;
        QTest::newRow("animatie 0") << cu(1, " 0 ") << 1;
        QTest::newRow("animatie 4") << cu(1, " 4 ") << 1;
        QTest::newRow("joc 3") << cu(2, " 3 ") << 2;
        QTest::newRow("joc 0") << cu(2, " 0 ") << 2;
        QTest::newRow("frunte 3") << cu(3, " 3 ") << 3;
        QTest::newRow("premiere -1") << cu(4, "-1 ") << 4;
        QTest::newRow("repetare 3") << cu(5, " 3 ") << 5;
        QTest::newRow("punctare 0") << cu(6, " 0 ") << 6;
        QTest::newRow("punctare 3") << cu(6, " 3 ") << 6;
        // Large enough to wrap a 16-bit, 32-bit and 64-bit counter onto 1.
        QTest::newRow("65537") << cu(1, " 65537 ") << 1;
        QTest::newRow("2^32+1") << cu(1, "4294967297") << 1;
        QTest::newRow("2^64+1") << cu(6, "18446744073709551617") << 6;
        QTest::newRow("-32769") << cu(3, "-32769") << 3;
        QTest::newRow("prima gresita castiga") << cu(2, "x").replace(" 2 \r\n", "9\r\n") << 2;
    }
    void citire_gresita() {
        QFETCH(QByteArray, date);
        QFETCH(int, linie);
        const RezultatCitire r = dovek::citeste_setari(date);
        QVERIFY(r.stare == RezultatCitire::Stare::gresit);
        QCOMPARE(r.linie, linie);
        QVERIFY(!r.motiv.isEmpty());
        QCOMPARE(r.setari, Setari{});
    }

    void motivul_spune_ce_e_gresit() {
        QList<QByteArray> l = linii_implicite();
        QVERIFY(dovek::citeste_setari(fisier(l.mid(0, 7))).motiv.contains(QStringLiteral("7")));
        l[0] = " 4 ";
        const QString motiv = dovek::citeste_setari(fisier(l)).motiv;
        QVERIFY2(motiv.contains(QStringLiteral("4")) && motiv.contains(QStringLiteral("1 si 3")),
                 qPrintable(motiv));
    }

    void cale_in_directorul_curent() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString inainte = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString cale = dovek::cale_fisier_setari();
        QDir::setCurrent(inainte);
        const QFileInfo info(cale);
        QCOMPARE(info.fileName(), QStringLiteral("dovek.ini"));
        QCOMPARE(QDir(info.absolutePath()).canonicalPath(), QDir(dir.path()).canonicalPath());
    }

    void fisier_lipsa_si_fisier_director() {
        QTemporaryDir dir;
        const RezultatCitire lipsa =
            dovek::incarca_setari(dir.filePath(QStringLiteral("dovek.ini")));
        QVERIFY(lipsa.stare == RezultatCitire::Stare::fara_fisier);
        QCOMPARE(lipsa.setari, Setari{});
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("dovek.ini"))));

        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dovek.ini")));
        const RezultatCitire director =
            dovek::incarca_setari(dir.filePath(QStringLiteral("dovek.ini")));
        QVERIFY(director.stare == RezultatCitire::Stare::gresit);
        QCOMPARE(director.linie, 0);
        QVERIFY(!director.motiv.isEmpty());
    }

    void salvare_si_incarcare() {
        QTemporaryDir dir;
        const QString cale = dir.filePath(QStringLiteral("dovek.ini"));
        QVERIFY(scrie(cale, QByteArray(5000, 'x'))); // longer than what replaces it
        Setari s;
        s.animatie = 2;
        s.nume[3] = QStringLiteral("Ană");
        QCOMPARE(dovek::salveaza_setari(cale, s), std::nullopt);
        QCOMPARE(citeste(cale), dovek::scrie_setari(s));
        const RezultatCitire r = dovek::incarca_setari(cale);
        QVERIFY(r.ok());
        QCOMPARE(r.setari, s);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("dovek.ini")});
    }

    void salvare_imposibila_data() {
        QTest::addColumn<QString>("relativ");
        QTest::addColumn<QString>("asteptat");
        QTest::newRow("director inexistent")
            << QStringLiteral("nu/exista/dovek.ini") << QStringLiteral("Directorul nu exista.");
        QTest::newRow("calea e un director")
            << QStringLiteral("dovek.ini") << QStringLiteral("Este un director.");
    }
    void salvare_imposibila() {
        QFETCH(QString, relativ);
        QFETCH(QString, asteptat);
        QTemporaryDir dir;
        const QString cale = dir.filePath(relativ);
        const bool director = !relativ.contains(QLatin1Char('/'));
        if (director) {
            QVERIFY(QDir(dir.path()).mkdir(relativ));
            QVERIFY(scrie(cale + QStringLiteral("/interior"), "vechi"));
        }
        const auto motiv = dovek::salveaza_setari(cale, Setari{});
        QCOMPARE(motiv, std::optional<QString>(asteptat));
        if (director) {
            QVERIFY(QFileInfo(cale).isDir());
            QCOMPARE(citeste(cale + QStringLiteral("/interior")), QByteArray("vechi"));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    }

#ifdef Q_OS_UNIX
    // The disk refusing the bytes half-way (a full disk, a quota) is what the
    // temporary file is for: the old settings must survive it whole.
    void scriere_intrerupta_pastreaza_fisierul_vechi() {
        QTemporaryDir dir;
        const QString cale = dir.filePath(QStringLiteral("dovek.ini"));
        Setari vechi;
        vechi.animatie = 3;
        QCOMPARE(dovek::salveaza_setari(cale, vechi), std::nullopt);
        const QByteArray inainte = citeste(cale);

        Setari nou;
        nou.nume[0] = QString(200, QLatin1Char('N'));
        rlimit limita_veche{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limita_veche), 0);
        rlimit mica = limita_veche;
        mica.rlim_cur = 40;
        const auto semnal_vechi = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &mica), 0);
        const auto motiv = dovek::salveaza_setari(cale, nou);
        setrlimit(RLIMIT_FSIZE, &limita_veche);
        std::signal(SIGXFSZ, semnal_vechi);

        QCOMPARE(motiv,
                 std::optional<QString>(QStringLiteral(
                     "Fisierul ar depasi marimea permisa. Fisierul vechi a ramas neschimbat.")));
        QCOMPARE(citeste(cale), inainte);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("dovek.ini")});
    }

    // `tinta`: a link's target, "fifo", or none for a file of `date` that is
    // then stretched, sparse, to `marime` bytes.
    void doar_un_fisier_si_doar_12_linii_data() {
        QTest::addColumn<QString>("tinta");
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<qint64>("marime");
        QTest::addColumn<int>("linie"); // -1: read fine
        QTest::addColumn<QString>("motiv");
        const QString nu_e = QStringLiteral("nu poate fi folosit: nu este un fisier obisnuit");
        const QString lunga = QStringLiteral("este prea lunga (primele 12 linii trebuie sa "
                                             "incapa in 65536 de octeti)");
        QTest::newRow("FIFO") << "fifo" << QByteArray() << 0LL << 0 << nu_e;
        QTest::newRow("director") << "." << QByteArray() << 0LL << 0
                                  << QStringLiteral("nu poate fi folosit: este un director");
        QTest::newRow("/dev/zero") << "/dev/zero" << QByteArray() << 0LL << 0 << nu_e;
        QTest::newRow("/proc/self/mem")
            << "/proc/self/mem" << QByteArray() << 0LL << 0 << QStringLiteral("nu poate fi citit");
        QTest::newRow("1 TiB dupa linia 12") << "" << IMPLICIT << (1LL << 40) << -1 << QString();
        QTest::newRow("65536 octeti, fara sfarsit de linie")
            << "" << IMPLICIT.chopped(2) + QByteArray(65468, 'T') << 0LL << -1 << QString();
        QTest::newRow("prima linie lunga")
            << "" << QByteArray(70000, ' ') + IMPLICIT << 0LL << 1 << lunga;
    }
    void doar_un_fisier_si_doar_12_linii() {
        QFETCH(QString, tinta);
        QFETCH(QByteArray, date);
        QFETCH(qint64, marime);
        QFETCH(int, linie);
        QFETCH(QString, motiv);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("dovek.ini")));
        if (tinta == QStringLiteral("fifo"))
            QCOMPARE(mkfifo(QFile::encodeName(f.fileName()).constData(), 0600), 0);
        else if (!tinta.isEmpty())
            QVERIFY(QFile::link(tinta, f.fileName()));
        else if (!f.open(QIODevice::WriteOnly) || f.write(date) != date.size() ||
                 (marime && !f.resize(marime)))
            QSKIP("the file system holds no such file");
        f.close();
        // A reader that waits for a FIFO's writer or reads a device to its end
        // would never return; the alarm ends the run instead.
        alarm(120);
        const RezultatCitire r = dovek::incarca_setari(f.fileName());
        alarm(0);
        QCOMPARE(r.stare == RezultatCitire::Stare::citit, linie < 0);
        QCOMPARE(r.linie, std::max(linie, 0));
        QVERIFY2(r.motiv.startsWith(motiv), qPrintable(r.motiv));
    }

    // Root passes every permission check, so the folder's and the file's modes
    // bind only in a child that has become the unprivileged user 65534.
    void salvare_ca_utilizator_obisnuit_data() {
        QTest::addColumn<int>("mod_director");
        QTest::addColumn<int>("rezultat"); // 0 saved, 1 refused for want of rights
        QTest::newRow("director doar de citit, fisierul de scris: pe loc") << 0755 << 0;
        QTest::newRow("director lipicios, fisierul altcuiva: redenumirea esueaza") << 01777 << 1;
    }
    void salvare_ca_utilizator_obisnuit() {
        QFETCH(int, mod_director);
        QFETCH(int, rezultat);
        QTemporaryDir dir;
        const QString cale = dir.filePath(QStringLiteral("dovek.ini"));
        const QByteArray vechi(5000, 'x');
        QVERIFY(scrie(cale, vechi));
        QCOMPARE(chmod(QFile::encodeName(cale).constData(), 0666), 0);
        QCOMPARE(chmod(QFile::encodeName(dir.path()).constData(), mode_t(mod_director)), 0);
        const QString refuz =
            QStringLiteral("Nu aveti drept de scriere. Fisierul vechi a ramas neschimbat.");
        const pid_t pid = fork();
        if (pid == 0) {
            if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0 ||
                access(QFile::encodeName(dir.path()).constData(), X_OK) != 0)
                _exit(77);
            const auto motiv = dovek::salveaza_setari(cale, Setari{});
            _exit(!motiv ? 0 : *motiv == refuz ? 1 : 2);
        }
        int stare = -1;
        QCOMPARE(waitpid(pid, &stare, 0), pid);
        QVERIFY(WIFEXITED(stare));
        if (WEXITSTATUS(stare) == 77) QSKIP("cannot become uid 65534 or reach the folder as it");
        QCOMPARE(WEXITSTATUS(stare), rezultat);
        QCOMPARE(citeste(cale), rezultat ? vechi : IMPLICIT);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("dovek.ini")});
    }

    void director_curent_sters() {
        const QString inainte = QDir::currentPath();
        const auto inapoi = qScopeGuard([&] { QDir::setCurrent(inainte); });
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()) && dir.remove());
        const bool la_radacina = QFile::exists(QStringLiteral("/dovek.ini"));
        const QString cale = dovek::cale_fisier_setari();
        QCOMPARE(cale, QStringLiteral("dovek.ini"));
        QVERIFY(dovek::incarca_setari(cale).stare == RezultatCitire::Stare::fara_fisier);
        QCOMPARE(dovek::salveaza_setari(cale, Setari{}),
                 std::optional<QString>(QStringLiteral("Directorul curent nu mai exista.")));
        QCOMPARE(QFile::exists(QStringLiteral("/dovek.ini")), la_radacina);
    }
#endif

    // Bytes of name 1 that read as `nume` and are written back unchanged.
    void nume_dus_intors_octet_cu_octet_data() {
        QTest::addColumn<QByteArray>("octeti");
        QTest::addColumn<QString>("nume");
        QTest::newRow("Windows-1250")
            << QByteArray("\xBA\xE3 \xAAtefan \xFE") << QStringLiteral("şă Ştefan ţ");
        QTest::newRow("ș cu virgula, lipsa din 1250")
            << QByteArray("\xC8\x99") << QStringLiteral("ș");
        // In Windows-1250 "Ăş" would be 0xC3 0xBA, which is UTF-8 for "ú".
        QTest::newRow("Ăş, UTF-8 valid in 1250")
            << QByteArray("\xC4\x82\xC5\x9F") << QStringLiteral("Ăş");
    }
    void nume_dus_intors_octet_cu_octet() {
        QFETCH(QByteArray, octeti);
        QFETCH(QString, nume);
        const QByteArray date = IMPLICIT.left(30) + octeti + IMPLICIT.mid(34);
        const RezultatCitire r = dovek::citeste_setari(date);
        QCOMPARE(r.setari.nume[0], nume);
        QCOMPARE(dovek::scrie_setari(r.setari), date);
    }

    void nume_prea_lungi_nu_se_salveaza() {
        QTemporaryDir dir;
        const QString cale = dir.filePath(QStringLiteral("dovek.ini"));
        Setari s;
        s.nume[5] = QString(65472, QLatin1Char('N')); // 65536 bytes in all
        QCOMPARE(dovek::salveaza_setari(cale, s), std::nullopt);
        QCOMPARE(dovek::incarca_setari(cale).setari, s);
        s.nume[5] += QLatin1Char('N');
        QVERIFY(dovek::salveaza_setari(cale, s).value_or(QString()).startsWith(
            QStringLiteral("Numele jucatorilor sunt prea lungi")));
        QCOMPARE(dovek::incarca_setari(cale).setari.nume[5].size(), 65472);
    }
};

QTEST_GUILESS_MAIN(TestFisierSetari)
#include "tst_fisier_setari.moc"
