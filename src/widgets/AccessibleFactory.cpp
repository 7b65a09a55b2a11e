#include "AccessibleFactory.h"

#include "Announcer.h"
#include "BevelPanel.h"
#include "BoardAccessible.h"
#include "CellBoard.h"
#include "CellShape.h"
#include "OwnerDrawnList.h"
#include "ScrollPanel.h"
#include "ShadowLabel.h"
#include "TextAccessible.h"

namespace pomrola {

namespace {

QString LabelText(const QWidget& widget)
{
    return static_cast<const ShadowLabel&>(widget).text();
}

QString ScrollPanelText(const QWidget& widget)
{
    return static_cast<const ScrollPanel&>(widget).lines().join(u'\n');
}

QString ListText(const QWidget& widget)
{
    return static_cast<const OwnerDrawnList&>(widget).items().join(u'\n');
}

QString NoText(const QWidget&)
{
    return {};
}

QString AnnouncerText(const QWidget& widget)
{
    return static_cast<const Announcer&>(widget).text();
}

}  // namespace

QAccessibleInterface* WidgetsAccessibleFactory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String(CellShape::staticMetaObject.className()))
        return new CellAccessible(static_cast<CellShape*>(widget));
    if (className == QLatin1String(CellBoard::staticMetaObject.className()))
        return new BoardAccessible(static_cast<CellBoard*>(widget));
    if (className == QLatin1String(ShadowLabel::staticMetaObject.className()))
        return new TextAccessible(widget, QAccessible::StaticText, &LabelText);
    if (className == QLatin1String(BevelPanel::staticMetaObject.className()))
        return new TextAccessible(widget, QAccessible::Pane, &NoText);
    if (className == QLatin1String(ScrollPanel::staticMetaObject.className()))
        return new TextAccessible(widget, QAccessible::StaticText, &ScrollPanelText);
    if (className == QLatin1String(OwnerDrawnList::staticMetaObject.className()))
        return new TextAccessible(widget, QAccessible::StaticText, &ListText);
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new TextAccessible(widget, QAccessible::Notification, &AnnouncerText);
    return nullptr;
}

void InstallAccessibleFactory()
{
    QAccessible::installFactory(&WidgetsAccessibleFactory);
}

}  // namespace pomrola
