#include "platform/controale.h"

#include "platform/runtime.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace rt {

void pune(QWidget* w, int left, int top) { w->move(px(left), px(top)); }

void pune(QWidget* w, int left, int top, int latime, int inaltime) {
    w->setGeometry(px(left), px(top), px(latime), px(inaltime));
}

// ---- Label ----------------------------------------------------------------------

Label::Label(QWidget* parinte, int index, int left, int top, const QString& caption,
             const QFont& f, quint32 fore_color)
    : QLabel(parinte), index_(index), fore_(fore_color) {
    setFont(f);
    setAlignment(Qt::AlignCenter);
    setMargin(0);
    setIndent(0);
    // Every pointer move over a control is the control's; only the bare window
    // surface reaches the window's own handler.
    setMouseTracking(true);
    aplica_culori();
    pune(this, left, top);
    setCaption(caption);
    hide();
}

void Label::setCaption(const QString& c) {
    setText(c);
    adjustSize();
}

void Label::setForeColor(quint32 c) {
    fore_ = c;
    aplica_culori();
}

void Label::setBackColor(quint32 c) {
    back_ = c;
    aplica_culori();
}

void Label::setBackStyle(int s) {
    back_style_ = s;
    setAutoFillBackground(s == 1);
    aplica_culori();
}

void Label::aplica_culori() {
    QPalette pal = palette();
    // Disabled, the text is drawn apart (paintEvent); the colour is for the rest.
    for (auto grup : {QPalette::Active, QPalette::Inactive}) pal.setColor(grup, QPalette::WindowText, culoare(fore_));
    pal.setColor(QPalette::Window, culoare(back_));
    setPalette(pal);
    update();
}

void Label::paintEvent(QPaintEvent* e) {
    if (isEnabled()) {
        QLabel::paintEvent(e);
        return;
    }
    // Greyed the way the game's own platform greys a label: grey text over a
    // white copy one pixel down and to the right. The theme's light grey alone
    // all but vanishes on the blue-grey table.
    QPainter painter(this);
    const QRect r = contentsRect();
    painter.setPen(culoare(0x00FFFFFF));
    painter.drawText(r.translated(1, 1), int(alignment()), text());
    painter.setPen(culoare(0x00808080));
    painter.drawText(r, int(alignment()), text());
}

void Label::mousePressEvent(QMouseEvent* e) { e->accept(); }

void Label::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click(index_);
}

void Label::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    emit MouseMove(index_);
}

// ---- Image ----------------------------------------------------------------------

Image::Image(QWidget* parinte, int index, int left, int top) : QWidget(parinte), index_(index) {
    setMouseTracking(true);
    pune(this, left, top);
    hide();
}

void Image::setPicture(const QPixmap& p) {
    picture_ = p;
    resize(p.size());
    update();
}

void Image::paintEvent(QPaintEvent*) {
    // Drawn the same whether enabled or not: the human's cards are disabled most
    // of the time and must not look greyed.
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void Image::mousePressEvent(QMouseEvent* e) { e->accept(); }

void Image::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click(index_);
}

void Image::mouseMoveEvent(QMouseEvent* e) { e->accept(); }

// ---- Line -----------------------------------------------------------------------

Line::Line(QWidget* parinte, int x1, int y1, int x2, int y2, int border_width)
    : QWidget(parinte), x1_(x1), y1_(y1), x2_(x2), y2_(y2), bw_(border_width) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    aseaza();
    hide();
}

void Line::setX2(int x2) {
    x2_ = x2;
    aseaza();
}

void Line::setY2(int y2) {
    y2_ = y2;
    aseaza();
}

void Line::setBorderWidth(int bw) {
    bw_ = bw;
    aseaza();
}

void Line::aseaza() {
    // The widget covers the line and its pen; the line itself is painted from
    // its end points, centred on them like the platform's lines.
    const int gros = std::max(bw_, 1);
    const int l = std::min(px(x1_), px(x2_)) - gros / 2;
    const int t = std::min(px(y1_), px(y2_)) - gros / 2;
    const int w = std::abs(px(x2_) - px(x1_)) + gros;
    const int h = std::abs(px(y2_) - px(y1_)) + gros;
    setGeometry(l, t, w, h);
    update();
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), culoare(0x80000008));
}

} // namespace rt
