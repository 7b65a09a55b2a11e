#include "QtPlatform.h"
#include "SystemFolders.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pomrola;

namespace {

struct FolderCase {
    const char* given;
    const char* kept;  // with '/' standing for the native separator
};

TEST(SystemFolders, TrailingSeparatorsGoExceptAtARoot)
{
    const FolderCase cases[] = {
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
    for (const FolderCase& c : cases) {
        const QString expected = QDir::toNativeSeparators(QString::fromUtf8(c.kept));
        EXPECT_EQ(WithoutTrailingSeparator(QString::fromUtf8(c.given)), expected) << c.given;
    }
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

struct FilterCase {
    const char* given;
    const char* qt;
};

TEST(NameFilters, PairsOfTextAndPatternBecomeQtFilters)
{
    const FilterCase cases[] = {
        {"", ""},
        {"Игры|*.sav", "Игры (*.sav)"},
        {"Игры|*.sav|Все файлы|*.*", "Игры (*.sav);;Все файлы (*.*)"},
        {"Текст|*.txt;*.sav", "Текст (*.txt;*.sav)"},
        {"Без образца", ""},
        {"Игры|*.sav|Лишнее", "Игры (*.sav)"},
    };
    for (const FilterCase& c : cases)
        EXPECT_EQ(ToQtNameFilters(QString::fromUtf8(c.given)), QString::fromUtf8(c.qt)) << c.given;
}

}  // namespace
