// Messages about files that cannot be written give their reason in Russian,
// never in Qt's English error texts. Run as nobody when the tests run as root,
// so that the permission cases fail as they do for players.
#include "GameHarness.h"
#include "ShadowLabel.h"
#include "TestFiles.h"
#include "Unprivileged.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

constexpr QFileDevice::Permissions ReadOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions ReadWrite = ReadOnly | QFileDevice::WriteOwner;

// The reason ends the message after its last ": ", and has no Latin letter.
::testing::AssertionResult EndsInARussianReason(const QString& message)
{
    const qsizetype colon = message.lastIndexOf(QStringLiteral(": "));
    const QString reason = colon < 0 ? QString() : message.mid(colon + 2);
    if (reason.isEmpty())
        return ::testing::AssertionFailure() << "no reason in: " << message.toStdString();
    for (const QChar c : reason) {
        if (c.isLetter() && c.script() != QChar::Script_Cyrillic)
            return ::testing::AssertionFailure() << "reason not in Russian: " << message.toStdString();
    }
    return ::testing::AssertionSuccess();
}

TEST(FailureReasons, AreRussianForRecordsSavedGamesAndSettings)
{
    POMROLA_WITHOUT_PRIVILEGES();
    GameHarness harness;

    // Records: a records file this user may not write, then a folder he may not write.
    const QString records = harness.path(QStringLiteral("Pomrola99.rec"));
    QFile::setPermissions(records, QFileDevice::ReadOwner);
    harness.endGame(60);
    QFile::setPermissions(records, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString sharedFolder = harness.path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(sharedFolder));
    QFile::setPermissions(sharedFolder, ReadOnly);
    harness.session.RecordsDir = sharedFolder;
    harness.endGame(70);
    QFile::setPermissions(sharedFolder, ReadWrite);
    ASSERT_EQ(harness.platform.messages.size(), 2);

    // Saved games: a missing folder, a folder this user may not write (a new
    // file, and over an old one, which stays whole), a file he may not write.
    const QString lockedFolder = harness.path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(lockedFolder));
    const QString oldGame = lockedFolder + QStringLiteral("/old.sav");
    ASSERT_TRUE(writeAll(oldGame, "old contents"));
    const QString readOnlyGame = harness.path(QStringLiteral("read-only.sav"));
    ASSERT_TRUE(writeAll(readOnlyGame, "old"));
    QFile::setPermissions(readOnlyGame, QFileDevice::ReadOwner);
    QFile::setPermissions(lockedFolder, ReadOnly);
    ASSERT_FALSE(QFile(lockedFolder + QStringLiteral("/probe")).open(QIODevice::WriteOnly))
        << "running with rights that ignore folder permissions";
    for (const QString& target : {harness.path(QStringLiteral("no-such-folder/game.sav")),
                                  lockedFolder + QStringLiteral("/game.sav"), oldGame, readOnlyGame}) {
        harness.platform.saveAnswers.push_back(target);
        harness.trigger("MnuSave");
    }
    QFile::setPermissions(lockedFolder, ReadWrite);
    ASSERT_EQ(harness.platform.messages.size(), 6);
    EXPECT_TRUE(harness.platform.messages[2].contains(QStringLiteral("game.sav")));
    EXPECT_EQ(readAll(oldGame), QByteArray("old contents"));

    // Settings at close: a folder stands where the file should be.
    ASSERT_TRUE(harness.makeSettingsUnwritable());
    harness.window().show();
    harness.window().close();
    ASSERT_EQ(harness.platform.messages.size(), 7);
    // Its text is fixed: the file's name, and no reason of Qt's after it.
    EXPECT_TRUE(harness.platform.messages.takeLast().endsWith(QStringLiteral("pomrola99.INI")));

    for (const QString& message : harness.platform.messages)
        EXPECT_TRUE(EndsInARussianReason(message));
}

}  // namespace
