#include "GameHarness.h"

#include "CellShape.h"
#include "Pomr_Rec_U.h"
#include "UAbout.h"
#include "UHelp.h"
#include "UReclama.h"

#include <QFile>
#include <QTest>

namespace pomrola::testing {

GameHarness::GameHarness() : GameHarness(Options{})
{}

GameHarness::GameHarness(Options options)
{
    platform.clock = options.clock;
    QByteArray settings = options.settingsFile;
    if (settings.isEmpty())
        settings = "[Data]\r\nName=User\r\nDirectory=" + dir_.path().toUtf8() + "\r\n";
    QFile settingsFile(settingsPath());
    settingsFile.open(QIODevice::WriteOnly);
    settingsFile.write(settings);
    settingsFile.close();
    if (options.createRecordsFile) {
        QFile records(path(QStringLiteral("Pomrola99.rec")));
        records.open(QIODevice::WriteOnly);
    }

    StoragePaths storage{settingsPath(), QStringLiteral("pomrola-tests"), dir_.path().section(QLatin1Char('/'), -1)};
    form1_ = std::make_unique<TForm1>(platform, session, storage);
    form2 = new TForm2(session.records, form1_.get());
    helpForm = new THelpForm(form1_.get());
    reclamaForm = new TReclamaForm(form1_.get());
    aboutForm = new TAboutForm(platform, form1_.get());
    form1_->setCompanions(form2, helpForm, reclamaForm, aboutForm);
}

GameHarness::~GameHarness() = default;

void GameHarness::click(int column, int row, Qt::MouseButton button)
{
    QTest::mouseClick(form1_->cell(column, row), button);
}

void GameHarness::setBoard(const Board& board)
{
    session.game.board = board;
    form1_->ShowBoard();
}

}  // namespace pomrola::testing
