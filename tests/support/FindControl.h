#pragma once

#include "ShadowLabel.h"

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

namespace pomrola {

// The window's control of that type and object name, found as a player's
// tools find it; a missing control fails the test rather than crashing it.
template <typename T>
T* Control(const QObject& window, const char* name)
{
    T* control = window.findChild<T*>(QLatin1String(name));
    if (!control)
        throw std::runtime_error(std::string("no control named ") + name);
    return control;
}

inline ShadowLabel* Label(const QObject& window, const char* name)
{
    return Control<ShadowLabel>(window, name);
}

}  // namespace pomrola
