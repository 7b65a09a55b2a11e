#pragma once

#include <QWidget>

namespace pomrola {

// The keyboard's place on a board of shapes: dotted brackets in the four
// corners of one cell, clear of a circle inscribed in the cell and of a
// rectangle's one-pixel outline, so the ball and a pick marker stay as they
// are. It lets every mouse press through to the cell below.
class KeyboardCursor : public QWidget {
    Q_OBJECT
public:
    explicit KeyboardCursor(QWidget* parent = nullptr);

    // How far each bracket's arm reaches from its corner, in pixels.
    int armLength() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace pomrola
