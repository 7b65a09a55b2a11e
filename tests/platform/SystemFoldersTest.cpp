#include "QtPlatform.h"
#include "SystemFolders.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using namespace pomrola;

namespace {

TEST(SystemFolders, TrailingSeparatorsGoExceptAtARoot)
{
    // Given and kept, with '/' standing for the native separator.
    const std::pair<const char*, const char*> cases[] = {
        {"/", "/"},
        {"/tmp", "/tmp"},
        {"/tmp/", "/tmp"},
        {"/tmp///", "/tmp"},
        {"/tmp/records/", "/tmp/records"},
        {"relative/", "relative"},
        {"C:/", "C:/"},
        {"C:/Games/", "C:/Games"},
        {"", ""},
    };
    for (const auto& [given, kept] : cases)
        EXPECT_EQ(WithoutTrailingSeparator(QString::fromUtf8(given)), QDir::toNativeSeparators(QString::fromUtf8(kept)))
            << given;
}

// The folder the game was started in, where a first run keeps its records.
TEST(SystemFolders, CurrentFolderIsTheWorkingFolderWithoutItsSeparator)
{
    const QString started = QDir::currentPath();
    QTemporaryDir dir;
    ASSERT_TRUE(QDir::setCurrent(dir.path() + QStringLiteral("/")));
    EXPECT_EQ(CurrentFolder(), QDir::toNativeSeparators(dir.path()));
    EXPECT_FALSE(CurrentFolder().endsWith(QDir::separator()));
    ASSERT_TRUE(QDir::setCurrent(QDir::rootPath()));
    EXPECT_EQ(CurrentFolder(), QDir::toNativeSeparators(QDir::rootPath()));  // a root keeps its separator
    ASSERT_TRUE(QDir::setCurrent(started));
}

TEST(NameFilters, PairsOfTextAndPatternBecomeQtFilters)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"Игры|*.sav", "Игры (*.sav)"},
        {"Игры|*.sav|Все файлы|*.*", "Игры (*.sav);;Все файлы (*.*)"},
        {"Текст|*.txt;*.sav", "Текст (*.txt;*.sav)"},
        {"Без образца", ""},
        {"Игры|*.sav|Лишнее", "Игры (*.sav)"},
    };
    for (const auto& [given, qt] : cases)
        EXPECT_EQ(ToQtNameFilters(QString::fromUtf8(given)), QString::fromUtf8(qt)) << given;
}

}  // namespace
