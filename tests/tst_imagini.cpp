// The pictures the game embeds: every one is there, has the size the table
// lays out for it, and looks like what it stands for (card colours, backs,
// arrow directions, icons on a transparent ground).

#include <QImage>
#include <QSize>
#include <QString>
#include <QtTest>

#include <array>
#include <cmath>

namespace {

constexpr int kCards = 56;
const QSize kFaceSize(72, 96);
const QSize kBackSize(71, 96);
const QSize kWallSize(1183, 784);
const QSize kIconSize(32, 32);

QString cardPath(int code) { return QStringLiteral(":/carti/%1.png").arg(code, 2, 10, QLatin1Char('0')); }

QImage load(const QString& path) { return QImage(path).convertToFormat(QImage::Format_ARGB32); }

bool opaque(QRgb c) { return qAlpha(c) > 200; }

// Card red, not the pink of a red edge smoothed into white nor the gold of
// the court panels.
bool reddish(QRgb c) { return opaque(c) && qRed(c) > 140 && qGreen(c) < 90 && qBlue(c) < 90; }

bool yellowish(QRgb c) { return opaque(c) && qRed(c) > 180 && qGreen(c) > 140 && qBlue(c) < 120; }

template <typename Pred>
int countPixels(const QImage& image, Pred pred)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += pred(image.pixel(x, y)) ? 1 : 0;
    return n;
}

bool cornersTransparent(const QImage& image)
{
    const int r = image.width() - 1, b = image.height() - 1;
    return qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(r, 0)) == 0 && qAlpha(image.pixel(0, b)) == 0
           && qAlpha(image.pixel(r, b)) == 0;
}

struct MeanColour {
    double red = 0, green = 0, blue = 0;
};

MeanColour meanOfOpaque(const QImage& image)
{
    MeanColour m;
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (!opaque(c))
                continue;
            m.red += qRed(c);
            m.green += qGreen(c);
            m.blue += qBlue(c);
            ++n;
        }
    }
    if (n > 0) {
        m.red /= n;
        m.green /= n;
        m.blue /= n;
    }
    return m;
}

// Opaque pixels in each half of a picture.
struct Halves {
    int left = 0, right = 0, top = 0, bottom = 0;
};

Halves opaqueHalves(const QImage& image)
{
    Halves h;
    const int midX = image.width() / 2, midY = image.height() / 2;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) < 128)
                continue;
            (x < midX ? h.left : h.right)++;
            (y < midY ? h.top : h.bottom)++;
        }
    }
    return h;
}

const char* const kSuitNames[] = {"diamonds", "hearts", "spades", "clubs"};

QString cardName(int code)
{
    if (code == 53)
        return QStringLiteral("black joker");
    if (code == 54)
        return QStringLiteral("red joker");
    if (code == 55)
        return QStringLiteral("blue back");
    if (code == 56)
        return QStringLiteral("red back");
    const int rank = 2 + (code - 1) / 4;
    static const char* const courts[] = {"jack", "queen", "king", "ace"};
    const QString rankName = rank <= 10 ? QString::number(rank) : QLatin1String(courts[rank - 11]);
    return QStringLiteral("%1 of %2").arg(rankName, QLatin1String(kSuitNames[(code - 1) % 4]));
}

}  // namespace

class TstImagini : public QObject {
    Q_OBJECT

private slots:
    void loadsWithItsSize_data();
    void loadsWithItsSize();
    void cardsHaveRoundedTransparentCorners();
    void facesArePairwiseDistinct();
    void faceInkMatchesSuit_data();
    void faceInkMatchesSuit();
    void backsAreBlueAndRed();
    void wallIsPlainTexturedBlueGrey();
    void arrowsPointTheirWay_data();
    void arrowsPointTheirWay();
    void heartIconIsRed();
    void boxIconIsYellow();
};

