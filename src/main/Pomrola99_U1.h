#pragma once

#include "GameSession.h"
#include "KeyboardPlay.h"
#include "TurnController.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace pomrola {

class AsideWork;
class Announcer;
class BevelPanel;
class CellBoard;
class CellShape;
class FolderEdit;
class Platform;
class ShadowLabel;
struct PlayerSettings;
class TAboutForm;
class TForm2;
class THelpForm;
class TReclamaForm;

// Where the window keeps what survives a restart.
struct StoragePaths {
    QString settingsFile;  // the profile file with the player's name and records folder
    QString placementOrganization = QStringLiteral("trumvex");
    QString placementApplication = QStringLiteral("pomrola");
};

// The main window: score and moves counters, the 8 by 8 board and the menu.
// Board presses go through ShapeMouseDown to the turn controller.
class TForm1 : public QMainWindow, private TurnView {
    Q_OBJECT
public:
    TForm1(Platform& platform, GameSession& session, StoragePaths storage, QWidget* parent = nullptr);
    ~TForm1() override;

    // The four secondary windows, created after this one.
    void setCompanions(TForm2* records, THelpForm* help, TReclamaForm* reclama, TAboutForm* about);

    // Paints every cell from the board; the colour of a code outside the
    // table is the one painted just before it.
    void ShowBoard() override;

    void setVisible(bool visible) override;

    CellShape* cell(int column, int row) const;
    bool moveInProgress() const { return turns_.moveInProgress(); }
    bool firstPicked() const { return turns_.firstPicked(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Menu commands.
    void MnuNewClick();
    void MnuSaveClick();
    void MnuLoadClick();
    void MnuRecClick();
    void MnuExitClick();
    void MnuHelpClick();
    void MnuAboutClick();
    void N4Click();
    void N5Click();

    void buildHeader(QWidget* client);
    void buildBoard(QWidget* client);
    void buildMenu();
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                        void (TForm1::*handler)());

    bool FormCloseQuery();

    void ShapeMouseDown(CellShape* cell);

    // What the turn controller shows through this window.
    void showScore(std::int32_t score) override;
    void showMovesLeft(std::int32_t moves) override;
    QString scoreText() const override;
    void setCaption(const QString& caption) override;
    void showRecords(const QString& caption) override;
    void showAdvertisement() override;
    void closeNow() override;
    QWidget* dialogParent() override { return this; }
    void reportMove(const MoveResult& result) override;

    void DirEdtBeforeDialog();
    void DirEdtAfterDialog(const QString& folder);
    // A records load runs aside on a copy of the table, shared with the work,
    // which may outlive the wait; finishing it takes the copy, or tells the
    // player why not.
    struct RecordsLoad {
        RecordsBook book;
        bool ok = false;
        std::unique_ptr<AsideWork> work;
    };
    std::shared_ptr<RecordsLoad> startRecordsLoad(const QString& folder);
    void finishRecordsLoad(RecordsLoad& load, bool startUp);
    void reloadRecords();
    // Takes the settings and the records load the constructor started before making the controls.
    void FormCreate(const PlayerSettings& settings, RecordsLoad& records);

    void restorePlacement();
    void savePlacement();

    // F6: a symbol inside every ball, for players who cannot tell the colours apart.
    void toggleSymbols();
    void applySymbols();

    Platform& platform_;
    GameSession& session_;
    GameState& game_;
    StoragePaths storage_;

    CellBoard* board_ = nullptr;
    std::array<CellShape*, 64> cells_{};  // s11, s12, ... s18, s21, ... s88
    std::uint32_t paintColour_ = 0;       // carried from cell to cell and call to call
    TurnController turns_;
    std::unique_ptr<KeyboardPlay> keyboard_;

    ShadowLabel* RxLabel6 = nullptr;
    ShadowLabel* RxLabel3 = nullptr;  // score counter
    ShadowLabel* RxLabel4 = nullptr;  // moves counter
    ShadowLabel* RxLabel2 = nullptr;
    FolderEdit* DirEdt = nullptr;
    Announcer* announcer_ = nullptr;  // made at the first move a screen reader hears
    bool placementRestored_ = false;
    std::optional<bool> symbols_;  // nothing until the settings file or F6 gives a choice
    QString saveFileName_ = QStringLiteral("*.sav");

    TForm2* Form2 = nullptr;
    THelpForm* HelpForm = nullptr;
    TReclamaForm* ReclamaForm = nullptr;
    TAboutForm* AboutForm = nullptr;
};

}  // namespace pomrola
