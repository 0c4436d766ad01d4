#pragma once
// The control kit the windows are built from: labels that size themselves to
// their caption, images that show their picture unscaled, and lines. Positions
// and sizes are given in twips, colours as 0x00BBGGRR values, so each line of
// a window's construction reads like its layout table.

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <functional>

namespace rt {

// Moves a control to Left, Top (twips).
void pune(QWidget* w, int left, int top);
// Moves and sizes a control (twips).
void pune(QWidget* w, int left, int top, int latime, int inaltime);

class Label : public QLabel {
    Q_OBJECT
public:
    // A label at Left, Top (twips) with its caption, centred, transparent, sized
    // to its text.
    Label(QWidget* parinte, int index, int left, int top, const QString& caption, const QFont& f,
          quint32 fore_color = 0x80000012);

    QString Caption() const { return text(); }
    void setCaption(const QString& c);
    quint32 ForeColor() const { return fore_; }
    void setForeColor(quint32 c);
    quint32 BackColor() const { return back_; }
    void setBackColor(quint32 c);
    int BackStyle() const { return back_style_; } // 0 transparent, 1 opaque
    void setBackStyle(int s);
    int Index() const { return index_; }

signals:
    void Click(int index);
    void MouseMove(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void aplica_culori();
    int index_;
    quint32 fore_;
    quint32 back_ = 0x8000000F;
    int back_style_ = 0;
};

class Image : public QWidget {
    Q_OBJECT
public:
    Image(QWidget* parinte, int index, int left, int top);

    const QPixmap& Picture() const { return picture_; }
    // Takes the picture's size, like the image control does.
    void setPicture(const QPixmap& p);
    // Cache key of the picture shown, so tests can tell which card lies there.
    qint64 pictureKey() const { return picture_.cacheKey(); }
    int Index() const { return index_; }

signals:
    void Click(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    int index_;
    QPixmap picture_;
};

class Line : public QWidget {
    Q_OBJECT
public:
    // A line from (x1, y1) to (x2, y2), twips, BorderWidth in pixels.
    Line(QWidget* parinte, int x1, int y1, int x2, int y2, int border_width);

    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    int BorderWidth() const { return bw_; }
    void setX2(int x2);
    void setY2(int y2);
    void setBorderWidth(int bw);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void aseaza();
    int x1_, y1_, x2_, y2_, bw_;
};

} // namespace rt
