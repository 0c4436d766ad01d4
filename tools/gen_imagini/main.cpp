// Draws every picture the game ships: the 52 card faces, two jokers, two
// backs, the table's wall, the turn arrows and the two window icons.
//
//   gen_imagini <outdir>
//
// Everything is drawn with QPainter from vector shapes (only the wall's
// texture and the backs' lattice are laid pixel by pixel), so the set can be
// regenerated on any machine (tools/gen-imagini) instead of being hand-edited.
// The output is deterministic: the only "random" element, the wall texture, is
// a hash of the pixel position with a fixed seed.

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Palette and geometry shared by the cards

enum class Suit { Diamonds, Hearts, Spades, Clubs };

constexpr int kFaceWidth = 72;
constexpr int kBackWidth = 71;
constexpr int kCardHeight = 96;
constexpr qreal kCornerRadius = 4.5;

const QColor kInkRed(200, 20, 45);
const QColor kInkBlack(22, 22, 26);
const QColor kCardBorder(70, 70, 76);
const QColor kGold(222, 172, 40);
const QColor kGoldDark(140, 95, 10);
const QColor kPanelFill(252, 245, 220);

bool isRed(Suit suit) { return suit == Suit::Diamonds || suit == Suit::Hearts; }

QColor inkFor(Suit suit) { return isRed(suit) ? kInkRed : kInkBlack; }

// Card codes 1..52: rank 2 + (code - 1) / 4, suit (code - 1) mod 4 in the order
// diamonds, hearts, spades, clubs.
int rankOfCode(int code) { return 2 + (code - 1) / 4; }
Suit suitOfCode(int code) { return static_cast<Suit>((code - 1) % 4); }

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// Runs `draw`, then once more turned half a turn about the centre of a
// width x height picture: the bottom-right index and the lower half of the
// court panels are the upper ones read from the other side of the table.
template <typename Draw>
void drawBothWays(QPainter& p, qreal width, qreal height, Draw draw)
{
    draw();
    p.save();
    p.translate(width, height);
    p.rotate(180);
    draw();
    p.restore();
}

// ---------------------------------------------------------------------------
// Suit symbols. Built on a 100-unit grid centred on the origin (so the boolean
// unions stay smooth when Qt flattens the curves), then scaled to the size
// asked for: `height` pixels tall, centred on `centre`.

QPainterPath heartShape()
{
    QPainterPath p;
    p.moveTo(0, 48);
    p.cubicTo(-12, 32, -50, 12, -50, -18);
    p.cubicTo(-50, -38, -38, -48, -25, -48);
    p.cubicTo(-12, -48, -3, -40, 0, -29);
    p.cubicTo(3, -40, 12, -48, 25, -48);
    p.cubicTo(38, -48, 50, -38, 50, -18);
    p.cubicTo(50, 12, 12, 32, 0, 48);
    p.closeSubpath();
    return p;
}

QPainterPath diamondShape()
{
    // Slightly hollow sides, as the printed diamond has.
    QPainterPath p;
    p.moveTo(0, -50);
    p.quadTo(14, -22, 38, 0);
    p.quadTo(14, 22, 0, 50);
    p.quadTo(-14, 22, -38, 0);
    p.quadTo(-14, -22, 0, -50);
    p.closeSubpath();
    return p;
}

QPainterPath stemShape()
{
    QPainterPath p;
    p.moveTo(0, 8);
    p.cubicTo(2, 30, 10, 44, 22, 50);
    p.lineTo(-22, 50);
    p.cubicTo(-10, 44, -2, 30, 0, 8);
    p.closeSubpath();
    return p;
}

QPainterPath spadeShape()
{
    QPainterPath body;
    body.moveTo(0, -50);
    body.cubicTo(-12, -32, -48, -14, -48, 12);
    body.cubicTo(-48, 28, -36, 36, -24, 36);
    body.cubicTo(-12, 36, -4, 30, 0, 22);
    body.cubicTo(4, 30, 12, 36, 24, 36);
    body.cubicTo(36, 36, 48, 28, 48, 12);
    body.cubicTo(48, -14, 12, -32, 0, -50);
    body.closeSubpath();
    return body.united(stemShape());
}

QPainterPath clubShape()
{
    constexpr qreal r = 22;
    QPainterPath leaves;
    leaves.addEllipse(QPointF(0, -27), r, r);
    leaves.addEllipse(QPointF(-26, 10), r, r);
    leaves.addEllipse(QPointF(26, 10), r, r);
    QPainterPath heart;  // fills the gap where the three leaves meet
    heart.addEllipse(QPointF(0, 2), 12, 12);
    return leaves.united(heart).united(stemShape());
}

