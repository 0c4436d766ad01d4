#pragma once
// What the table tests share: the game's own texts and colours written out
// independently of the game code, the hand list, and a user's mouse at a
// control.

#include <QApplication>
#include <QList>
#include <QMouseEvent>
#include <QString>
#include <QWidget>

namespace test {

constexpr quint32 VERDE = 0x0000FF00, ROSU = 0x000000FF;
constexpr quint32 MAGENTA_DESCHIS = 0x00FF80FF, GALBEN_DESCHIS = 0x0080FFFF;

inline const QString AI_CULOARE = QStringLiteral("Ai culoare. Nu incerca sa trisezi !!");
inline const QString AI_ATU = QStringLiteral("Ai atu. Nu incerca sa trisezi !!");
inline const QString SE_REPETA =
    QStringLiteral("Deoarece nimeni nu si-a facut, se repeta jocul");

inline int culoare(int carte) { return carte % 4; }
inline int celula(int rand, int loc) { return (rand - 1) * 6 + loc; }

// The hands of a game: n of the end size, a slope, n of the middle size, the
// slope back, n of the end size again.
inline QList<int> lista_mainilor(int n, bool tip_181) {
    const int capat = tip_181 ? 1 : 8, mijloc = tip_181 ? 8 : 1;
    const QList<int> urcare{2, 3, 4, 5, 6, 7}, coborare{7, 6, 5, 4, 3, 2};
    QList<int> l;
    l << QList<int>(n, capat) << (tip_181 ? urcare : coborare) << QList<int>(n, mijloc)
      << (tip_181 ? coborare : urcare) << QList<int>(n, capat);
    return l;
}

// A control's font as the layout tables write it: "MS Sans Serif 8.25 bold".
inline QString font_de(const QWidget* w) {
    const QFont& f = w->font();
    return QStringLiteral("%1 %2%3").arg(f.family()).arg(f.pointSizeF()).arg(f.bold() ? " bold" : "");
}

// A pointer move over a control, delivered the way the window system does, so
// that it travels to the parent when the control does not take it.
inline void misca_mouse(QWidget* w, QPoint poz) {
    QMouseEvent e(QEvent::MouseMove, QPointF(poz), QPointF(w->mapToGlobal(poz)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A user's click: press and release in the middle of the control; a disabled
// control ignores it.
inline void clic(QWidget* w) {
    const QPointF p(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent apasa(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &apasa);
    QMouseEvent elibereaza(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &elibereaza);
}

} // namespace test
