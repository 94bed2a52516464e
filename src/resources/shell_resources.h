// The main window's resources: menu 102, its bar description, the toolbar
// strip 114, the icon 101 and the index icons 201-203.
#pragma once

#include "resources/resources.h"

extern const MenuResource Menu102;
extern const BarResource Bar102;
extern const BitmapResource Bitmap114;
extern const BitmapResource Icon101;
extern const BitmapResource Bitmap201;
extern const BitmapResource Bitmap202;
extern const BitmapResource Bitmap203;
