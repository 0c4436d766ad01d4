// The options dialog as the settings store, the start-up load and "Salvare",
// on the offscreen platform with a real table window.

#include "platform/runtime.h"
#include "settings/fisier_setari.h"
#include "settings/forma_optiuni.h"
#include "settings/incarcare_setari.h"
#include "table/forma_masa.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using dovek::forma_optiuni;
using dovek::FormaMasa;
using dovek::FormaOptiuni;

namespace {

const QByteArray IMPLICIT =
    QByteArrayLiteral(" 1 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\n 2 \r\n"
                      "ZEFU\r\nVEKA\r\nBUZNEL\r\nIRO\r\nPELOT\r\nTOLMER\r\n");
const QStringList NUME_IMPLICITE = {"ZEFU", "VEKA", "BUZNEL", "IRO", "PELOT", "TOLMER"};

QByteArray citeste(const QString& cale) {
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly)) return "<lipsa>";
    return f.readAll();
}

void scrie(const QString& cale, const QByteArray& date) {
    QFile f(cale);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(date), date.size());
}

// The dialog's controls by name and index ("optiune_joc 2"); frames by their own name.
QWidget* control(FormaOptiuni& o, const QString& nume) {
    const QString tablou = nume.section(' ', 0, 0);
    const int i = nume.section(' ', 1).toInt();
    if (tablou == "optiune_animatie") return o.optiune_animatie[i];
    if (tablou == "optiune_joc") return o.optiune_joc[i];
    if (tablou == "optiune_punctare") return o.optiune_punctare[i];
    if (tablou == "text_nume_jucatori") return o.text_nume_jucatori[i];
    const QHash<QString, QWidget*> unice = {
        {"Frame1", o.Frame1}, {"Frame2", o.Frame2}, {"Frame3", o.Frame3},
        {"Frame4", o.Frame4}, {"Frame5", o.Frame5}, {"optiune_joc_frunte", o.optiune_joc_frunte},
        {"optiune_premiere", o.optiune_premiere}, {"optiune_repetare", o.optiune_repetare},
        {"Command1", o.Command1}, {"Command2", o.Command2}, {"Command3", o.Command3}};
    return unice.value(nume);
}

// Clicks a button or box on its indicator, where a click always lands.
void clic(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

void tasteaza(QLineEdit* t, const QString& text) {
    t->setFocus();
    t->selectAll();
    if (text.isEmpty())
        QTest::keyClick(t, Qt::Key_Delete);
    else
        QTest::keyClicks(t, text);
}

struct Aratat {
    int animatie = 0, joc = 0, punctare = 0; // selected element, 0 if none
    int frunte = -1, premiere = -1, repetare = -1;
    QStringList nume;
};

int selectat(QRadioButton* const* b, int n) {
    int ales = 0;
    for (int i = 0; i < n; ++i)
        if (b[i]->isChecked()) ales = ales ? -1 : i + 1;
    return ales;
}

Aratat ce_arata(FormaOptiuni& o) {
    Aratat a;
    QRadioButton* anim[] = {o.optiune_animatie[1], o.optiune_animatie[2], o.optiune_animatie[3]};
    QRadioButton* joc[] = {o.optiune_joc[1], o.optiune_joc[2]};
    QRadioButton* punct[] = {o.optiune_punctare[1], o.optiune_punctare[2]};
    a.animatie = selectat(anim, 3);
    a.joc = selectat(joc, 2);
    a.punctare = selectat(punct, 2);
    a.frunte = FormaOptiuni::Value(o.optiune_joc_frunte);
    a.premiere = FormaOptiuni::Value(o.optiune_premiere);
    a.repetare = FormaOptiuni::Value(o.optiune_repetare);
    for (int p = 1; p <= 6; ++p)
        a.nume << o.text_nume_jucatori[p]->text();
    return a;
}

QStringList nume_la_masa(FormaMasa& m) {
    QStringList l;
    for (int p = 1; p <= 6; ++p) {
        // The score sheet header and the seat label always get the same name.
        if (m.label_nume_jucator[p]->Caption() != m.label_jucator[p]->Caption())
            l << QStringLiteral("<diferite>");
        else
            l << m.label_jucator[p]->Caption();
    }
    return l;
}

void verifica_implicite(FormaOptiuni& o) {
    const Aratat a = ce_arata(o);
    QCOMPARE(a.animatie, 1);
    QCOMPARE(a.joc, 1);
    QCOMPARE(a.punctare, 2);
    QCOMPARE(a.frunte, 0);
    QCOMPARE(a.premiere, 1);
    QCOMPARE(a.repetare, 1);
    QCOMPARE(a.nume, NUME_IMPLICITE);
    QCOMPARE(o.index_animatie, 1);
    QCOMPARE(o.index_joc, 1);
    QCOMPARE(o.index_punctare, 2);
}

} // namespace

