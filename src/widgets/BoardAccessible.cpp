#include "BoardAccessible.h"

#include "CellBoard.h"
#include "CellNames.h"
#include "CellShape.h"
#include "ReaderName.h"

namespace pomrola {

BoardAccessible::BoardAccessible(CellBoard* board) : QAccessibleWidget(board, QAccessible::Table)
{}

CellBoard* BoardAccessible::board() const
{
    return static_cast<CellBoard*>(widget());
}

QString BoardAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty())
        return ReaderName(*widget());
    return QAccessibleWidget::text(type);
}

void* BoardAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int BoardAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface* BoardAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return cellAt(index / columnCount(), index % columnCount());
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = child ? qobject_cast<const CellShape*>(child->object()) : nullptr;
    if (!cell || cell->parentWidget() != board())
        return -1;
    return (cell->row() - 1) * columnCount() + (cell->column() - 1);
}

QAccessibleInterface* BoardAccessible::cellAt(int row, int column) const
{
    CellShape* cell = board()->cellAt(column + 1, row + 1);
    return cell ? QAccessible::queryAccessibleInterface(cell) : nullptr;
}

int BoardAccessible::selectedCellCount() const
{
    return static_cast<int>(selectedCells().size());
}

QList<QAccessibleInterface*> BoardAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> selected;
    for (int index = 0; index < childCount(); ++index) {
        QAccessibleInterface* cell = child(index);
        if (cell && cell->state().selected)
            selected.append(cell);
    }
    return selected;
}

QString BoardAccessible::columnDescription(int column) const
{
    return CellPlaceName(column + 1, 1).left(1);
}

QString BoardAccessible::rowDescription(int row) const
{
    return QString::number(row + 1);
}

int BoardAccessible::columnCount() const
{
    return board()->columnCount();
}

int BoardAccessible::rowCount() const
{
    return board()->rowCount();
}

CellAccessible::CellAccessible(CellShape* cell) : QAccessibleWidget(cell, QAccessible::Cell)
{}

CellShape* CellAccessible::cell() const
{
    return static_cast<CellShape*>(widget());
}

void* CellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CellAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name)
        return CellName(*cell());
    return QAccessibleWidget::text(type);
}

QAccessible::State CellAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    const auto* board = qobject_cast<const CellBoard*>(cell()->parentWidget());
    state.focused = board && board->currentCell() == cell();
    return state;
}

bool CellAccessible::isSelected() const
{
    return cell()->form() == CellShape::Form::Rectangle;
}

int CellAccessible::columnIndex() const
{
    return cell()->column() - 1;
}

int CellAccessible::rowIndex() const
{
    return cell()->row() - 1;
}

QAccessibleInterface* CellAccessible::table() const
{
    return QAccessible::queryAccessibleInterface(cell()->parentWidget());
}

}  // namespace pomrola
