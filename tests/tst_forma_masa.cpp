// The table window as the user first sees it: caption, size, menu, every kind
// of control at its place, the stacking of the hands, the pointer moves and
// closing the program, also in the middle of a game.

#include "tests/ajutor_masa.h"
#include "platform/runtime.h"
#include "settings/forma_optiuni.h"
#include "table/forma_carti.h"
#include "table/forma_masa.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using dovek::FormaMasa;

using test::misca_mouse;

class TstFormaMasa : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<FormaMasa> masa_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QDir::setCurrent(dir_.path()); // no settings file: the defaults
        QApplication::setApplicationName(QStringLiteral("dovek"));
        rt::seteaza_scala_pauzelor(0);
    }
    void init() {
        rt::reseteaza_pentru_teste();
        masa_ = std::make_unique<FormaMasa>();
        masa_->show();
    }
    void cleanup() {
        masa_.reset();
        dovek::unload_forma_carti();
        rt::reseteaza_pentru_teste();
    }

    void fereastra() {
        QCOMPARE(masa_->windowTitle(), QStringLiteral("Dovek v3.2"));
        QCOMPARE(masa_->centralWidget()->size(), QSize(1159, 736));
        QCOMPARE(masa_->minimumSize(), masa_->maximumSize()); // not resizable
        QVERIFY(!(masa_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(masa_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!masa_->windowIcon().isNull());
        QCOMPARE(masa_->menuBar()->actions().size(), 1);
        // The picture set is loaded at the first game, not before.
        QVERIFY(!dovek::forma_carti_incarcata());
    }

    void meniul() {
        const auto titluri = masa_->menuBar()->actions();
        QCOMPARE(titluri[0]->text(), QStringLiteral("Joc..."));
        const auto elemente = titluri[0]->menu()->actions();
        QStringList texte;
        for (auto* a : elemente) texte << a->text();
        QCOMPARE(texte, (QStringList{"Joc nou", "Optiuni...", "Iesire program"}));
        QVERIFY(elemente[0]->menu());
        QStringList jucatori;
        for (auto* a : elemente[0]->menu()->actions()) {
            jucatori << a->text();
            QVERIFY(a->shortcut().isEmpty());
            QVERIFY(!a->isSeparator());
        }
        QCOMPARE(jucatori, (QStringList{"3 jucatori", "4 Jucatori", "5 jucatori", "6 jucatori"}));
        for (int n = 3; n <= 6; ++n) QCOMPARE(masa_->mjucatori[n], elemente[0]->menu()->actions()[n - 3]);
        // The bar and the drop-downs share one font, not the window's.
        QCOMPARE(masa_->mjoc->font(), masa_->menuBar()->font());
        QCOMPARE(masa_->mjocnou->font(), masa_->menuBar()->font());
    }

    void fundalul_nescalat_din_colt() {
        const QImage poza = QImage(QStringLiteral(":/fundal.png")).convertToFormat(QImage::Format_RGB32);
        const QImage masa = masa_->suprafata->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(masa.size(), QSize(1159, 736));
        for (const QPoint p : {QPoint(0, 0), QPoint(579, 368), QPoint(1158, 735)})
            QCOMPARE(masa.pixel(p), poza.pixel(p));
    }

    void optiunea_dezactivata_gri_cu_umbra_alba() {
        // Grey text (0x808080) over a white copy one pixel down and right.
        auto* l = masa_->label_licitare_joc[3];
        l->show();
        l->setEnabled(false);
        const QImage img = masa_->suprafata->grab(l->geometry().adjusted(0, 0, 1, 1)).toImage();
        int gri = 0, alb = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                gri += (c & 0xFFFFFF) == 0x808080;
                // Smoothed edges: nearly white is white here; the table is far darker.
                alb += qRed(c) >= 0xE8 && qGreen(c) >= 0xE8 && qBlue(c) >= 0xE8;
            }
        QVERIFY2(gri >= 10 && alb >= 10, qPrintable(QStringLiteral("%1 grey, %2 white").arg(gri).arg(alb)));
    }

    // Pixels are twips / 15: every seat, the middle of the table and every bid choice.
    void controale_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("loc");
        QTest::addColumn<QSize>("marime"); // empty: sized to its text
        QTest::addColumn<QString>("font");  // empty: a picture
        QTest::addColumn<QString>("text");
        const QSize carte(71, 96), sageata(32, 32), text;
        const QString bold = QStringLiteral("MS Sans Serif 8.25 bold");
        const struct {
            const char* nume;
            QPoint jucator, rand, decartat, slot1, slot8;
        } locuri[6] = {
            // name       label_jucator  image_rand   image_carti_decartate  slot 1      slot 8
            {"ZEFU",   {245, 608}, {304, 648}, {200, 504}, {232, 632}, {120, 632}},
            {"VEKA",   {24, 536},  {24, 552},  {152, 320}, {8, 432},   {8, 208}},
            {"BUZNEL", {131, 120}, {88, 16},   {200, 136}, {120, 8},   {232, 8}},
            {"IRO",    {431, 120}, {384, 16},  {448, 136}, {416, 8},   {528, 8}},
            {"PELOT",  {648, 192}, {656, 160}, {488, 320}, {632, 208}, {632, 432}},
            {"TOLMER", {544, 608}, {600, 648}, {448, 504}, {528, 632}, {416, 632}},
        };
        for (int p = 1; p <= 6; ++p) {
            const auto& l = locuri[p - 1];
            QTest::addRow("label_jucator %d", p)
                << QString("label_jucator %1").arg(p) << l.jucator << text << bold << l.nume;
            QTest::addRow("image_rand %d", p)
                << QString("image_rand %1").arg(p) << l.rand << sageata << "" << "";
            QTest::addRow("image_carti_decartate %d", p)
                << QString("image_carti_decartate %1").arg(p) << l.decartat << carte << "" << "";
            QTest::addRow("seat %d slot 1", p)
                << QString("image_carti_jucatori %1").arg(8 * p - 7) << l.slot1 << carte << "" << "";
            QTest::addRow("seat %d slot 8", p)
                << QString("image_carti_jucatori %1").arg(8 * p) << l.slot8 << carte << "" << "";
        }
        QTest::newRow("image_carti_atu") << "image_carti_atu" << QPoint(320, 320) << carte << "" << "";
        QTest::newRow("label_atu") << "label_atu" << QPoint(340, 296) << text << bold << "ATU";
        const int stanga_licitatie[9] = {776, 808, 840, 872, 904, 936, 968, 1000, 1032};
        for (int i = 0; i <= 8; ++i)
            QTest::addRow("label_licitare_joc %d", i)
                << QString("label_licitare_joc %1").arg(i) << QPoint(stanga_licitatie[i], 640)
                << text << "MS Sans Serif 13.5 bold" << QString::number(i);
    }
    void controale() {
        QFETCH(QString, control);
        QFETCH(QPoint, loc);
        QFETCH(QSize, marime);
        QFETCH(QString, font);
        QFETCH(QString, text);
        const QStringList parti = control.split(' ');
        const int i = parti.size() > 1 ? parti[1].toInt() : 0;
        QWidget* w = nullptr;
        if (parti[0] == "label_jucator") w = masa_->label_jucator[i];
        else if (parti[0] == "image_rand") w = masa_->image_rand[i];
        else if (parti[0] == "image_carti_jucatori") w = masa_->image_carti_jucatori[i];
        else if (parti[0] == "image_carti_decartate") w = masa_->image_carti_decartate[i];
        else if (parti[0] == "image_carti_atu") w = masa_->image_carti_atu;
        else if (parti[0] == "label_atu") w = masa_->label_atu;
        else if (parti[0] == "label_licitare_joc") w = masa_->label_licitare_joc[i];
        QVERIFY(w);
        QCOMPARE(w->pos(), loc);
        if (marime.isValid()) QCOMPARE(w->size(), marime);
        QVERIFY(w->isHidden());
        auto* l = qobject_cast<rt::Label*>(w);
        QCOMPARE(l != nullptr, !font.isEmpty());
        if (!l) return;
        QCOMPARE(test::font_de(l), font);
        QCOMPARE(l->Caption(), text);
        QCOMPARE(l->ForeColor(), quint32(0x80000012));
    }

    void locurile_cartilor_si_ceasul() {
        // The human's card places take no click until his turn; the others do.
        for (int i = 1; i <= 48; ++i) QCOMPARE(masa_->image_carti_jucatori[i]->isEnabled(), i > 8);
        QVERIFY(!masa_->Timer1->Enabled());
        QCOMPARE(masa_->Timer1->Interval(), 10);
    }

    void sagetile_arata_spre_locul_urmator() {
        // Seats 3 and 4 share the right arrow, seats 1 and 6 the left one.
        auto poza = [&](int p) { return masa_->image_rand[p]->Picture().toImage(); };
        QCOMPARE(poza(3), poza(4));
        QCOMPARE(poza(1), poza(6));
        QVERIFY(poza(1) != poza(3));
        QVERIFY(poza(2) != poza(5));
    }

    void banda_vizibila_a_unei_carti_ajunge_la_ea_data() {
        QTest::addColumn<QPoint>("punct");
        QTest::addColumn<int>("index");
        // Seat 1: slot 3 at x 200, slot 2 over it from x 216.
        QTest::newRow("seat 1 slot 3 strip") << QPoint(208, 680) << 3;
        QTest::newRow("seat 1 slot 1 whole") << QPoint(280, 680) << 1;
        // Seat 3: slot 8 on top, slot 1 shows its left strip.
        QTest::newRow("seat 3 slot 1 strip") << QPoint(128, 56) << 17;
        // Seat 2: slot 1 lowest and on top; slot 2 shows a strip along its top.
        QTest::newRow("seat 2 slot 2 strip") << QPoint(40, 410) << 10;
        // Seat 5: slot 8 lowest and on top.
        QTest::newRow("seat 5 slot 1 strip") << QPoint(660, 215) << 33;
    }
    void banda_vizibila_a_unei_carti_ajunge_la_ea() {
        QFETCH(QPoint, punct);
        QFETCH(int, index);
        for (int i = 1; i <= 48; ++i) {
            masa_->image_carti_jucatori[i]->show();
            masa_->image_carti_jucatori[i]->setEnabled(true);
        }
        auto* tinta = qobject_cast<rt::Image*>(masa_->suprafata->childAt(punct));
        QVERIFY(tinta);
        QCOMPARE(tinta->Index(), index);
        QSignalSpy clicuri(tinta, &rt::Image::Click);
        QTest::mouseClick(tinta, Qt::LeftButton, {}, tinta->mapFrom(masa_->suprafata, punct));
        QCOMPARE(clicuri.count(), 1);
        QCOMPARE(clicuri[0][0].toInt(), index);
    }

    void optiunea_aprinsa_sub_indicator_si_stinsa_pe_masa() {
        auto* l = masa_->label_licitare_joc[0];
        l->show();
        misca_mouse(l, QPoint(2, 2));
        // The move over the choice is its own and does not reach the bare window.
        QCOMPARE(l->ForeColor(), quint32(0x00C000C0));
        misca_mouse(masa_->suprafata, QPoint(760, 700));
        QCOMPARE(l->ForeColor(), quint32(0x80000012));
    }

    void fereastra_distrusa_cat_timp_jocul_asteapta() {
        // The game waits inside the destroyed window's handler; it must unwind
        // without touching the window and leave no abandon behind for the next one.
        FormaMasa* masa = masa_.release();
        bool distrusa = false;
        QTimer t;
        connect(&t, &QTimer::timeout, [&] {
            if (!distrusa && masa->stare.asteapta) {
                distrusa = true;
                t.stop();
                delete masa;
            }
        });
        t.start(1);
        masa->mjucatori[3]->trigger();
        QVERIFY(distrusa);
        QVERIFY(!dovek::forma_masa());
        QVERIFY(!rt::abandon_cerut());
        QCOMPARE(rt::adancime_asteptari(), 0);
    }

    void inchidere_data() {
        QTest::addColumn<bool>("din_meniu");
        QTest::addColumn<bool>("in_joc");
        QTest::newRow("close box, no game") << false << false;
        QTest::newRow("menu, no game") << true << false;
        QTest::newRow("close box, game waiting") << false << true;
        QTest::newRow("menu, game waiting") << true << true;
    }
    void inchidere() {
        QFETCH(bool, din_meniu);
        QFETCH(bool, in_joc);
        FormaMasa* masa = masa_.get();
        bool inchis = false;
        int asteptari_la_inchidere = -1;
        auto inchide = [&] {
            asteptari_la_inchidere = rt::adancime_asteptari();
            inchis = true;
            if (din_meniu) masa->miesire->trigger();
            else masa->close();
        };
        if (in_joc) {
            QTimer::singleShot(0, masa, [&] { masa->mjucatori[4]->trigger(); });
            // Close once the game waits for the human (his bid or card).
            QTimer* t = new QTimer(masa);
            connect(t, &QTimer::timeout, masa, [&, t] {
                if (masa->stare.asteapta && !inchis) {
                    t->stop();
                    inchide();
                }
            });
            t->start(1);
        } else {
            QTimer::singleShot(0, masa, inchide);
        }
        QTimer paza; // a hang fails instead of blocking the suite
        paza.setSingleShot(true);
        connect(&paza, &QTimer::timeout, [] { QCoreApplication::exit(3); });
        paza.start(10000);
        const int stare_iesire = QCoreApplication::exec();
        QCOMPARE(stare_iesire, 0);
        QVERIFY(inchis);
        QVERIFY(rt::se_termina());
        QVERIFY(!masa->isVisible());
        QVERIFY(!masa->joc_in_desfasurare());
        QVERIFY(!dovek::forma_optiuni_exista());
        if (in_joc) QVERIFY(asteptari_la_inchidere >= 1);
        else QVERIFY(!dovek::forma_carti_incarcata());
    }
};

QTEST_MAIN(TstFormaMasa)
#include "tst_forma_masa.moc"
