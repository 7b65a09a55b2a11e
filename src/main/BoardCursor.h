#pragma once

#include <algorithm>

namespace pomrola {

// Where the keyboard points on the board: a column and a row, 1 to 8, that
// stop at the edges. It stays hidden until the player first steers it.
class BoardCursor {
public:
    static constexpr int Size = 8;

    int column() const { return column_; }
    int row() const { return row_; }
    bool shown() const { return shown_; }

    void show() { shown_ = true; }
    void hide() { shown_ = false; }

    void moveBy(int columns, int rows)
    {
        column_ = std::clamp(column_ + columns, 1, Size);
        row_ = std::clamp(row_ + rows, 1, Size);
    }

private:
    int column_ = 1;
    int row_ = 1;
    bool shown_ = false;
};

}  // namespace pomrola
