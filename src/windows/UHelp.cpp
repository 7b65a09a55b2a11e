#include "UHelp.h"

#include "CentreOnScreenOnce.h"
#include "Fonts.h"
#include "ShadowLabel.h"
#include "Translated.h"
#include "WindowLook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

namespace pomrola {

const QStringList THelpForm::RulesText = {
    QT_TRANSLATE_NOOP("THelpForm", "В эту игру играть достаточно просто."),
    QString(),
    QT_TRANSLATE_NOOP("THelpForm", "Дано поле, заполненное разноцветными шарами . "),
    QStringLiteral("  "),
    QT_TRANSLATE_NOOP("THelpForm", "Необходимо поменять местами шарики так, чтобы по вертикали "),
    QT_TRANSLATE_NOOP("THelpForm", "или по  горизонтали рядом было не менее трех шаров одного "),
    QT_TRANSLATE_NOOP("THelpForm", "цвета, при этом переставлять шар можно только один раз."),
    QStringLiteral("  "),
    QT_TRANSLATE_NOOP("THelpForm", "Игра заканчивается только тогда, когда ни один шар нельзя "),
    QT_TRANSLATE_NOOP("THelpForm", "больше переместить."),
    QString(),
    QT_TRANSLATE_NOOP("THelpForm", "Желаю удачи ! ! ! "),
};

THelpForm::THelpForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    MakeGreenWindow(*this, "HelpForm", QCoreApplication::translate("THelpForm", "Правила игры"), QSize(449, 329));

    RxLabel1 = new ShadowLabel(QCoreApplication::translate("THelpForm", "игра   П О М Р О Л А "), this);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 27));
    RxLabel1->setTextColour(colours::Blue);
    RxLabel1->setShadow(palette().color(QPalette::Light), QPoint(-1, -1));
    RxLabel1->move(98, 12);  // sized when first shown: measuring loads its font

    SpeedButton1 = MakeCloseButton(this, QRect(46, 294, 368, 32), 13);
    connect(SpeedButton1, &QToolButton::clicked, this, &THelpForm::SpeedButton1Click);
}

void THelpForm::setVisible(bool visible)
{
    if (visible && !RichEdit1)
        buildRules();
    QDialog::setVisible(visible);
}

void THelpForm::buildRules()
{
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(8, 56, 433, 233);
    RichEdit1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13));
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    QPalette text = RichEdit1->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        text.setColor(group, QPalette::Base, colours::Green);
        text.setColor(group, QPalette::Text, colours::Yellow);
    }
    RichEdit1->setPalette(text);
    RichEdit1->setPlainText(Translated("THelpForm", RulesText).join(QLatin1Char('\n')));
    for (QTextBlock block = RichEdit1->document()->begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(format);
    }
    RichEdit1->setReadOnly(true);
    RichEdit1->setEnabled(false);  // no caret, no selection, no scrolling, no focus
}

void THelpForm::showEvent(QShowEvent* event)
{
    RxLabel1->resize(RxLabel1->sizeHint());
    CentreOnScreenOnce(*this);
    QDialog::showEvent(event);
}

void THelpForm::keyPressEvent(QKeyEvent* event)
{
    event->accept();  // Enter and Esc do not close the window
}

void THelpForm::SpeedButton1Click()
{
    accept();
}

}  // namespace pomrola
