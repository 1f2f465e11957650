#pragma once
// The driver and the user-interface service know a window only as an opaque
// handle; in the wizard every handle is a widget.
#include <QWidget>

#include "platform/ui/UserInterface.h"

inline platform::WindowHandle HandleOf(QWidget* widget) { return static_cast<void*>(widget); }
inline QWidget* WidgetOf(platform::WindowHandle handle) { return static_cast<QWidget*>(handle); }
