#pragma once

#include "GameSession.h"
#include "Pomrola99_U1.h"
#include "ScriptedPlatform.h"

#include "FindControl.h"

#include <QTemporaryDir>

#include <memory>

namespace pomrola {
class TAboutForm;
class TForm2;
class THelpForm;
class TReclamaForm;
}  // namespace pomrola

namespace pomrola::testing {

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

    // A press (and release) on the cell of (column, row).
    void click(int column, int row, Qt::MouseButton button = Qt::LeftButton);
    // Puts a board on the window as a loaded game would.
    void setBoard(const Board& board);

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

}  // namespace pomrola::testing
