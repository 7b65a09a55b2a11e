#pragma once

#include <QString>

#include <cstdint>

namespace pomrola {

// How a move ended, for a screen reader: told once, when the move has been
// played out, never stage by stage.
struct MoveResult {
    enum class Outcome { NotNeighbours, Refused, Accepted, Cancelled };  // Cancelled: the picked ball again
    Outcome outcome = Outcome::NotNeighbours;
    std::int32_t pointsGained = 0;  // 5 for every new ball
    std::int32_t score = 0;
    std::int32_t movesLeft = 0;
    bool gameOver = false;
};

// The sentence the reader speaks, in the interface's language, e.g.
// "Убрано шаров: 3, очков: +15, счёт: 15. Осталось ходов: 12."
QString MoveReportText(const MoveResult& result);

}  // namespace pomrola
