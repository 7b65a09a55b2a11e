#include "UReclama.h"

#include "CentreOnScreenOnce.h"
#include "Fonts.h"
#include "ShadowLabel.h"
#include "WindowLook.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace pomrola {

const QString TReclamaForm::ContactAddress = QStringLiteral("reklama@pomrola.example");

namespace {

constexpr int ClientWidth = 442;
constexpr int ClientHeight = 248;

ShadowLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, int height,
                       const QColor& colour)
{
    auto* label = new ShadowLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(PixelFont(QStringLiteral("Times New Roman"), height, true));
    label->setTextColour(colour);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

}  // namespace

TReclamaForm::TReclamaForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    MakeGreenWindow(*this, "ReclamaForm", QCoreApplication::translate("TReclamaForm", "Ваша реклама"),
                    QSize(ClientWidth, ClientHeight));

    RxLabel1 =
        MakeLabel(this, "RxLabel1", QCoreApplication::translate("TReclamaForm", "А это место\nдля Вашей рекламы"),
                  QRect(0, 0, ClientWidth, 145), 40, colours::Maroon);
    RxLabel1->setShadow(colours::Lime, QPoint(1, 1));
    RxLabel2 = MakeLabel(
        this, "RxLabel2",
        QCoreApplication::translate("TReclamaForm", "Свои предложения по размещению рекламы посылать по адресу:\n") +
            ContactAddress,
        QRect(0, 145, ClientWidth, 88), 16, colours::Yellow);
    RxLabel2->setShadow(colours::Maroon, QPoint(1, 1));
    Label1 = MakeLabel(this, "Label1", QCoreApplication::translate("TReclamaForm", "Нажмите любую клавишу"),
                       QRect(0, 233, ClientWidth, 15), 13, Qt::black);
    Label1->setShadow(Qt::black, QPoint(0, 0));

    for (ShadowLabel* label : {RxLabel1, RxLabel2, Label1})
        connect(label, &ShadowLabel::clicked, this, &TReclamaForm::RxLabel1Click);
}

void TReclamaForm::showEvent(QShowEvent* event)
{
    CentreOnScreenOnce(*this, true);
    QDialog::showEvent(event);
}

void TReclamaForm::keyPressEvent(QKeyEvent* event)
{
    // Tab (alone or with Shift) is keyboard navigation and leaves the window open.
    const bool navigation = (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
                            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    event->accept();
    if (!navigation)
        FormKeyDown();
}

void TReclamaForm::RxLabel1Click()
{
    accept();
}

void TReclamaForm::FormKeyDown()
{
    accept();
}

}  // namespace pomrola
