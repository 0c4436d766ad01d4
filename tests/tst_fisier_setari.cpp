// The settings file on its own: the bytes written, what reads back, and which
// line a bad file is blamed on.

#include "settings/fisier_setari.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
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
        QTest::newRow("director inexistent") << QStringLiteral("nu/exista/dovek.ini");
        QTest::newRow("calea e un director") << QStringLiteral("dovek.ini");
    }
    void salvare_imposibila() {
        QFETCH(QString, relativ);
        QTemporaryDir dir;
        const QString cale = dir.filePath(relativ);
        const bool director = !relativ.contains(QLatin1Char('/'));
        if (director) {
            QVERIFY(QDir(dir.path()).mkdir(relativ));
            QVERIFY(scrie(cale + QStringLiteral("/interior"), "vechi"));
        }
        const auto motiv = dovek::salveaza_setari(cale, Setari{});
        QVERIFY(motiv.has_value());
        QVERIFY(!motiv->isEmpty());
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

        QVERIFY(motiv.has_value());
        QCOMPARE(citeste(cale), inainte);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("dovek.ini")});
    }
#endif
};

QTEST_GUILESS_MAIN(TestFisierSetari)
#include "tst_fisier_setari.moc"
