#include "Pomrola99_U1.h"

#include "Announcer.h"
#include "BevelPanel.h"
#include "CellBoard.h"
#include "CellShape.h"
#include "CentreOnScreenOnce.h"
#include "FolderEdit.h"
#include "Fonts.h"
#include "Platform.h"
#include "Pomr_Rec_U.h"
#include "ReaderName.h"
#include "SettingsFile.h"
#include "ShadowLabel.h"
#include "SystemColours.h"
#include "Translated.h"
#include "UAbout.h"
#include "UFunc.h"
#include "UHelp.h"
#include "UReclama.h"
#include "WindowPlacement.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>

namespace pomrola {

namespace {

constexpr int ClientWidth = 399;
constexpr int ClientHeight = 432;
constexpr int CellSide = 50;

// Cells are kept column by column, s11 .. s18, s21 .. s88, as they are created.
std::size_t CellIndex(int column, int row)
{
    const int index = (column - 1) * BoardSize + (row - 1);
    return static_cast<std::size_t>(index);
}
const QColor PanelGreen(0, 128, 0);
const QColor LabelBlue(0, 0, 255);
const QColor LabelAqua(0, 255, 255);
const QColor CounterYellow(255, 255, 0);
const QColor CounterRed(255, 0, 0);

ShadowLabel* MakeHeaderLabel(QWidget* panel, const char* name, const QString& text, QRect geometry,
                             Qt::Alignment alignment, const QFont& font, const QColor& colour, const QColor& shadow)
{
    auto* label = new ShadowLabel(text, panel);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setFont(font);
    label->setTextColour(colour);
    label->setShadow(shadow, QPoint(-1, -1));
    return label;
}

PlacementStore MainFormPlacement(const StoragePaths& storage)
{
    return PlacementStore{storage.placementOrganization, storage.placementApplication,
                          QStringLiteral("storage/MainForm")};
}

}  // namespace

TForm1::TForm1(Platform& platform, GameSession& session, StoragePaths storage, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      session_(session),
      game_(session.game),
      storage_(std::move(storage)),
      turns_(platform, session, *this)
{
    setObjectName(QStringLiteral("Form1"));
    // The program's title names its task-bar entry where the system keeps a
    // name for that apart from the caption (the icon name on X11).
    setWindowIconText(ApplicationTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);

    // The settings name the records folder; its load runs on another core
    // while the controls are made, and FormCreate takes its result.
    const PlayerSettings settings = ReadSettings(storage_.settingsFile);
    session_.records.pendingPath = PendingResultsPath(storage_.settingsFile);
    const std::shared_ptr<RecordsLoad> records = startRecordsLoad(settings.directory);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    buildHeader(client);
    buildBoard(client);
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate(settings, *records);
}

TForm1::~TForm1() = default;

void TForm1::setCompanions(TForm2* records, THelpForm* help, TReclamaForm* reclama, TAboutForm* about)
{
    Form2 = records;
    HelpForm = help;
    ReclamaForm = reclama;
    AboutForm = about;
}

void TForm1::buildHeader(QWidget* client)
{
    auto* header = new QWidget(client);
    header->setObjectName(QStringLiteral("HeaderPanel"));
    header->setGeometry(0, 0, ClientWidth, 29);

    auto* scorePanel = new BevelPanel(header);
    scorePanel->setObjectName(QStringLiteral("ScorePanel"));
    scorePanel->setGeometry(0, 0, 201, 29);
    auto* movesPanel = new BevelPanel(header);
    movesPanel->setObjectName(QStringLiteral("MovesPanel"));
    movesPanel->setGeometry(ClientWidth - 197, 0, 197, 29);
    // Names for screen readers; nothing of them is drawn.
    SetReaderName(*scorePanel, QCoreApplication::translate("TForm1", "Счёт"));
    SetReaderName(*movesPanel, QCoreApplication::translate("TForm1", "Осталось ходов"));
    for (BevelPanel* panel : {scorePanel, movesPanel}) {
        panel->setFill(PanelGreen);
        panel->setBevels(BevelPanel::Bevel::None, BevelPanel::Bevel::Lowered);
    }

    const QFont counterFont = PixelFont(QStringLiteral("MS Sans Serif"), 27);
    RxLabel6 =
        MakeHeaderLabel(scorePanel, "RxLabel6", QCoreApplication::translate("TForm1", "С Ч Е Т"), QRect(1, 1, 118, 27),
                        Qt::AlignLeft, PixelFont(QStringLiteral("Tahoma"), 24, true), LabelBlue, LabelAqua);
    SetReaderName(*RxLabel6, ReaderName(*scorePanel));
    RxLabel3 = MakeHeaderLabel(scorePanel, "RxLabel3", QStringLiteral("0"), QRect(119, 1, 81, 27), Qt::AlignHCenter,
                               counterFont, CounterYellow, CounterRed);
    RxLabel4 = MakeHeaderLabel(movesPanel, "RxLabel4", QStringLiteral("0"), QRect(1, 1, 77, 27), Qt::AlignHCenter,
                               counterFont, CounterYellow, CounterRed);
    RxLabel2 = MakeHeaderLabel(movesPanel, "RxLabel2", QCoreApplication::translate("TForm1", "ОСТАЛОСЬ"),
                               QRect(78, 1, 118, 27), Qt::AlignRight, PixelFont(QStringLiteral("Tahoma"), 19, true),
                               LabelBlue, LabelAqua);
}

void TForm1::buildBoard(QWidget* client)
{
    auto* board = new CellBoard(client);
    board_ = board;
    board->setObjectName(QStringLiteral("BoardPanel"));
    SetReaderName(*board, QCoreApplication::translate("TForm1", "Поле"));
    board->setGeometry(0, 31, 401, 400);
    const QColor face = palette().color(QPalette::Button);
    for (int column = 1; column <= BoardSize; ++column) {
        for (int row = 1; row <= BoardSize; ++row) {
            auto* shape = new CellShape(board);
            shape->setObjectName(QStringLiteral("s%1%2").arg(column).arg(row));
            shape->setGeometry((column - 1) * CellSide, (row - 1) * CellSide, CellSide, CellSide);
            shape->setOutlineColour(face);
            shape->setBackdrop(board->palette().color(QPalette::Window));
            connect(shape, &CellShape::pressed, this, &TForm1::ShapeMouseDown);
            cells_[CellIndex(column, row)] = shape;
            board->addCell(shape, column, row);
        }
    }
    DirEdt = new FolderEdit(board);
    DirEdt->setObjectName(QStringLiteral("DirEdt"));
    keyboard_ = std::make_unique<KeyboardPlay>(*board, turns_);
}

QAction* TForm1::addCommand(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                            void (TForm1::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    // While a move resolves, menu commands and their keys are ignored; the
    // exit command is a close request, which waits for the move to end.
    connect(action, &QAction::triggered, this, [this, handler] {
        if (!turns_.moveInProgress() || handler == &TForm1::MnuExitClick)
            (this->*handler)();
    });
    return action;
}

void TForm1::buildMenu()
{
    QMenu* game = menuBar()->addMenu(QCoreApplication::translate("TForm1", "Игра"));
    game->setObjectName(QStringLiteral("Game"));
    addCommand(game, "MnuNew", QCoreApplication::translate("TForm1", "Заново"), QKeySequence(Qt::Key_F4),
               &TForm1::MnuNewClick);
    addCommand(game, "MnuSave", QCoreApplication::translate("TForm1", "Сохранить"), QKeySequence(Qt::Key_F2),
               &TForm1::MnuSaveClick);
    addCommand(game, "MnuLoad", QCoreApplication::translate("TForm1", "Загрузить"), QKeySequence(Qt::Key_F3),
               &TForm1::MnuLoadClick);
    addCommand(game, "MnuRec", QCoreApplication::translate("TForm1", "Рекорды"), QKeySequence(Qt::Key_F5),
               &TForm1::MnuRecClick);
    game->addSeparator()->setObjectName(QStringLiteral("N3"));
    QMenu* recordsFile = game->addMenu(QCoreApplication::translate("TForm1", "Файл рекордов"));
    recordsFile->setObjectName(QStringLiteral("MnuRecFile"));
    addCommand(recordsFile, "N4", QCoreApplication::translate("TForm1", "На этой машине"), QKeySequence(),
               &TForm1::N4Click);
    addCommand(recordsFile, "N5", QCoreApplication::translate("TForm1", "По сети"), QKeySequence(), &TForm1::N5Click);
    game->addSeparator()->setObjectName(QStringLiteral("N1"));
    addCommand(game, "MnuExit", QCoreApplication::translate("TForm1", "Вы&ход"), QKeySequence(Qt::CTRL | Qt::Key_X),
               &TForm1::MnuExitClick);

    QMenu* help = menuBar()->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("Hlp"));
    addCommand(help, "MnuHelp", QCoreApplication::translate("TForm1", "Правила игры"), QKeySequence(),
               &TForm1::MnuHelpClick);
    help->addSeparator()->setObjectName(QStringLiteral("N2"));
    addCommand(help, "MnuAbout", QCoreApplication::translate("TForm1", "О программе"), QKeySequence(),
               &TForm1::MnuAboutClick);

    // A key of the window, not of the menu: the menu stays as it is.
    auto* symbols = new QAction(this);
    symbols->setObjectName(QStringLiteral("ActSymbols"));
    symbols->setShortcut(QKeySequence(Qt::Key_F6));
    addAction(symbols);
    connect(symbols, &QAction::triggered, this, &TForm1::toggleSymbols);
}

void TForm1::FormCreate(const PlayerSettings& settings, RecordsLoad& records)
{
    ReseedRandom(game_, platform_.utcMillisecondsOfDay());
    session_.PlayerName = settings.name;
    session_.RecordsDir = settings.directory;
    symbols_ = settings.symbols;
    applySymbols();
    finishRecordsLoad(records, true);
    setWindowTitle(Translated("GameSession", GameTitle) +
                   QCoreApplication::translate("TForm1", "      Игрок : (без имени) "));
    NewGame(game_, platform_.utcMillisecondsOfDay());
    RxLabel4->setText(QString::number(game_.MovesLeft));
    ShowBoard();
}

CellShape* TForm1::cell(int column, int row) const
{
    return cells_[CellIndex(column, row)];
}

void TForm1::ShowBoard()
{
    for (int k = 0; k < BoardSize * BoardSize; ++k) {
        const int row = k % BoardSize + 1;
        const int column = k / BoardSize + 1;
        std::uint32_t colour = 0;
        if (LookUpColour(game_.board.at(column, row), colour))
            paintColour_ = colour;
        cell(column, row)->setFillColour(ColourFromReference(paintColour_, palette()));
        cell(column, row)->setSymbolCode(game_.board.at(column, row));
        cell(column, row)->setForm(CellShape::Form::Circle);
    }
}

void TForm1::ShapeMouseDown(CellShape* cell)
{
    keyboard_->mousePressed();
    turns_.press(*cell);
}

void TForm1::showScore(std::int32_t score)
{
    RxLabel3->setText(QString::number(score));
}

void TForm1::showMovesLeft(std::int32_t moves)
{
    RxLabel4->setText(QString::number(moves));
}

QString TForm1::scoreText() const
{
    return RxLabel3->text();
}

void TForm1::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TForm1::showRecords(const QString& caption)
{
    if (!Form2)
        return;
    Form2->setWindowTitle(caption);
    platform_.showModal(*Form2);
}

void TForm1::showAdvertisement()
{
    if (ReclamaForm)
        platform_.showModal(*ReclamaForm);
}

void TForm1::closeNow()
{
    close();
}

void TForm1::reportMove(const MoveResult& result)
{
    if (!QAccessible::isActive())
        return;
    if (!announcer_) {
        announcer_ = new Announcer(centralWidget());
        announcer_->setObjectName(QStringLiteral("Announcer"));
    }
    announcer_->announce(MoveReportText(result));
}

void TForm1::MnuNewClick()
{
    if (ReclamaForm)
        platform_.showModal(*ReclamaForm);
    NewGame(game_, platform_.utcMillisecondsOfDay());
    ShowBoard();
    RxLabel4->setText(QString::number(game_.MovesLeft));
    RxLabel3->setText(QStringLiteral("0"));
    update();
}

void TForm1::MnuRecClick()
{
    if (!Form2)
        return;
    Form2->setWindowTitle(QCoreApplication::translate("TForm1", "Рекорды"));
    platform_.showModal(*Form2);
}

void TForm1::MnuHelpClick()
{
    if (HelpForm)
        platform_.showModal(*HelpForm);
}

void TForm1::MnuAboutClick()
{
    if (AboutForm)
        platform_.showModal(*AboutForm);
}

void TForm1::MnuExitClick()
{
    close();
}

void TForm1::setVisible(bool visible)
{
    // Placed before the native window exists, so that the window manager puts
    // the frame, not the client area, at the stored corner.
    if (visible && !placementRestored_) {
        placementRestored_ = true;
        restorePlacement();
    }
    QMainWindow::setVisible(visible);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing waits until the move has been played out.
    if (turns_.deferClose()) {
        event->ignore();
        return;
    }
    FormCloseQuery();
    savePlacement();
    event->accept();
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (!keyboard_->keyPressed(*event))
        QMainWindow::keyPressEvent(event);
}

bool TForm1::FormCloseQuery()
{
    PlayerSettings settings;
    settings.name = session_.PlayerName;
    settings.directory = session_.RecordsDir;
    settings.symbols = symbols_;
    const std::optional<QString> error = WriteSettings(storage_.settingsFile, settings);
    if (error)
        platform_.showMessage(this, *error);
    return true;  // the program closes even when the settings could not be written
}

void TForm1::restorePlacement()
{
    if (!RestorePlacement(MainFormPlacement(storage_), *this))
        CentreOnScreenOnce(*this);
}

void TForm1::savePlacement()
{
    SavePlacement(MainFormPlacement(storage_), *this);
}

void TForm1::toggleSymbols()
{
    symbols_ = !symbols_.value_or(false);
    applySymbols();
}

void TForm1::applySymbols()
{
    for (CellShape* shape : cells_)
        shape->setShowSymbol(symbols_.value_or(false));
}

}  // namespace pomrola