class TestOptiuni : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString cale_;
    QString dir_vechi_;
    QStringList mesaje_;
    std::unique_ptr<FormaMasa> masa_;

    // Discards the store and lets its deferred deletion run, as between runs.
    static void fara_dialog() {
        dovek::unload_forma_optiuni();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A table window, whose construction runs the start-up load.
    FormaMasa& porneste() {
        masa_ = std::make_unique<FormaMasa>();
        return *masa_;
    }

    FormaOptiuni& deschide() {
        masa_->moptiuni_Click();
        FormaOptiuni& o = forma_optiuni();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(&o)); }();
        return o;
    }

private slots:
    void initTestCase() {
        rt::instaleaza_fonturi();
        rt::seteaza_inregistrare_mesaje([this](const QString& t) { mesaje_ << t; });
        QVERIFY(dir_.isValid());
        dir_vechi_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_.path()));
        cale_ = dovek::cale_fisier_setari();
    }
    void cleanupTestCase() {
        masa_.reset();
        fara_dialog();
        QDir::setCurrent(dir_vechi_);
    }

    void init() {
        masa_.reset();
        fara_dialog();
        // Emptied, not removed: it is the current directory.
        const QDir d(dir_.path());
        for (const QFileInfo& i :
             d.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            i.isDir() ? QDir(i.filePath()).removeRecursively() : QFile::remove(i.filePath());
        mesaje_.clear();
    }

    // ---- start-up ------------------------------------------------------------------

    void fara_fisier_implicite_si_nimic_creat() {
        FormaMasa& m = porneste();
        QVERIFY(dovek::forma_optiuni_exista());
        QVERIFY(!forma_optiuni().isVisible());
        verifica_implicite(forma_optiuni());
        QCOMPARE(nume_la_masa(m), NUME_IMPLICITE);
        QVERIFY(!m.mesaj_dupa_afisare);
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QTest::qWait(20);
        QCOMPARE(mesaje_, QStringList{});
        QVERIFY(!QFile::exists(cale_));
    }

    void salvare_implicite_70_octeti() {
        porneste();
        forma_optiuni().Command2->click();
        QCOMPARE(citeste(cale_), IMPLICIT);
        QCOMPARE(mesaje_, QStringList{});
    }

    void pornire_din_fisier_data() {
        QTest::addColumn<QByteArray>("date");
        // animatie, joc, frunte, premiere, repetare, punctare
        QTest::addColumn<QList<int>>("valori");
        QTest::addColumn<QStringList>("nume");
        QTest::addColumn<QByteArray>("scris_inapoi");

        const QByteArray schimbat =
            " 3 \r\n 2 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n"
            "  Ion  \r\n\"Vasi\", zis V\r\n\r\n\xc8\x98tefan\r\nA\tB\r\nX\r\n";
        QTest::newRow("Lent, 8-1-8, 2n+1, nume ciudate")
            << schimbat << QList<int>{3, 2, 1, 0, 0, 1}
            << QStringList{"  Ion  ", "\"Vasi\", zis V", "", QStringLiteral("Ștefan"), "A\tB", "X"}
            << schimbat;
        QTest::newRow("Normal, bife gri, fara blancuri, doar LF, linii in plus")
            << QByteArray("2\n1\n2\n2\n2\n2\na\nb\nc\nd\ne\nf\n 9 \nrest")
            << QList<int>{2, 1, 2, 2, 2, 2} << QStringList{"a", "b", "c", "d", "e", "f"}
            << QByteArray(
                   " 2 \r\n 1 \r\n 2 \r\n 2 \r\n 2 \r\n 2 \r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
        // An 8-bit file keeps its bytes through "Salvare".
        QTest::newRow("nume Windows-1250")
            << QByteArray(
                   " 1 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\n 2 \r\nJos\xe9\r\n\xaatefan\r\nc\r\nd\r\ne\r\nf")
            << QList<int>{1, 1, 0, 1, 1, 2}
            << QStringList{QStringLiteral("José"), QStringLiteral("Ştefan"), "c", "d", "e", "f"}
            << QByteArray(" 1 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\n 2 "
                          "\r\nJos\xe9\r\n\xaatefan\r\nc\r\nd\r\ne\r\nf\r\n");
    }
    void pornire_din_fisier() {
        QFETCH(QByteArray, date);
        QFETCH(QList<int>, valori);
        QFETCH(QStringList, nume);
        QFETCH(QByteArray, scris_inapoi);
        scrie(cale_, date);

        FormaMasa& m = porneste();
        FormaOptiuni& o = forma_optiuni();
        const Aratat a = ce_arata(o);
        QCOMPARE((QList<int>{a.animatie, a.joc, a.frunte, a.premiere, a.repetare, a.punctare}),
                 valori);
        QCOMPARE(o.index_animatie, valori[0]);
        QCOMPARE(o.index_joc, valori[1]);
        QCOMPARE(o.index_punctare, valori[5]);
        QCOMPARE(a.nume, nume);
        QCOMPARE(nume_la_masa(m), nume);
        QCOMPARE(m.label_nume_jucator[0]->Caption(), QStringLiteral("JOC"));
        QVERIFY(!m.mesaj_dupa_afisare);
        QCOMPARE(citeste(cale_), date); // reading never rewrites

        o.Command2->click();
        QCOMPARE(citeste(cale_), scris_inapoi);
    }

    void pornirea_seminteaza_generatorul() {
        rt::seteaza_samanta(1);
        const float fara = rt::aleator();
        rt::seteaza_samanta(1);
        porneste();
        QVERIFY(rt::aleator() != fara);
    }

    void fisier_gresit_data() {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<int>("linie");
        QTest::newRow("linia 4 in afara") << QByteArray(" 3 \r\n 2 \r\n 1 \r\n 7 \r\n 1 \r\n 1 \r\n"
                                                        "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n")
                                          << 4;
        QTest::newRow("scurt") << QByteArray(" 3 \r\n 2 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\na\r\nb\r\n")
                               << 9;
        QTest::newRow("linia 6 nu e numar")
            << QByteArray(" 3 \r\n 2 \r\n 1 \r\n 0 \r\n 1 \r\nn+5\r\na\r\nb\r\nc\r\nd\r\ne\r\nf")
            << 6;
    }
    void fisier_gresit() {
        QFETCH(QByteArray, date);
        QFETCH(int, linie);
        scrie(cale_, date);

        FormaMasa& m = porneste();
        // Nothing of the file is applied, not even the good lines before the bad one.
        verifica_implicite(forma_optiuni());
        QCOMPARE(nume_la_masa(m), NUME_IMPLICITE);
        QCOMPARE(citeste(cale_), date);
        QCOMPARE(mesaje_, QStringList{});

        m.show();
        QTRY_COMPARE(mesaje_.size(), 1);
        const QString text = mesaje_.first();
        QVERIFY2(text.contains(QDir::toNativeSeparators(cale_)), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("linia %1").arg(linie)), qPrintable(text));
        QTest::qWait(20);
        QCOMPARE(mesaje_.size(), 1);
        QCOMPARE(citeste(cale_), date);
    }

    void fisierul_e_un_director() {
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("dovek.ini")));
        FormaMasa& m = porneste();
        verifica_implicite(forma_optiuni());
        QVERIFY(m.mesaj_dupa_afisare);
        QVERIFY(m.mesaj_dupa_afisare->contains(QDir::toNativeSeparators(cale_)));
        QVERIFY(QFileInfo(cale_).isDir());
    }

    // ---- the store and its index variables --------------------------------------------

    void indexurile_urmeaza_selectia() {
        porneste();
        FormaOptiuni& o = forma_optiuni();
        o.optiune_animatie[3]->setChecked(true);
        o.optiune_joc[2]->setChecked(true);
        o.optiune_punctare[1]->setChecked(true);
        QCOMPARE(o.index_animatie, 3);
        QCOMPARE(o.index_joc, 2);
        QCOMPARE(o.index_punctare, 1);

        deschide();
        clic(o.optiune_animatie[2]);
        clic(o.optiune_joc[1]);
        clic(o.optiune_punctare[2]);
        QVERIFY(o.optiune_animatie[2]->isChecked());
        QCOMPARE(o.index_animatie, 2);
        QCOMPARE(o.index_joc, 1);
        QCOMPARE(o.index_punctare, 2);

        // Groups do not touch each other.
        QVERIFY(!o.optiune_animatie[1]->isChecked() && !o.optiune_animatie[3]->isChecked());

        o.Command2->click();
        QCOMPARE(citeste(cale_).left(30), QByteArray(" 2 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\n 2 \r\n"));
    }

    void bifa_gri() {
        QByteArray date = IMPLICIT;
        date.replace(20, 5, " 2 \r\n"); // line 5, the repeat rule
        scrie(cale_, date);
        porneste();
        FormaOptiuni& o = forma_optiuni();
        QCOMPARE(o.optiune_repetare->checkState(), Qt::PartiallyChecked);
        QCOMPARE(FormaOptiuni::Value(o.optiune_repetare), 2);
        o.Command2->click();
        QCOMPARE(citeste(cale_), date);

        deschide();
        QList<int> vazut;
        for (int k = 0; k < 4; ++k) {
            clic(o.optiune_repetare);
            vazut << FormaOptiuni::Value(o.optiune_repetare);
        }
        QCOMPARE(vazut, (QList<int>{1, 0, 1, 0}));
        for (int k = 0; k < 3; ++k) {
            clic(o.optiune_premiere);
            vazut << FormaOptiuni::Value(o.optiune_premiere);
        }
        QCOMPARE(vazut.mid(4), (QList<int>{0, 1, 0}));
        // The space bar is a click too.
        FormaOptiuni::setValue(o.optiune_joc_frunte, 2);
        o.optiune_joc_frunte->setFocus();
        QTest::keyClick(o.optiune_joc_frunte, Qt::Key_Space);
        QCOMPARE(FormaOptiuni::Value(o.optiune_joc_frunte), 1);
    }

    // ---- the buttons ------------------------------------------------------------------

    void anulare_pastreaza_schimbarile() {
        FormaMasa& m = porneste();
        FormaOptiuni& o = deschide();
        QVERIFY(!rt::fereastra_activa(&m));
        clic(o.optiune_animatie[3]);
        clic(o.optiune_premiere);
        tasteaza(o.text_nume_jucatori[2], QStringLiteral("Maria"));
        clic(o.Command1);

        QVERIFY(!o.isVisible());
        QVERIFY(rt::fereastra_activa(&m));
        QCOMPARE(&forma_optiuni(), &o);
        QVERIFY(o.optiune_animatie[3]->isChecked());
        QCOMPARE(o.index_animatie, 3);
        QCOMPARE(FormaOptiuni::Value(o.optiune_premiere), 0);
        QCOMPARE(o.text_nume_jucatori[2]->text(), QStringLiteral("Maria"));
        QCOMPARE(nume_la_masa(m), NUME_IMPLICITE);

        // A later "OK" brings the typed name.
        deschide();
        clic(o.Command3);
        QCOMPARE(nume_la_masa(m)[1], QStringLiteral("Maria"));
    }

    void escape_face_ce_face_anulare() {
        FormaMasa& m = porneste();
        FormaOptiuni& o = deschide();
        QTest::keyClick(&o, Qt::Key_Escape);
        QVERIFY(!o.isVisible());
        QVERIFY(rt::fereastra_activa(&m));
        QVERIFY(dovek::forma_optiuni_exista());
    }

    void ok_copiaza_numele() {
        FormaMasa& m = porneste();
        FormaOptiuni& o = deschide();
        tasteaza(o.text_nume_jucatori[1], QStringLiteral(" Ana Maria "));
        tasteaza(o.text_nume_jucatori[3], QString());
        tasteaza(o.text_nume_jucatori[6], QStringLiteral("Ioan \"Nea\" Popescu, jr."));
        // Enter in a name box closes nothing; Enter on a focused button presses it.
        QTest::keyClick(o.text_nume_jucatori[6], Qt::Key_Return);
        QVERIFY(o.isVisible());
        QCOMPARE(nume_la_masa(m), NUME_IMPLICITE);
        o.Command3->setFocus();
        QTest::keyClick(o.Command3, Qt::Key_Return);

        QVERIFY(!o.isVisible());
        QVERIFY(rt::fereastra_activa(&m));
        QCOMPARE(nume_la_masa(m), (QStringList{" Ana Maria ", "VEKA", "", "IRO", "PELOT",
                                               "Ioan \"Nea\" Popescu, jr."}));
        QCOMPARE(m.label_nume_jucator[0]->Caption(), QStringLiteral("JOC"));
        QVERIFY(!QFile::exists(cale_)); // only "Salvare" writes
    }

    void butonul_de_inchidere_arunca_dialogul() {
        FormaMasa& m = porneste();
        FormaOptiuni& o = deschide();
        tasteaza(o.text_nume_jucatori[4], QStringLiteral("Radu"));
        clic(o.Command3);
        deschide();
        clic(o.optiune_animatie[3]);
        clic(o.optiune_joc[2]);
        clic(o.optiune_repetare);
        tasteaza(o.text_nume_jucatori[5], QStringLiteral("Dan"));
        QPointer<FormaOptiuni> vechi = &o;

        QVERIFY(o.close());
        QVERIFY(!dovek::forma_optiuni_exista());
        QVERIFY(rt::fereastra_activa(&m));
        QVERIFY(!o.isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(vechi.isNull());

        // The next read of a setting makes a fresh one, hidden, with the defaults.
        FormaOptiuni& nou = forma_optiuni();
        QVERIFY(!nou.isVisible());
        verifica_implicite(nou);
        // The table keeps the names of the last "OK".
        QCOMPARE(nume_la_masa(m),
                 (QStringList{"ZEFU", "VEKA", "BUZNEL", "Radu", "PELOT", "TOLMER"}));
        QVERIFY(!QFile::exists(cale_));

        deschide();
        nou.Command2->click();
        QCOMPARE(citeste(cale_), IMPLICIT);
        clic(nou.Command3);
        QCOMPARE(nume_la_masa(m), NUME_IMPLICITE);
    }

    void unload_nu_creeaza() {
        FormaMasa& m = porneste();
        deschide();
        rt::activeaza_fereastra(&m, false);
        dovek::unload_forma_optiuni();
        QVERIFY(!dovek::forma_optiuni_exista());
        QVERIFY(rt::fereastra_activa(&m));
        dovek::unload_forma_optiuni();
        QVERIFY(!dovek::forma_optiuni_exista());
    }

    void salvare_imposibila_data() {
        QTest::addColumn<bool>("disc_plin");
        QTest::newRow("calea e un director") << false;
#ifdef Q_OS_UNIX
        QTest::newRow("discul refuza octetii") << true;
#endif
    }
    void salvare_imposibila() {
        QFETCH(bool, disc_plin);
        porneste();
        FormaOptiuni& o = deschide();
        const QByteArray vechi = " 3 \r\n";
        if (disc_plin) {
            scrie(cale_, vechi);
            o.text_nume_jucatori[1]->setText(QString(300, QLatin1Char('x')));
        } else {
            QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("dovek.ini")));
        }