const QPainterPath& suitShape(Suit suit)
{
    static const QPainterPath shapes[] = {diamondShape(), heartShape(), spadeShape(), clubShape()};
    return shapes[static_cast<int>(suit)];
}

void drawSuit(QPainter& p, Suit suit, QPointF centre, qreal height, bool upsideDown = false)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    if (upsideDown)
        t.rotate(180);
    t.scale(height / 100.0, height / 100.0);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(inkFor(suit));
    p.drawPath(t.map(suitShape(suit)));
    p.restore();
}

// ---------------------------------------------------------------------------
// Lettering. Glyph outlines rather than drawText, so a label can be squeezed
// into its exact box: "10" has to sit in the same narrow column as "7".

QString letteringFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* wanted : {"Liberation Sans", "DejaVu Sans"}) {
        if (installed.contains(QLatin1String(wanted)))
            return QLatin1String(wanted);
    }
    return QStringLiteral("Sans Serif");
}

// The outline of `text` with its capital height filling box.height(), centred
// in `box` and narrowed if it would be wider than the box.
QPainterPath fittedText(const QString& text, const QRectF& box)
{
    QFont font(letteringFamily());
    font.setBold(true);
    font.setPixelSize(200);
    font.setHintingPreference(QFont::PreferNoHinting);
    if (text.size() > 1)
        font.setLetterSpacing(QFont::PercentageSpacing, 92);

    QPainterPath outline;
    outline.addText(0, 0, font, text);
    const QRectF inked = outline.boundingRect();
    const qreal capHeight = QFontMetricsF(font).capHeight();

    const qreal sy = box.height() / capHeight;
    const qreal sx = std::min(sy, box.width() / inked.width());
    QTransform t;
    t.translate(box.center().x(), box.bottom());
    t.scale(sx, sy);
    t.translate(-inked.center().x(), 0);  // baseline sits on the box's bottom edge
    return t.map(outline);
}

void drawText(QPainter& p, const QString& text, const QRectF& box, const QColor& colour)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(fittedText(text, box));
    p.restore();
}

QString rankLabel(int rank)
{
    switch (rank) {
    case 11: return QStringLiteral("J");
    case 12: return QStringLiteral("Q");
    case 13: return QStringLiteral("K");
    case 14: return QStringLiteral("A");
    default: return QString::number(rank);
    }
}

// ---------------------------------------------------------------------------
// Card blank and corner index

QRectF cardOutline(int width) { return QRectF(0.5, 0.5, width - 1, kCardHeight - 1); }

void drawBlank(QPainter& p, int width)
{
    p.setPen(QPen(kCardBorder, 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(cardOutline(width), kCornerRadius, kCornerRadius);
}

// Rank over suit in the top-left corner; drawn again upside down for the
// bottom-right one.
void drawIndex(QPainter& p, int rank, Suit suit)
{
    drawBothWays(p, kFaceWidth, kCardHeight, [&] {
        drawText(p, rankLabel(rank), QRectF(3.0, 4.5, 9.5, 9.5), inkFor(suit));
        drawSuit(p, suit, QPointF(7.75, 20.5), 8.0);
    });
}

// ---------------------------------------------------------------------------
// Pip cards

// Where the pips of ranks 2..10 go. x is the column (-1 left, 0 middle,
// +1 right), y runs from 0 (top row) to 1 (bottom row); the layout every
// printed pack uses.
const std::vector<QPointF>& pipLayout(int rank)
{
    static const std::vector<QPointF> layouts[] = {
        /* 2 */ {{0, 0}, {0, 1}},
        /* 3 */ {{0, 0}, {0, 0.5}, {0, 1}},
        /* 4 */ {{-1, 0}, {1, 0}, {-1, 1}, {1, 1}},
        /* 5 */ {{-1, 0}, {1, 0}, {0, 0.5}, {-1, 1}, {1, 1}},
        /* 6 */ {{-1, 0}, {1, 0}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}},
        /* 7 */ {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}},
        /* 8 */ {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {0, 0.75}, {-1, 1}, {1, 1}},
        /* 9 */ {{-1, 0}, {1, 0}, {-1, 1.0 / 3}, {1, 1.0 / 3}, {0, 0.5},
                 {-1, 2.0 / 3}, {1, 2.0 / 3}, {-1, 1}, {1, 1}},
        /* 10 */ {{-1, 0}, {1, 0}, {0, 1.0 / 6}, {-1, 1.0 / 3}, {1, 1.0 / 3},
                  {-1, 2.0 / 3}, {1, 2.0 / 3}, {0, 5.0 / 6}, {-1, 1}, {1, 1}},
    };
    return layouts[rank - 2];
}