void TstImagini::loadsWithItsSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    for (int code = 1; code <= kCards; ++code) {
        const QString path = cardPath(code);
        QTest::newRow(qPrintable(path)) << path << (code <= 54 ? kFaceSize : kBackSize);
    }
    QTest::newRow("fundal") << QStringLiteral(":/fundal.png") << kWallSize;
    for (const char* arrow : {"stanga", "sus", "dreapta", "jos"}) {
        const QString path = QStringLiteral(":/sageti/%1.png").arg(QLatin1String(arrow));
        QTest::newRow(qPrintable(path)) << path << kIconSize;
    }
    QTest::newRow("inima") << QStringLiteral(":/inima.png") << kIconSize;
    QTest::newRow("cutie") << QStringLiteral(":/cutie.png") << kIconSize;
}

void TstImagini::loadsWithItsSize()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(" does not load")));
    QCOMPARE(image.size(), size);
}

void TstImagini::cardsHaveRoundedTransparentCorners()
{
    for (int code = 1; code <= kCards; ++code) {
        const QImage card = load(cardPath(code));
        QVERIFY2(cornersTransparent(card), qPrintable(cardName(code)));
        // ...while the card itself is solid.
        QVERIFY2(opaque(card.pixel(card.width() / 2, 2)), qPrintable(cardName(code)));
        QVERIFY2(opaque(card.pixel(2, card.height() / 2)), qPrintable(cardName(code)));
    }
}

void TstImagini::facesArePairwiseDistinct()
{
    std::array<QImage, 52> faces;
    for (int code = 1; code <= 52; ++code)
        faces[code - 1] = load(cardPath(code));
    for (int a = 0; a < 52; ++a) {
        for (int b = a + 1; b < 52; ++b) {
            QVERIFY2(faces[a] != faces[b],
                     qPrintable(QStringLiteral("%1 looks like %2").arg(cardName(a + 1), cardName(b + 1))));
        }
    }
}

void TstImagini::faceInkMatchesSuit_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("red");

    for (int code = 1; code <= 52; ++code) {
        const int suit = (code - 1) % 4;  // diamonds, hearts, spades, clubs
        QTest::newRow(qPrintable(cardName(code))) << code << (suit == 0 || suit == 1);
    }
    QTest::newRow("black joker") << 53 << false;
    QTest::newRow("red joker") << 54 << true;
}

void TstImagini::faceInkMatchesSuit()
{
    QFETCH(int, code);
    QFETCH(bool, red);

    const QImage face = load(cardPath(code));
    const int redPixels = countPixels(face, reddish);
    if (red)
        QVERIFY2(redPixels >= 20, qPrintable(QStringLiteral("only %1 red pixels").arg(redPixels)));
    else
        QCOMPARE(redPixels, 0);

    // Whatever the suit, there is dark ink on a white card.
    const int darkPixels = countPixels(face, [](QRgb c) { return opaque(c) && qGray(c) < 110; });
    QVERIFY(darkPixels >= 20);
    QVERIFY(countPixels(face, [](QRgb c) { return opaque(c) && qGray(c) > 245; }) > face.width() * face.height() / 3);
}

void TstImagini::backsAreBlueAndRed()
{
    const MeanColour blue = meanOfOpaque(load(cardPath(55)));
    QVERIFY2(blue.blue > blue.red + 40,
             qPrintable(QStringLiteral("55: red %1, blue %2").arg(blue.red).arg(blue.blue)));
    QVERIFY(blue.blue > blue.green + 20);

    const MeanColour red = meanOfOpaque(load(cardPath(56)));
    QVERIFY2(red.red > red.blue + 40, qPrintable(QStringLiteral("56: red %1, blue %2").arg(red.red).arg(red.blue)));
    QVERIFY(red.red > red.green + 40);

    // Both backs carry the same lattice: only the colour tells them apart.
    QVERIFY(load(cardPath(55)) != load(cardPath(56)));
}

