#include "FindControl.h"
#include "OwnerDrawnList.h"
#include "Pomr_Rec_U.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace pomrola;

namespace {

TEST(RecordsWindow, FillsFromTheSortedTableOnCreateAndShow)
{
    RecordsBook book;
    for (int i = 0; i < RecordsCount; ++i)  // ascending: must be sorted
        book.table[static_cast<std::size_t>(i)] = {"n" + QByteArray::number(i), (i + 1) * 10};
    TForm2 window(book);
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox1")->count(), 20);
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox1")->items().first(), QStringLiteral("n19"));
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox2")->items().first(), QStringLiteral("200"));
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox2")->items().last(), QStringLiteral("10"));
    EXPECT_EQ(book.LowestRecord, 10);
    EXPECT_EQ(window.size(), QSize(246, 402));
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox1")->geometry(), QRect(2, 2, 146, 398));
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox2")->geometry(), QRect(147, 2, 97, 398));
    EXPECT_FALSE(Control<OwnerDrawnList>(window, "ListBox1")->isEnabled());

    // Between showings the table may change; showing fills again.
    book.table[19] = {"late", 5};
    book.table[0] = {"", 0};
    window.show();
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox2")->items().last(), QStringLiteral("5"));
    EXPECT_EQ(book.LowestRecord, 5);
    window.hide();
}

TEST(RecordsWindow, EmptyTableAndEntriesAfterTheFirstEmptyOne)
{
    RecordsBook book;
    book.LowestRecord = 99;
    TForm2 window(book);
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox1")->count(), 0);
    EXPECT_EQ(book.LowestRecord, 0);

    book.table[0] = {"a", 30};
    book.table[1] = {"minus", -4};  // sorts below the empty entries: never shown
    window.FormCreate();
    EXPECT_EQ(Control<OwnerDrawnList>(window, "ListBox1")->items(), QStringList{QStringLiteral("a")});
    EXPECT_EQ(book.LowestRecord, 30);
}

TEST(RecordsWindow, OnlyEscCloses)
{
    RecordsBook book;
    book.table[0] = {"R&D", 10};
    TForm2 window(book);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_A, Qt::Key_F4})
        QTest::keyClick(&window, key);
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(Control<OwnerDrawnList>(window, "ListBox1"), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