void drawPips(QPainter& p, int rank, Suit suit)
{
    constexpr qreal centreX = kFaceWidth / 2.0;
    constexpr qreal columnStep = 14.0;
    constexpr qreal topRow = 17.5;
    constexpr qreal bottomRow = kCardHeight - topRow;
    constexpr qreal pipHeight = 13.5;

    for (const QPointF& pip : pipLayout(rank)) {
        const QPointF centre(centreX + pip.x() * columnStep, topRow + pip.y() * (bottomRow - topRow));
        // Pips below the middle face the far side of the table.
        drawSuit(p, suit, centre, pipHeight, pip.y() > 0.5);
    }
}

void drawAce(QPainter& p, Suit suit)
{
    drawSuit(p, suit, QPointF(kFaceWidth / 2.0, kCardHeight / 2.0), 38.0);
}

// ---------------------------------------------------------------------------
// Court cards: a framed panel holding, in each half, the figure's headgear,
// its letter and the suit.

const QRectF kPanel(15.5, 11.5, 41.0, 73.0);

// King: a three-pointed crown with a ball on every point.
QPainterPath kingCrown()
{
    QPainterPath crown;
    crown.moveTo(-10, 5);
    crown.lineTo(-11, -5);
    crown.lineTo(-5, 0);
    crown.lineTo(0, -7);
    crown.lineTo(5, 0);
    crown.lineTo(11, -5);
    crown.lineTo(10, 5);
    crown.closeSubpath();
    for (const QPointF& ball : {QPointF(-11, -6), QPointF(0, -8), QPointF(11, -6)})
        crown.addEllipse(ball, 1.6, 1.6);
    return crown;
}

// Queen: a lower tiara, five small points on a curved band.
QPainterPath queenTiara()
{
    QPainterPath tiara;
    tiara.moveTo(-10, 5);
    tiara.lineTo(-10, -1);
    tiara.lineTo(-7, -4);
    tiara.lineTo(-4.5, 0);
    tiara.lineTo(-2.5, -5);
    tiara.lineTo(0, -1);
    tiara.lineTo(2.5, -5);
    tiara.lineTo(4.5, 0);
    tiara.lineTo(7, -4);
    tiara.lineTo(10, -1);
    tiara.lineTo(10, 5);
    tiara.quadTo(0, 2, -10, 5);
    tiara.closeSubpath();
    tiara.addEllipse(QPointF(0, 1.5), 1.6, 1.6);
    return tiara;
}

// Jack: a flat cap with a feather.
QPainterPath jackCap()
{
    QPainterPath cap;
    cap.moveTo(-10, 5);
    cap.cubicTo(-10, -3, -4, -5, 2, -5);
    cap.cubicTo(8, -5, 11, -1, 11, 5);
    cap.closeSubpath();
    QPainterPath feather;
    feather.moveTo(4, -3);
    feather.cubicTo(7, -9, 12, -10, 14, -9);
    feather.cubicTo(12, -6, 8, -3, 4, -3);
    feather.closeSubpath();
    return cap.united(feather);
}

QPainterPath headgear(int rank)
{
    switch (rank) {
    case 11: return jackCap();
    case 12: return queenTiara();
    default: return kingCrown();
    }
}

