// The runtime layer: conversions, sleeping waits, the precise pause timer,
// unwinding on close and abandon, message boxes, random numbers and a disabled
// window that keeps its look.

#include "platform/runtime.h"

#include <QApplication>
#include <QAction>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

namespace {
double cpu_secunde() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

// Counts the events of one type that get past the application's filters to an object.
class Numarator : public QObject {
public:
    QEvent::Type tip = QEvent::None;
    int numar = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        numar += e->type() == tip;
        return false;
    }
};
} // namespace

class TstRuntime : public QObject {
    Q_OBJECT
private slots:
    void init() {
        rt::reseteaza_pentru_teste();
        rt::seteaza_scala_pauzelor(1.0);
    }

    void twips_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixeli");
        QTest::newRow("one pixel") << 15 << 1;
        QTest::newRow("table width") << 17385 << 1159;
        QTest::newRow("table height") << 11040 << 736;
        QTest::newRow("card back width") << 1065 << 71;
        QTest::newRow("card height") << 1440 << 96;
        QTest::newRow("bid cell left, rounded") << 11350 << 757;
        QTest::newRow("zero") << 0 << 0;
    }
    void twips() {
        QFETCH(int, twips);
        QFETCH(int, pixeli);
        QCOMPARE(rt::px(twips), pixeli);
    }

    void culori_data() {
        QTest::addColumn<quint32>("valoare");
        QTest::addColumn<QColor>("asteptat");
        QTest::newRow("table background") << quint32(0x00D8E9EC) << QColor(0xEC, 0xE9, 0xD8);
        QTest::newRow("made: green") << quint32(0x0000FF00) << QColor(0, 255, 0);
        QTest::newRow("missed: red") << quint32(0x000000FF) << QColor(255, 0, 0);
        QTest::newRow("bonus: light magenta") << quint32(0x00FF80FF) << QColor(255, 128, 255);
        QTest::newRow("penalty: light yellow") << quint32(0x0080FFFF) << QColor(255, 255, 128);
        QTest::newRow("highlight: purple") << quint32(0x00C000C0) << QColor(192, 0, 192);
        QTest::newRow("frame caption: dark red") << quint32(0x000000C0) << QColor(192, 0, 0);
        // System colours, read from a palette whose four roles all differ.
        QTest::newRow("window text") << quint32(0x80000008) << QColor(10, 20, 30);
        QTest::newRow("button face") << quint32(0x8000000F) << QColor(40, 50, 60);
        QTest::newRow("button text") << quint32(0x80000012) << QColor(70, 80, 90);
    }
    void culori() {
        QFETCH(quint32, valoare);
        QFETCH(QColor, asteptat);
        const QPalette vechi = QApplication::palette();
        const auto refa = qScopeGuard([&] { QApplication::setPalette(vechi); });
        QPalette pal = vechi;
        pal.setColor(QPalette::WindowText, QColor(10, 20, 30));
        pal.setColor(QPalette::Button, QColor(40, 50, 60));
        pal.setColor(QPalette::ButtonText, QColor(70, 80, 90));
        pal.setColor(QPalette::Window, QColor(100, 110, 120));
        QApplication::setPalette(pal);
        QCOMPARE(rt::culoare(valoare), asteptat);
    }

    void fonturile_inlocuite_au_metrica_potrivita() {
        rt::instaleaza_fonturi();
        const QFontInfo ms(rt::font(QStringLiteral("MS Sans Serif"), 8.25, true));
        QCOMPARE(ms.family(), QStringLiteral("Liberation Sans"));
        QVERIFY(ms.bold());
        const QFontInfo calibri(rt::font(QStringLiteral("Calibri"), 9.75, true));
        QCOMPARE(calibri.family(), QStringLiteral("Carlito"));
    }

    void asteptarea_se_incheie_la_trezire() {
        bool gata = false;
        QTimer::singleShot(20, [&] {
            gata = true;
            rt::trezeste();
        });
        rt::asteapta_pana([&] { return gata; });
        QVERIFY(gata);
        QCOMPARE(rt::adancime_asteptari(), 0);
    }

    void trezirea_fara_conditie_nu_incheie_asteptarea() {
        int treziri = 0;
        bool gata = false;
        QTimer t;
        connect(&t, &QTimer::timeout, [&] {
            if (++treziri == 3) gata = true;
            rt::trezeste();
        });
        t.start(5);
        rt::asteapta_pana([&] { return gata; });
        QCOMPARE(treziri, 3);
    }

    void asteptari_imbricate() {
        bool interior = false, exterior = false;
        int adancime_maxima = 0;
        QTimer::singleShot(5, [&] {
            QTimer::singleShot(5, [&] {
                adancime_maxima = rt::adancime_asteptari();
                exterior = true; // the outer condition holds first: it must wait for the inner
                interior = true;
                rt::trezeste();
            });
            rt::asteapta_pana([&] { return interior; });
        });
        rt::asteapta_pana([&] { return exterior; });
        QCOMPARE(adancime_maxima, 2);
        QCOMPARE(rt::adancime_asteptari(), 0);
    }

    void terminarea_desfasoara_toate_asteptarile() {
        int desfasurate = 0;
        QTimer::singleShot(5, [&] {
            rt::ruleaza_protejat([&] {
                QTimer::singleShot(5, [] { rt::termina_programul(); });
                try {
                    rt::asteapta_pana([] { return false; });
                } catch (const rt::Desfasurare&) {
                    ++desfasurate;
                    throw;
                }
            });
        });
        QVERIFY_THROWS_EXCEPTION(rt::Desfasurare, rt::asteapta_pana([] { return false; }));
        QCOMPARE(desfasurate, 1);
        QVERIFY(rt::se_termina());
    }

    void dupa_cerere_asteptarile_noi_se_desfasoara_imediat_data() {
        QTest::addColumn<bool>("inchidere"); // closing the program, else abandoning the game
        QTest::newRow("after an abandon") << false;
        QTest::newRow("after closing") << true;
    }
    void dupa_cerere_asteptarile_noi_se_desfasoara_imediat() {
        QFETCH(bool, inchidere);
        inchidere ? rt::termina_programul() : rt::abandoneaza_jocul();
        // An event loop entered by mistake runs this timer, which ends the wait without
        // unwinding, so the fault shows here instead of hanging.
        bool bucla_intrata = false;
        QTimer paza;
        connect(&paza, &QTimer::timeout, [&] {
            bucla_intrata = true;
            rt::trezeste();
        });
        paza.start(0);
        QStringList mesaje;
        rt::seteaza_inregistrare_mesaje([&](const QString& t) { mesaje << t; });
        const auto refa = qScopeGuard([] { rt::seteaza_inregistrare_mesaje(nullptr); });
        QVERIFY_THROWS_EXCEPTION(rt::Desfasurare, rt::asteapta_pana([&] { return bucla_intrata; }));
        QVERIFY_THROWS_EXCEPTION(rt::Desfasurare, rt::mesaj(QStringLiteral("x")));
        QVERIFY(!bucla_intrata);
        QCOMPARE(mesaje, QStringList{});
    }

    void abandonul_inchide_mesajul_deschis() {
        QString text;
        bool ramas_deschis = false;
        QTimer paza; // closes a box the abandon left up, so the fault fails instead of hanging
        connect(&paza, &QTimer::timeout, [&] {
            ramas_deschis = true;
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        QTimer::singleShot(0, &paza, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                text = box->text();
            rt::abandoneaza_jocul();
            paza.start(1000);
        });
        QVERIFY_THROWS_EXCEPTION(rt::Desfasurare, rt::mesaj(QStringLiteral("Ai culoare.")));
        QCOMPARE(text, QStringLiteral("Ai culoare.")); // the box was up when the abandon came
        QVERIFY2(!ramas_deschis, "the abandon did not end the message box");
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void abandonul_se_incheie_si_permite_asteptari_noi() {
        QTimer::singleShot(5, [] { rt::abandoneaza_jocul(); });
        QVERIFY_THROWS_EXCEPTION(rt::Desfasurare, rt::asteapta_pana([] { return false; }));
        QVERIFY(rt::abandon_cerut());
        rt::abandonul_s_a_incheiat();
        bool gata = false;
        QTimer::singleShot(5, [&] {
            gata = true;
            rt::trezeste();
        });
        rt::asteapta_pana([&] { return gata; });
        QVERIFY(!rt::se_termina());
    }

    void ruleaza_protejat_opreste_desfasurarea() {
        rt::abandoneaza_jocul();
        bool inainte = false, dupa = false;
        QVERIFY_THROWS_NO_EXCEPTION(rt::ruleaza_protejat([&] {
            inainte = true;
            rt::asteapta_pana([] { return true; });
            dupa = true;
        }));
        QVERIFY(inainte);
        QVERIFY(!dupa);
    }

    void pauza_data() {
        QTest::addColumn<int>("ms");
        QTest::newRow("Rapid") << 300;
        QTest::newRow("Lent") << 900;
    }
    void pauza() {
        // The pause lasts its full interval and sleeps: the process uses a small
        // fraction of a core while it waits.
        QFETCH(int, ms);
        rt::Timer timer;
        connect(&timer, &rt::Timer::tick, [&] {
            timer.setEnabled(false);
            rt::trezeste();
        });
        timer.setInterval(ms);
        const double cpu0 = cpu_secunde();
        QElapsedTimer ceas;
        ceas.start();
        timer.setEnabled(true);
        rt::asteapta_pana([&] { return !timer.Enabled(); });
        const qint64 trecut = ceas.elapsed();
        const double cpu = cpu_secunde() - cpu0;
        QVERIFY2(trecut >= ms, qPrintable(QString::number(trecut)));
        QVERIFY2(trecut < ms + 150, qPrintable(QString::number(trecut)));
        QVERIFY2(cpu < 0.1 * trecut / 1000.0, qPrintable(QString::number(cpu)));
    }

    void scala_zero_face_pauza_imediata() {
        rt::seteaza_scala_pauzelor(0);
        rt::Timer timer;
        int batai = 0;
        connect(&timer, &rt::Timer::tick, [&] {
            ++batai;
            timer.setEnabled(false);
            rt::trezeste();
        });
        timer.setInterval(900);
        QElapsedTimer ceas;
        ceas.start();
        timer.setEnabled(true);
        rt::asteapta_pana([&] { return !timer.Enabled(); });
        QVERIFY(ceas.elapsed() < 900); // unscaled, the pause would last all 900 ms
        QCOMPARE(batai, 1);
        QCOMPARE(timer.Interval(), 900); // the property keeps the unscaled length
    }

    void timerul_oprit_nu_bate() {
        rt::Timer timer;
        QSignalSpy spion(&timer, &rt::Timer::tick);
        timer.setInterval(10);
        timer.setEnabled(true);
        timer.setEnabled(false);
        QTest::qWait(40);
        QCOMPARE(spion.count(), 0);
    }

    void mesajele_se_inregistreaza() {
        QStringList vazute;
        rt::seteaza_inregistrare_mesaje([&](const QString& t) { vazute << t; });
        rt::mesaj(QStringLiteral("Ai atu. Nu incerca sa trisezi !!"));
        rt::seteaza_inregistrare_mesaje(nullptr);
        QCOMPARE(vazute, QStringList{QStringLiteral("Ai atu. Nu incerca sa trisezi !!")});
    }

    void aleator_in_interval_si_repetabil() {
        rt::seteaza_samanta(42);
        QList<float> prima;
        for (int i = 0; i < 1000; ++i) {
            const float r = rt::aleator();
            QVERIFY(r >= 0.0f && r < 1.0f);
            prima << r;
        }
        rt::seteaza_samanta(42);
        for (int i = 0; i < 1000; ++i) QCOMPARE(rt::sursa_aleatoare().urmator(), prima[i]);
        // Every seat is drawn: 1 + int(r * 6) covers 1..6.
        QSet<int> locuri;
        for (int i = 0; i < 1000; ++i) locuri.insert(1 + int(rt::aleator() * 6.0f));
        QCOMPARE(locuri.size(), 6);
    }

    void fereastra_dezactivata_nu_primeste_intrare_dar_arata_la_fel_data() {
        QTest::addColumn<int>("tip"); // the event the input brings to the control or action
        QTest::addColumn<QString>("taste"); // a shortcut typed on the window
        QTest::newRow("click") << int(QEvent::MouseButtonPress) << "";
        QTest::newRow("key press") << int(QEvent::KeyPress) << "";
        QTest::newRow("mouse move") << int(QEvent::MouseMove) << "";
        QTest::newRow("wheel") << int(QEvent::Wheel) << "";
        QTest::newRow("control's shortcut") << int(QEvent::Shortcut) << "Ctrl+S";
        QTest::newRow("menu action's shortcut") << int(QEvent::Shortcut) << "Ctrl+D";
    }
    void fereastra_dezactivata_nu_primeste_intrare_dar_arata_la_fel() {
        QFETCH(int, tip);
        QFETCH(QString, taste);
        QWidget fereastra;
        auto* buton = new QPushButton(QStringLiteral("x"), &fereastra);
        buton->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
        buton->setMouseTracking(true); // moves without a button held reach it
        auto* actiune = new QAction(&fereastra);
        actiune->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
        fereastra.addAction(actiune);
        Numarator numarator;
        numarator.tip = QEvent::Type(tip);
        buton->installEventFilter(&numarator);
        actiune->installEventFilter(&numarator);
        fereastra.show();
        QApplication::setActiveWindow(&fereastra);
        buton->setFocus();
        auto trimite = [&] {
            const QPointF p(5, 5), g = buton->mapToGlobal(p);
            QMouseEvent miscare(QEvent::MouseMove, p, g, Qt::NoButton, Qt::NoButton, {});
            QWheelEvent rotita(p, g, {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            if (!taste.isEmpty())
                QTest::keySequence(&fereastra, QKeySequence(taste));
            else if (tip == QEvent::MouseButtonPress)
                QTest::mouseClick(buton, Qt::LeftButton);
            else if (tip == QEvent::KeyPress)
                QTest::keyClick(buton, Qt::Key_A);
            else
                QApplication::sendEvent(buton, tip == QEvent::Wheel ? static_cast<QEvent*>(&rotita)
                                                                    : &miscare);
        };
        rt::activeaza_fereastra(&fereastra, false);
        QVERIFY(!rt::fereastra_activa(&fereastra));
        trimite();
        QCOMPARE(numarator.numar, 0);
        QVERIFY(buton->isEnabled()); // not greyed
        rt::activeaza_fereastra(&fereastra, true);
        trimite();
        QCOMPARE(numarator.numar, 1);
    }
};

QTEST_MAIN(TstRuntime)
#include "tst_runtime.moc"
