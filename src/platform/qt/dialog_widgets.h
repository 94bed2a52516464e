// Qt-side helpers shared by the dialog platform and the drawing surface.
#pragma once

#include <QFont>

#include "platform/handles.h"

// The QFont of a font made by MakeFont (the default QFont for nullptr).
// Defined with the drawing surface, which owns the Font record.
QFont QtFontOf(Font* font);
