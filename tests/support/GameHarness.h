#pragma once

// Brings what a test of the windows needs: GoogleTest, the board builders, the
// cells and controls, and the file helpers.
#include "BoardBuilders.h"
#include "CellShape.h"
#include "GameSession.h"
#include "Pomrola99_U1.h"
#include "ScriptedPlatform.h"
#include "TestFiles.h"

#include "FindControl.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace pomrola {
class TAboutForm;
class TForm2;
class THelpForm;
class TReclamaForm;
}  // namespace pomrola

namespace pomrola::testing {

// How press() reaches a cell: a mouse click, or the arrow keys and a key that
// picks.
enum class Input { Mouse, Space, Return, KeypadEnter };

// The program's five windows over a scripted platform, with its settings file
// and records folder in a fresh temporary folder.
class GameHarness {
public:
    struct Options {
        std::uint32_t clock = 45'296'789;  // 12:34:56.789 UTC
        bool createRecordsFile = true;
        QByteArray settingsFile;  // written before start-up when not empty
    };

    GameHarness();
    explicit GameHarness(Options options);
    ~GameHarness();

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString recordsDir() const { return dir_.path(); }
    QString settingsPath() const { return path(QStringLiteral("pomrola99.INI")); }
    // The settings file as it is now.
    QByteArray settingsText() const;
    // A folder where the settings file should be makes writing it fail.
    [[nodiscard]] bool makeSettingsUnwritable();

    // A press (and release) on the cell of (column, row).
    void click(int column, int row, Qt::MouseButton button = Qt::LeftButton);
    // A press on the cell through the harness's input.
    void press(int column, int row);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Shows the keyboard cursor (the first arrow only shows it) and steers it
    // to the cell, from wherever it was.
    void steerTo(int column, int row);
    // Fires the menu command of that object name.
    void trigger(const char* name);

    // Puts a board on the window as a loaded game would.
    void setBoard(const Board& board);
    // Puts a board on the window with its move count shown, as a new game has.
    void startWith(const Board& board);
    // Ends the game with that score: a board without moves, then a pick and
    // its cancel, which still complete the pair.
    void endGame(std::int32_t score);
    // Whether the window shows the game the clock deals, from a score of 0.
    ::testing::AssertionResult showsTheGameDealtAt(std::uint32_t clock);

    // The client area below the menu: header and board.
    QImage grabBoard();
    // Where the cell lies in grabBoard()'s picture.
    QRect cellRect(int column, int row);

    Input input = Input::Mouse;

    ScriptedPlatform platform;
    GameSession session;
    GameState& game() { return session.game; }
    TForm1& window() { return *form1_; }
    TForm2* form2 = nullptr;
    THelpForm* helpForm = nullptr;
    TReclamaForm* reclamaForm = nullptr;
    TAboutForm* aboutForm = nullptr;

private:
    QTemporaryDir dir_;
    std::unique_ptr<TForm1> form1_;
};

// For tests that play through the windows, each with a fresh harness.
class WindowTest : public ::testing::Test {
protected:
    GameHarness harness;
    TForm1& window = harness.window();
};

// The windows with OneMoveBoard on the board and its move count shown.
class OneMoveGame : public WindowTest {
protected:
    void SetUp() override { harness.startWith(OneMoveBoard()); }
};

}  // namespace pomrola::testing