void TstImagini::wallIsPlainTexturedBlueGrey()
{
    const QImage wall = load(QStringLiteral(":/fundal.png"));
    QCOMPARE(countPixels(wall, [](QRgb c) { return qAlpha(c) == 255; }), wall.width() * wall.height());

    const MeanColour mean = meanOfOpaque(wall);
    QVERIFY2(mean.blue > mean.red + 5, "not bluish");
    for (double channel : {mean.red, mean.green, mean.blue})
        QVERIFY2(channel > 140 && channel < 235, "not a light grey");

    // Textured, yet quiet enough to lay cards on.
    double sum = 0, sumSquares = 0;
    const int n = wall.width() * wall.height();
    for (int y = 0; y < wall.height(); ++y) {
        for (int x = 0; x < wall.width(); ++x) {
            const double g = qGray(wall.pixel(x, y));
            sum += g;
            sumSquares += g * g;
        }
    }
    const double deviation = std::sqrt(sumSquares / n - (sum / n) * (sum / n));
    QVERIFY2(deviation > 0.5, qPrintable(QStringLiteral("flat wall, deviation %1").arg(deviation)));
    QVERIFY2(deviation < 15, qPrintable(QStringLiteral("noisy wall, deviation %1").arg(deviation)));
}

void TstImagini::arrowsPointTheirWay_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QPoint>("direction");

    QTest::newRow("stanga") << QStringLiteral(":/sageti/stanga.png") << QPoint(-1, 0);
    QTest::newRow("sus") << QStringLiteral(":/sageti/sus.png") << QPoint(0, -1);
    QTest::newRow("dreapta") << QStringLiteral(":/sageti/dreapta.png") << QPoint(1, 0);
    QTest::newRow("jos") << QStringLiteral(":/sageti/jos.png") << QPoint(0, 1);
}

void TstImagini::arrowsPointTheirWay()
{
    QFETCH(QString, path);
    QFETCH(QPoint, direction);

    const QImage arrow = load(path);
    QVERIFY(cornersTransparent(arrow));

    // The head is the wide end: more of the arrow lies in the half it points to,
    // while across that direction it stays balanced.
    const Halves h = opaqueHalves(arrow);
    const int ahead = direction.x() < 0 ? h.left : direction.x() > 0 ? h.right : direction.y() < 0 ? h.top : h.bottom;
    const int behind = direction.x() < 0 ? h.right : direction.x() > 0 ? h.left : direction.y() < 0 ? h.bottom : h.top;
    const int sideA = direction.x() != 0 ? h.top : h.left;
    const int sideB = direction.x() != 0 ? h.bottom : h.right;
    QVERIFY2(ahead * 10 > behind * 12, qPrintable(QStringLiteral("ahead %1, behind %2").arg(ahead).arg(behind)));
    QVERIFY2(std::abs(sideA - sideB) * 10 < (sideA + sideB),
             qPrintable(QStringLiteral("lopsided: %1 vs %2").arg(sideA).arg(sideB)));

    // Dark blue.
    const MeanColour mean = meanOfOpaque(arrow);
    QVERIFY(mean.blue > mean.red + 40);
    QVERIFY(mean.blue > mean.green + 30);
    QVERIFY(mean.blue < 200);
}

void TstImagini::heartIconIsRed()
{
    const QImage heart = load(QStringLiteral(":/inima.png"));
    QVERIFY(cornersTransparent(heart));
    const int solid = countPixels(heart, opaque);
    QVERIFY(solid > 200);
    QVERIFY(countPixels(heart, reddish) * 2 > solid);
}

void TstImagini::boxIconIsYellow()
{
    const QImage box = load(QStringLiteral(":/cutie.png"));
    QVERIFY(cornersTransparent(box));
    const int solid = countPixels(box, opaque);
    QVERIFY(solid > 200);
    QVERIFY(countPixels(box, yellowish) * 2 > solid);
}

QTEST_MAIN(TstImagini)
#include "tst_imagini.moc"
