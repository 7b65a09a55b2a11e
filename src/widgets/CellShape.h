#pragma once

#include <QColor>
#include <QWidget>

namespace pomrola {

// A shape control: a circle (inscribed in the widget's square) or a rectangle
// filling the widget, with a fill and a one-pixel outline colour. Any mouse
// button press is reported. A screen reader sees it as a table cell named by
// its colour, symbol and place (CellAccessible), selected while it is picked.
class CellShape : public QWidget {
    Q_OBJECT
public:
    enum class Form { Circle, Rectangle };

    explicit CellShape(QWidget* parent = nullptr);

    // Where the cell stands on its board, column and row from 1.
    int column() const { return column_; }
    int row() const { return row_; }
    void setPlace(int column, int row);

    Form form() const { return form_; }
    void setForm(Form form);
    QColor fillColour() const { return fill_; }
    void setFillColour(const QColor& colour);
    QColor outlineColour() const { return outline_; }
    void setOutlineColour(const QColor& colour);
    // The flat colour the shape stands on. Once known, a circle is copied
    // from a picture drawn once per colour and size: antialiasing 64 circles
    // was most of the board's first paint.
    void setBackdrop(const QColor& colour);
    // The colour code whose symbol is drawn inside the shape while symbols
    // are shown.
    void setSymbolCode(int code);
    int symbolCode() const { return symbolCode_; }
    bool showsSymbol() const { return showSymbol_; }
    void setShowSymbol(bool show);

signals:
    void pressed(pomrola::CellShape* shape);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Tells a screen reader, when one listens, that the name or the picked
    // state changed; nothing otherwise.
    void notifyAccessible(bool nameChanged);

    int column_ = 0;
    int row_ = 0;
    Form form_ = Form::Circle;
    QColor fill_ = Qt::white;
    QColor outline_ = Qt::black;
    QColor backdrop_;
    int symbolCode_ = 0;
    bool showSymbol_ = false;
};

}  // namespace pomrola