// The letter wears the figure's headgear; the suit stands beside it.
void drawCourtHalf(QPainter& p, int rank, Suit suit)
{
    const qreal figureX = kPanel.center().x() + 3;

    p.save();
    p.translate(figureX, kPanel.top() + 12.5);
    p.scale(0.85, 0.85);
    p.setPen(QPen(kGoldDark, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kGold);
    p.drawPath(headgear(rank));
    p.restore();

    drawText(p, rankLabel(rank), QRectF(figureX - 8, kPanel.top() + 18.5, 16, 13.5), inkFor(suit));
    drawSuit(p, suit, QPointF(kPanel.left() + 7, kPanel.top() + 9), 8.0);
    drawSuit(p, suit, QPointF(kPanel.left() + 7.5, kPanel.top() + 26), 10.0);
}

void drawCourtPanel(QPainter& p, int rank, Suit suit)
{
    const QColor ink = inkFor(suit);

    p.save();
    p.setPen(QPen(ink, 1.0));
    p.setBrush(kPanelFill);
    p.drawRect(kPanel);
    p.setPen(QPen(kGoldDark, 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(kPanel.adjusted(2, 2, -2, -2));
    // The line the two halves meet on, slanted like on printed court cards.
    p.setPen(QPen(ink, 0.6));
    p.drawLine(QPointF(kPanel.left() + 2, kPanel.center().y() + 3),
               QPointF(kPanel.right() - 2, kPanel.center().y() - 3));
    p.restore();

    drawBothWays(p, kFaceWidth, kCardHeight, [&] { drawCourtHalf(p, rank, suit); });
}

QImage drawFace(int code)
{
    const int rank = rankOfCode(code);
    const Suit suit = suitOfCode(code);

    QImage image = transparentImage(kFaceWidth, kCardHeight);
    QPainter p(&image);
    prepare(p);
    drawBlank(p, kFaceWidth);
    if (rank <= 10)
        drawPips(p, rank, suit);
    else if (rank <= 13)
        drawCourtPanel(p, rank, suit);
    else
        drawAce(p, suit);
    drawIndex(p, rank, suit);
    return image;
}

// ---------------------------------------------------------------------------
// Jokers: a jester's face under a three-tailed cap, "JOKER" down the corners.

struct JokerColours {
    QColor ink;
    QColor capA;
    QColor capB;
    QColor bells;
    QColor cheeks;
};

void drawJesterCap(QPainter& p, const JokerColours& c)
{
    // Each tail rises from the band, bends outwards and ends in a bell.
    struct Tail {
        QPointF base1, control1, tip, control2, base2;
        const QColor* colour;
    };
    const Tail tails[] = {
        {{-14, 0}, {-22, -8}, {-21, -21}, {-10, -14}, {-4, 0}, &c.capA},
        {{10, 0}, {20, -8}, {21, -21}, {10, -14}, {4, 0}, &c.capA},
        {{-6, 0}, {-8, -16}, {0, -27}, {8, -16}, {6, 0}, &c.capB},
    };
    p.setPen(QPen(c.ink, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const Tail& tail : tails) {
        QPainterPath path;
        path.moveTo(tail.base1);
        path.quadTo(tail.control1, tail.tip);
        path.quadTo(tail.control2, tail.base2);
        path.closeSubpath();
        p.setBrush(*tail.colour);
        p.drawPath(path);
    }
    p.setBrush(c.bells);
    for (const Tail& tail : tails)
        p.drawEllipse(tail.tip, 2.6, 2.6);
    p.setBrush(c.capB);
    p.drawRoundedRect(QRectF(-15, -1, 30, 5), 2, 2);
}

void drawJesterFace(QPainter& p, const JokerColours& c)
{
    p.setPen(QPen(c.ink, 0.9));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 14), 11, 11);

    p.setPen(Qt::NoPen);
    p.setBrush(c.cheeks);
    p.drawEllipse(QPointF(-6, 17), 2.4, 1.8);
    p.drawEllipse(QPointF(6, 17), 2.4, 1.8);
    p.setBrush(c.ink);
    p.drawEllipse(QPointF(-4, 11), 1.3, 1.7);
    p.drawEllipse(QPointF(4, 11), 1.3, 1.7);

    QPainterPath smile;
    smile.moveTo(-5, 18);
    smile.quadTo(0, 24, 5, 18);
    p.setPen(QPen(c.ink, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);

    // Ruff collar: a row of small scallops under the chin.
    p.setPen(QPen(c.ink, 0.8));
    p.setBrush(c.capB);
    for (int i = -2; i <= 2; ++i)
        p.drawEllipse(QPointF(i * 5.0, 28.5 - std::abs(i) * 0.8), 3.2, 2.6);
}

QImage drawJoker(const JokerColours& colours)
{
    QImage image = transparentImage(kFaceWidth, kCardHeight);
    QPainter p(&image);
    prepare(p);
    drawBlank(p, kFaceWidth);

    p.save();
    p.translate(kFaceWidth / 2.0, 46.0);
    drawJesterCap(p, colours);
    drawJesterFace(p, colours);
    p.restore();

    drawBothWays(p, kFaceWidth, kCardHeight, [&] {
        const QString word = QStringLiteral("JOKER");
        for (int i = 0; i < word.size(); ++i)
            drawText(p, word.mid(i, 1), QRectF(3.5, 5.0 + i * 8.0, 6.0, 6.0), colours.ink);
    });
    return image;
}

QImage drawBlackJoker()
{
    return drawJoker({kInkBlack, QColor(60, 60, 66), QColor(150, 150, 156), QColor(200, 200, 205),
                      QColor(200, 200, 205)});
}

QImage drawRedJoker()
{
    return drawJoker({kInkRed, kInkRed, kGold, kGold, QColor(240, 150, 160)});
}

// ---------------------------------------------------------------------------
// Backs: a fine diagonal lattice inside a white margin.

// One period of the lattice. It is laid pixel by pixel rather than stroked:
// antialiased 45-degree lines this close together smear into moire at card
// size, pixel-exact ones stay crisp. Period 5 divides the card's 70 x 95
// spread between its outer pixels, so the pattern is mirror-symmetric.
QImage latticeTile(const QColor& field, const QColor& line)
{
    constexpr int period = 5;
    QImage tile(period, period, QImage::Format_RGB32);
    tile.fill(field);
    for (int i = 0; i < period; ++i) {
        tile.setPixelColor(i, i, line); // x - y = 0 (mod 5)
        tile.setPixelColor(i, (period - i) % period, line); // x + y = 0 (mod 5)
    }
    return tile;
}

QImage drawBack(const QColor& field, const QColor& lattice)
{
    QImage image = transparentImage(kBackWidth, kCardHeight);
    QPainter p(&image);
    prepare(p);
    drawBlank(p, kBackWidth);

    // Whole pixels from here on: columns 5..65 and rows 5..90 carry the pattern.
    const QRect patterned(5, 5, kBackWidth - 10, kCardHeight - 10);
    p.setBrushOrigin(0, 0);
    p.fillRect(patterned, QBrush(latticeTile(field, lattice)));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(field.darker(140), 1.0));
    p.drawRect(QRectF(patterned).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(Qt::white, 1.0));
    p.drawRect(QRectF(patterned).adjusted(2.5, 2.5, -2.5, -2.5));
    return image;
}

// ---------------------------------------------------------------------------
// The table's wall: light blue-grey plaster. Smooth value noise at a few
// scales gives the cloudy texture, a faint grain the surface; both come from
// a hash of the position with a fixed seed, so every run paints the same wall.

constexpr int kWallWidth = 1183;
constexpr int kWallHeight = 784;
constexpr std::uint32_t kWallSeed = 0x5eed'd0feu;

std::uint32_t hashPoint(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x9e3779b1u)
                      ^ (static_cast<std::uint32_t>(y) * 0x85ebca77u);
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

// Uniform in [-1, 1].
double latticeValue(int x, int y, std::uint32_t seed)
{
    return hashPoint(x, y, seed) / double(UINT32_MAX) * 2.0 - 1.0;
}

double smoothNoise(double x, double y, std::uint32_t seed)
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const auto ease = [](double t) { return t * t * (3.0 - 2.0 * t); };
    const double fx = ease(x - x0);
    const double fy = ease(y - y0);
    const double top = std::lerp(latticeValue(x0, y0, seed), latticeValue(x0 + 1, y0, seed), fx);
    const double bottom = std::lerp(latticeValue(x0, y0 + 1, seed), latticeValue(x0 + 1, y0 + 1, seed), fx);
    return std::lerp(top, bottom, fy);
}

// Brightness offset of one wall pixel, in colour levels.
double wallShade(int x, int y)
{
    struct Octave {
        double cellSize;
        double amplitude;
    };
    static constexpr Octave octaves[] = {{180, 5.0}, {60, 3.5}, {18, 2.5}, {5, 1.6}, {1.5, 1.2}};
    double shade = 0;
    std::uint32_t seed = kWallSeed;
    for (const Octave& o : octaves) {
        shade += o.amplitude * smoothNoise(x / o.cellSize, y / o.cellSize, seed);
        seed = hashPoint(int(seed), 1, seed);
    }
    return shade;
}

QImage drawWall()
{
    const QColor base(184, 197, 209);
    QImage image(kWallWidth, kWallHeight, QImage::Format_RGB32);
    for (int y = 0; y < kWallHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWallWidth; ++x) {
            const int shade = static_cast<int>(std::lround(wallShade(x, y)));
            line[x] = qRgb(std::clamp(base.red() + shade, 0, 255), std::clamp(base.green() + shade, 0, 255),
                           std::clamp(base.blue() + shade, 0, 255));
        }
    }
    return image;
}

