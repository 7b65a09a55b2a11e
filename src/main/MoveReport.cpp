#include "MoveReport.h"

#include <QCoreApplication>

namespace pomrola {

namespace {

constexpr std::int32_t PointsPerBall = 5;

QString Tr(const char* text)
{
    return QCoreApplication::translate("MoveReport", text);
}

}  // namespace

QString MoveReportText(const MoveResult& result)
{
    QString text;
    switch (result.outcome) {
    case MoveResult::Outcome::NotNeighbours: text = Tr("Шары не соседние, хода нет."); break;
    case MoveResult::Outcome::Refused: text = Tr("Ход отменён: линии нет."); break;
    case MoveResult::Outcome::Cancelled: text = Tr("Выбор снят."); break;
    case MoveResult::Outcome::Accepted:
        text = Tr("Убрано шаров: %1, очков: +%2, счёт: %3.")
                   .arg(result.pointsGained / PointsPerBall)
                   .arg(result.pointsGained)
                   .arg(result.score);
        break;
    }
    text += u' ';
    if (result.gameOver)
        text += Tr("Игра окончена, счёт: %1.").arg(result.score);
    else
        text += Tr("Осталось ходов: %1.").arg(result.movesLeft);
    return text;
}

}  // namespace pomrola
