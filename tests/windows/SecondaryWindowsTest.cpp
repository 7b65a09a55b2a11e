#include "FindControl.h"
#include "ShadowLabel.h"
#include "UHelp.h"
#include "UReclama.h"

#include <QKeyEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace pomrola;

namespace {

template <typename Window>
void ShowAndWait(Window& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

// Each window's places and texts are in tests/main/WindowLayoutTest.
TEST(RulesWindow, TwelveLinesAndOnlyTheCloseButtonClosesIt)
{
    THelpForm window;
    EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowSystemMenuHint);
    ShowAndWait(window);
    const QTextEdit* rules = Control<QTextEdit>(window, "RichEdit1");
    EXPECT_FALSE(rules->isEnabled());
    EXPECT_TRUE(rules->isReadOnly());

    QStringList lines;
    for (QTextBlock block = rules->document()->begin(); block.isValid(); block = block.next()) {
        lines << block.text();
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("В эту игру играть достаточно просто."));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[3], QStringLiteral("  "));
    EXPECT_EQ(lines[5], QStringLiteral("или по  горизонтали рядом было не менее трех шаров одного "));
    EXPECT_EQ(lines[11], QStringLiteral("Желаю удачи ! ! ! "));

    // Only the close button closes it.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(&window, key);
        EXPECT_TRUE(window.isVisible()) << "closed by key " << key;
    }
    QTest::mouseClick(Control<QTextEdit>(window, "RichEdit1")->viewport(), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Control<QToolButton>(window, "SpeedButton1")->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(Control<QToolButton>(window, "SpeedButton1"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST(AdvertisementWindow, OffersTheAddressAndAPointingHand)
{
    TReclamaForm window;
    const QString offer = Label(window, "RxLabel2")->text();
    EXPECT_TRUE(offer.startsWith(QStringLiteral("Свои предложения по размещению рекламы посылать по адресу:\n")));
    EXPECT_TRUE(offer.endsWith(QStringLiteral("@pomrola.example")));
    EXPECT_EQ(Control<ShadowLabel>(window, "RxLabel1")->cursor().shape(), Qt::PointingHandCursor);
}

TEST(AdvertisementWindow, AnyKeyButTabAndAClickOnAnyLabelClose)
{
    TReclamaForm window;
    const std::pair<Qt::Key, Qt::KeyboardModifiers> closing[] = {
        {Qt::Key_Shift, Qt::ShiftModifier}, {Qt::Key_Control, Qt::ControlModifier}, {Qt::Key_Alt, Qt::AltModifier},
        {Qt::Key_F4, Qt::NoModifier},       {Qt::Key_F5, Qt::NoModifier},           {Qt::Key_A, Qt::NoModifier},
        {Qt::Key_Escape, Qt::NoModifier},   {Qt::Key_Tab, Qt::ControlModifier},
    };
    for (const auto& [key, modifiers] : closing) {
        ShowAndWait(window);
        QTest::keyPress(&window, key, modifiers);
        EXPECT_FALSE(window.isVisible()) << key;
    }
    ShowAndWait(window);
    QTest::keyClick(&window, Qt::Key_Tab);
    EXPECT_TRUE(window.isVisible());
    // Shift+Tab as one event: the Shift press on its own would close the window.
    QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&window, &backtab);
    EXPECT_TRUE(window.isVisible());
    window.hide();
    for (const char* name : {"RxLabel1", "RxLabel2", "Label1"}) {
        ShadowLabel* label = Control<ShadowLabel>(window, name);
        ShowAndWait(window);
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible()) << label->objectName().toStdString();
    }
}

}  // namespace
