#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace pomrola {

// Gives the owner-drawn controls their screen-reader view. Qt asks the
// factory only when a reader (or a test) asks for an object, so a game
// without one builds nothing of it.
QAccessibleInterface* WidgetsAccessibleFactory(const QString& className, QObject* object);
void InstallAccessibleFactory();

}  // namespace pomrola