// ---------------------------------------------------------------------------
// Turn arrows and window icons, 32 x 32 on a transparent ground.

constexpr int kIconSize = 32;

// `degrees` turns the right-pointing arrow clockwise: 90 points down.
QImage drawArrow(int degrees)
{
    QPainterPath arrow;
    arrow.moveTo(4.5, 13);
    arrow.lineTo(16, 13);
    arrow.lineTo(16, 4);
    arrow.lineTo(28.5, 16);
    arrow.lineTo(16, 28);
    arrow.lineTo(16, 19);
    arrow.lineTo(4.5, 19);
    arrow.closeSubpath();

    QImage image = transparentImage(kIconSize, kIconSize);
    QPainter p(&image);
    prepare(p);
    p.translate(kIconSize / 2.0, kIconSize / 2.0);
    p.rotate(degrees);
    p.translate(-kIconSize / 2.0, -kIconSize / 2.0);
    p.setPen(QPen(QColor(10, 24, 70), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(24, 52, 135));
    p.drawPath(arrow);
    return image;
}

QImage drawHeartIcon()
{
    QImage image = transparentImage(kIconSize, kIconSize);
    QPainter p(&image);
    prepare(p);

    QTransform t;
    t.translate(16, 16.5);
    t.scale(0.28, 0.28);
    const QPainterPath heart = t.map(heartShape());

    QRadialGradient shine(QPointF(11, 10), 20);
    shine.setColorAt(0.0, QColor(255, 120, 130));
    shine.setColorAt(0.45, QColor(220, 30, 50));
    shine.setColorAt(1.0, QColor(160, 10, 30));
    p.setPen(QPen(QColor(110, 0, 15), 1.0));
    p.setBrush(shine);
    p.drawPath(heart);
    return image;
}

// A closed cardboard-like box seen from above one corner, taped shut.
QImage drawBoxIcon()
{
    const QPointF top(16, 3), right(29, 9.5), front(16, 16), left(3, 9.5);
    const QPointF down(0, 13);
    const QPolygonF lid{top, right, front, left};
    const QPolygonF leftSide{left, front, front + down, left + down};
    const QPolygonF rightSide{front, right, right + down, front + down};

    QImage image = transparentImage(kIconSize, kIconSize);
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(QColor(115, 80, 5), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 232, 110));
    p.drawPolygon(lid);
    p.setBrush(QColor(245, 200, 40));
    p.drawPolygon(leftSide);
    p.setBrush(QColor(212, 160, 20));
    p.drawPolygon(rightSide);

    // Tape across the lid and down the left side.
    const QPointF lidMiddleA = (top + left) / 2, lidMiddleB = (right + front) / 2;
    const QPointF sideMiddle = (left + front) / 2;
    p.setPen(QPen(QColor(200, 150, 30), 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(lidMiddleA, lidMiddleB);
    p.drawLine(sideMiddle, sideMiddle + QPointF(0, 6));
    return image;
}

// ---------------------------------------------------------------------------

bool save(const QImage& image, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, "PNG", 0)) {
        std::fprintf(stderr, "gen_imagini: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QString cardFileName(int code) { return QStringLiteral("carti/%1.png").arg(code, 2, 10, QLatin1Char('0')); }

}  // namespace

int main(int argc, char** argv)
{
    // Nothing is shown on screen; the generator must run on build machines too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_imagini <outdir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    bool ok = true;
    for (int code = 1; code <= 52; ++code)
        ok &= save(drawFace(code), out, cardFileName(code));
    ok &= save(drawBlackJoker(), out, cardFileName(53));
    ok &= save(drawRedJoker(), out, cardFileName(54));
    ok &= save(drawBack(QColor(32, 78, 170), QColor(175, 205, 245)), out, cardFileName(55));
    ok &= save(drawBack(QColor(175, 28, 40), QColor(245, 185, 185)), out, cardFileName(56));

    ok &= save(drawWall(), out, QStringLiteral("fundal.png"));

    ok &= save(drawArrow(180), out, QStringLiteral("sageti/stanga.png"));
    ok &= save(drawArrow(270), out, QStringLiteral("sageti/sus.png"));
    ok &= save(drawArrow(0), out, QStringLiteral("sageti/dreapta.png"));
    ok &= save(drawArrow(90), out, QStringLiteral("sageti/jos.png"));

    ok &= save(drawHeartIcon(), out, QStringLiteral("inima.png"));
    ok &= save(drawBoxIcon(), out, QStringLiteral("cutie.png"));

    return ok ? 0 : 1;
}
