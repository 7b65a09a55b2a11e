#include "WindowLook.h"

#include "Fonts.h"

#include <QCoreApplication>
#include <QToolButton>

namespace pomrola {

void MakeGreenWindow(QWidget& window, const char* objectName, const QString& caption, QSize clientSize)
{
    window.setObjectName(QLatin1String(objectName));
    window.setWindowTitle(caption);
    window.setFixedSize(clientSize);
    window.setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette green = window.palette();
    green.setColor(QPalette::Window, colours::Green);
    window.setPalette(green);
    window.setAutoFillBackground(true);
}

QToolButton* MakeCloseButton(QWidget* parent, QRect geometry, int fontHeight)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("SpeedButton1"));
    button->setText(QCoreApplication::translate("WindowLook", "Закрыть"));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(geometry);
    button->setFont(PixelFont(QStringLiteral("MS Sans Serif"), fontHeight, true));
    QPalette lime = button->palette();
    lime.setColor(QPalette::ButtonText, colours::Lime);
    button->setPalette(lime);
    return button;
}

}  // namespace pomrola
