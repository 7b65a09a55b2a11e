#include "CellBoard.h"

#include "CellShape.h"

#include <QAccessible>

#include <algorithm>

namespace pomrola {

CellBoard::CellBoard(QWidget* parent) : QWidget(parent)
{}

void CellBoard::addCell(CellShape* cell, int column, int row)
{
    cell->setPlace(column, row);
    cells_.append(cell);
    columns_ = std::max(columns_, column);
    rows_ = std::max(rows_, row);
}

CellShape* CellBoard::cellAt(int column, int row) const
{
    for (CellShape* cell : cells_)
        if (cell->column() == column && cell->row() == row)
            return cell;
    return nullptr;
}

void CellBoard::setCurrentCell(CellShape* cell)
{
    if (current_ == cell)
        return;
    CellShape* previous = current_;
    current_ = cell;
    if (!QAccessible::isActive())
        return;
    if (cell) {
        QAccessibleEvent event(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    } else if (previous) {
        QAccessible::State changed;
        changed.focused = true;
        QAccessibleStateChangeEvent event(previous, changed);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace pomrola