#ifdef Q_OS_UNIX
        rlimit limita{};
        getrlimit(RLIMIT_FSIZE, &limita);
        const auto semnal = std::signal(SIGXFSZ, SIG_IGN);
        if (disc_plin) {
            rlimit mica = limita;
            mica.rlim_cur = 50;
            setrlimit(RLIMIT_FSIZE, &mica);
        }
#endif
        clic(o.Command2);
#ifdef Q_OS_UNIX
        setrlimit(RLIMIT_FSIZE, &limita);
        std::signal(SIGXFSZ, semnal);
#endif

        QCOMPARE(mesaje_.size(), 1);
        QVERIFY2(mesaje_.first().contains(QDir::toNativeSeparators(cale_)),
                 qPrintable(mesaje_.first()));
        QVERIFY(o.isVisible());
        QVERIFY(!rt::fereastra_activa(masa_.get()));
        if (disc_plin)
            QCOMPARE(citeste(cale_), vechi);
        else
            QVERIFY(QFileInfo(cale_).isDir());
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
                 disc_plin ? QStringList{QStringLiteral("dovek.ini")} : QStringList{});
    }

    // ---- the window ---------------------------------------------------------------------

    void fereastra() {
        FormaMasa& m = porneste();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        FormaOptiuni& o = deschide();
        QCOMPARE(o.windowTitle(), QStringLiteral("Optiuni joc"));
        QCOMPARE(o.size(), QSize(575, 450));
        QCOMPARE(o.minimumSize(), o.maximumSize());
        QVERIFY(o.isWindow());
        QVERIFY(!o.isModal());
        QCOMPARE(o.parentWidget(), nullptr);
        const Qt::WindowFlags f = o.windowFlags();
        QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(o.windowHandle());
        QCOMPARE(o.windowHandle()->transientParent(), m.windowHandle());
        QCOMPARE(o.palette().color(QPalette::Window), QColor(0xEC, 0xE9, 0xD8));

        // Centred when made; later shows keep where it was put.
        const QPoint centru = o.screen()->availableGeometry().center();
        QVERIFY2((o.geometry().center() - centru).manhattanLength() <= 40,
                 qPrintable(QStringLiteral("%1,%2").arg(o.x()).arg(o.y())));
        o.move(20, 30);
        clic(o.Command1);
        deschide();
        QCOMPARE(o.pos(), QPoint(20, 30));
    }

    // Every control of the dialog: Left, Top, Width x Height in pixels (twips / 15),
    // inside its frame where it has one.
    void asezare_data() {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QString>("parinte"); // empty: the dialog itself
        QTest::addColumn<QRect>("loc");
        QTest::addColumn<QString>("text");
        QTest::newRow("Frame1") << "Frame1" << "" << QRect(16, 16, 105, 105) << "Animatie";
        QTest::newRow("Rapid") << "optiune_animatie 1" << "Frame1" << QRect(16, 24, 81, 25) << "Rapid";
        QTest::newRow("Normal") << "optiune_animatie 2" << "Frame1" << QRect(16, 48, 81, 25) << "Normal";
        QTest::newRow("Lent") << "optiune_animatie 3" << "Frame1" << QRect(16, 72, 81, 25) << "Lent";
        QTest::newRow("Frame2") << "Frame2" << "" << QRect(136, 16, 105, 105) << "Tipul jocului";
        QTest::newRow("1-8-1") << "optiune_joc 1" << "Frame2" << QRect(16, 24, 81, 25) << "1-8-1";
        QTest::newRow("8-1-8") << "optiune_joc 2" << "Frame2" << QRect(16, 64, 81, 25) << "8-1-8";
        QTest::newRow("Frame4") << "Frame4" << "" << QRect(248, 16, 313, 105) << "Modalitatea de punctare";
        QTest::newRow("2n+1") << "optiune_punctare 1" << "Frame4" << QRect(16, 32, 273, 17)
                              << "(2*n+1), unde \"n\" este numarul de licitatii";
        QTest::newRow("n+5") << "optiune_punctare 2" << "Frame4" << QRect(16, 72, 273, 13)
                             << "(n+5), unde \"n\" este numarul de licitatii";
        QTest::newRow("Frame3") << "Frame3" << "" << QRect(16, 136, 545, 121) << "Diverse";
        QTest::newRow("pe frunte") << "optiune_joc_frunte" << "Frame3" << QRect(24, 24, 513, 25)
                                   << "Jocul de 1 se joaca cu cartile \"pe frunte\"";
        QTest::newRow("premiere") << "optiune_premiere" << "Frame3" << QRect(24, 56, 513, 25)
                                  << "Premiere / depremiere cu 10 puncte la 5 maini consecutive, "
                                     "daca jocul nu este de 1";
        QTest::newRow("repetare") << "optiune_repetare" << "Frame3" << QRect(24, 88, 505, 25)
                                  << "Daca toti gresesc la o anumita mana, se repeta mana respectiva";
        QTest::newRow("Frame5") << "Frame5" << "" << QRect(16, 272, 545, 113) << "Numele jucatorilor";
        const QRect nume[6] = {{104, 32, 105, 19}, {104, 56, 105, 19}, {104, 80, 105, 19},
                               {408, 32, 105, 19}, {408, 56, 105, 19}, {408, 80, 105, 19}};
        for (int p = 1; p <= 6; ++p)
            QTest::addRow("name %d", p) << QString("text_nume_jucatori %1").arg(p) << "Frame5"
                                        << nume[p - 1] << NUME_IMPLICITE[p - 1];
        QTest::newRow("OK") << "Command3" << "" << QRect(88, 408, 81, 25) << "OK";
        QTest::newRow("Anulare") << "Command1" << "" << QRect(240, 408, 81, 25) << "Anulare";
        QTest::newRow("Salvare") << "Command2" << "" << QRect(392, 408, 81, 25) << "Salvare";
    }
    void asezare() {
        QFETCH(QString, nume);
        QFETCH(QString, parinte);
        QFETCH(QRect, loc);
        QFETCH(QString, text);
        porneste();
        FormaOptiuni& o = forma_optiuni();
        QWidget* w = control(o, nume);
        QVERIFY(w);
        QCOMPARE(w->parentWidget(), parinte.isEmpty() ? &o : control(o, parinte));
        QCOMPARE(w->geometry(), loc);
        if (auto* g = qobject_cast<QGroupBox*>(w))
            QCOMPARE(g->title(), text);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            QCOMPARE(b->text(), text);
        else if (auto* t = qobject_cast<QLineEdit*>(w))
            QCOMPARE(t->text(), text);
        else
            QFAIL("not a frame, button or name box");
    }

    void etichete_si_fonturi() {
        porneste();
        FormaOptiuni& o = forma_optiuni();
        // Left 360 / 4920, Top 480 / 840 / 1200 (twips) in the frame.
        const QPoint locuri[6] = {{24, 32}, {24, 56}, {24, 80}, {328, 32}, {328, 56}, {328, 80}};
        for (int p = 1; p <= 6; ++p) {
            QLabel* l = o.label_nume_jucatori[p];
            QCOMPARE(l->text(), QStringLiteral("Jucator %1").arg(p));
            QCOMPARE(l->parentWidget(), o.Frame5);
            QCOMPARE(l->pos(), locuri[p - 1]);
            QCOMPARE(l->size(), l->sizeHint()); // sized to its text
            QCOMPARE(o.text_nume_jucatori[p]->y(), l->y());
        }

        auto font = [](const QWidget* w) {
            return QStringLiteral("%1 %2%3")
                .arg(w->font().family())
                .arg(w->font().pointSizeF())
                .arg(w->font().bold() ? QStringLiteral(" bold") : QString());
        };
        QCOMPARE(font(o.Frame2), QStringLiteral("Arial 9.75 bold"));
        QCOMPARE(font(o.optiune_animatie[1]), QStringLiteral("Arial 9.75"));
        QCOMPARE(font(o.optiune_premiere), QStringLiteral("Arial 9.75"));
        QCOMPARE(font(o.label_nume_jucatori[4]), QStringLiteral("Arial 9.75"));
        QCOMPARE(font(o.text_nume_jucatori[6]), QStringLiteral("MS Sans Serif 8.25"));
        QCOMPARE(font(o.Command2), QStringLiteral("Calibri 9.75 bold"));

        // Dark red on the frames' captions only.
        const QColor rosu(0xC0, 0, 0);
        QCOMPARE(o.Frame4->palette().color(QPalette::WindowText), rosu);
        QVERIFY(o.optiune_punctare[1]->palette().color(QPalette::WindowText) != rosu);
        QVERIFY(o.label_nume_jucatori[1]->palette().color(QPalette::WindowText) != rosu);
        QCOMPARE(o.optiune_repetare->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(o.optiune_repetare->palette().color(QPalette::Window), QColor(0xEC, 0xE9, 0xD8));
        QVERIFY(o.optiune_repetare->autoFillBackground());

        // A long name from the file is kept whole.
        const QString lung(40000, QLatin1Char('n'));
        o.text_nume_jucatori[1]->setText(lung);
        QCOMPARE(o.text_nume_jucatori[1]->text(), lung);
    }

    void ordinea_tab() {
        porneste();
        FormaOptiuni& o = forma_optiuni();
        // clang-format off
        const QList<QWidget*> asteptat = {
            o.optiune_animatie[1], o.optiune_animatie[2], o.optiune_animatie[3],
            o.optiune_joc[1], o.optiune_joc[2],
            o.optiune_joc_frunte, o.optiune_premiere, o.optiune_repetare,
            o.Command1, o.Command2, o.Command3,
            o.optiune_punctare[1], o.optiune_punctare[2],
            o.text_nume_jucatori[1], o.text_nume_jucatori[2], o.text_nume_jucatori[3],
            o.text_nume_jucatori[6], o.text_nume_jucatori[5], o.text_nume_jucatori[4]};
        // clang-format on
        QList<QWidget*> lant;
        QWidget* w = asteptat.first();
        do {
            if (w->focusPolicy() & Qt::TabFocus) lant << w;
            w = w->nextInFocusChain();
        } while (w != asteptat.first() && lant.size() < 100);
        QCOMPARE(lant, asteptat);
        for (QWidget* nu : {static_cast<QWidget*>(o.Frame1), static_cast<QWidget*>(o.Frame5),
                            static_cast<QWidget*>(o.label_nume_jucatori[1])})
            QCOMPARE(nu->focusPolicy(), Qt::NoFocus);

        // With the keyboard an option group is one stop, on its selected button.
        deschide();
        o.optiune_animatie[1]->setFocus();
        QList<QWidget*> tab;
        for (int k = 0; k < 15; ++k) {
            tab << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // clang-format off
        const QList<QWidget*> pasi = {
            o.optiune_animatie[1], o.optiune_joc[1],
            o.optiune_joc_frunte, o.optiune_premiere, o.optiune_repetare,
            o.Command1, o.Command2, o.Command3,
            o.optiune_punctare[2],
            o.text_nume_jucatori[1], o.text_nume_jucatori[2], o.text_nume_jucatori[3],
            o.text_nume_jucatori[6], o.text_nume_jucatori[5], o.text_nume_jucatori[4]};
        // clang-format on
        QCOMPARE(tab, pasi);

        // Shift+Tab walks the same stops backwards.
        QList<QWidget*> inapoi;
        for (int k = 0; k < 15; ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            inapoi.prepend(QApplication::focusWidget());
        }
        QCOMPARE(inapoi, pasi);
    }

    void la_deschidere_focusul_pe_butonul_ales() {
        // "Lent" in the file: the dialog opens with the focus on "Lent", so
        // Space changes nothing and "Salvare" writes the 3 back.
        QByteArray lent = IMPLICIT;
        lent[1] = '3';
        scrie(cale_, lent);
        porneste();
        FormaOptiuni& o = deschide();
        QTRY_COMPARE(QApplication::focusWidget(), o.optiune_animatie[3]);
        QTest::keyClick(o.optiune_animatie[3], Qt::Key_Space);
        o.Command2->click();
        QCOMPARE(citeste(cale_), lent);
    }
};

QTEST_MAIN(TestOptiuni)
#include "tst_optiuni.moc"
