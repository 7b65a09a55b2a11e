#pragma once

#include <QList>
#include <QWidget>

namespace pomrola {

class CellShape;

// A panel holding a grid of cells by column and row. For a screen reader it
// is a table (BoardAccessible) whose current cell, the one the keyboard
// points at, is the accessible focus. It paints nothing itself.
class CellBoard : public QWidget {
    Q_OBJECT
public:
    explicit CellBoard(QWidget* parent = nullptr);

    // Places a child cell at (column, row), both from 1.
    void addCell(CellShape* cell, int column, int row);
    CellShape* cellAt(int column, int row) const;
    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }

    // The cell the keyboard points at, or none; a new one becomes the
    // accessible focus when a screen reader listens.
    CellShape* currentCell() const { return current_; }
    void setCurrentCell(CellShape* cell);

private:
    QList<CellShape*> cells_;
    int columns_ = 0;
    int rows_ = 0;
    CellShape* current_ = nullptr;
};

}  // namespace pomrola
