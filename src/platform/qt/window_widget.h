// The widget behind a Window handle, for the Qt platform files.
#pragma once

#include <QWidget>

#include "platform/handles.h"

// The QWidget that stands for a window handle, or nullptr for none.
QWidget* OwnerWidget(Window* window);
