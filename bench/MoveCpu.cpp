// Plays accepted moves through the real main window and the desktop platform
// (real pauses) and reports the processor time the process used against the
// wall time of the moves.
#include "CellShape.h"
#include "Fonts.h"
#include "GameSession.h"
#include "Pomrola99_U1.h"
#include "QtPlatform.h"
#include "UFunc.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <cstdio>

using namespace pomrola;

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Every row a shifted copy of 1..8 (no line, no move), with one move in the
// top row and one kept in the bottom row so that the game does not end.
Board BoardWithAMove()
{
    Board board;
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c)
            board.at(c, r) = ((r - 1) * 3 + (c - 1)) % 8 + 1;
    const int top[] = {1, 1, 3, 1, 5, 6, 7, 8};
    const int bottom[] = {6, 6, 8, 6, 2, 3, 4, 5};
    for (int c = 1; c <= BoardSize; ++c) {
        board.at(c, 1) = top[c - 1];
        board.at(c, 8) = bottom[c - 1];
    }
    return board;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    QTemporaryDir dir;
    // Settings that point the records folder at an empty records file, so
    // that start-up shows no message.
    QFile(dir.filePath(QStringLiteral("Pomrola99.rec"))).open(QIODevice::WriteOnly);
    QFile settings(dir.filePath(QStringLiteral("pomrola99.INI")));
    settings.open(QIODevice::WriteOnly);
    settings.write("[Data]\r\nDirectory=" + dir.path().toUtf8() + "\r\n");
    settings.close();
    QtPlatform platform;
    GameSession session;
    TForm1 window(platform, session,
                  StoragePaths{dir.filePath(QStringLiteral("pomrola99.INI")), QStringLiteral("pomrola-bench"),
                               QStringLiteral("bench")});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    constexpr int Moves = 5;
    double cpu = 0, wall = 0;
    for (int i = 0; i < Moves; ++i) {
        session.game.board = BoardWithAMove();
        session.game.RandomState = 0;  // refills with 1, 1, 7: no further line
        window.ShowBoard();
        QTest::mouseClick(window.cell(4, 1), Qt::LeftButton);
        QElapsedTimer timer;
        timer.start();
        const double before = CpuSeconds();
        QTest::mouseClick(window.cell(3, 1), Qt::LeftButton);  // resolves with its pauses
        cpu += CpuSeconds() - before;
        wall += static_cast<double>(timer.nsecsElapsed()) / 1e9;
    }
    std::printf("moves: %d, wall: %.3f s, cpu: %.3f s, cpu share: %.2f%% of one core\n", Moves, wall, cpu,
                100.0 * cpu / wall);
    return 0;
}
