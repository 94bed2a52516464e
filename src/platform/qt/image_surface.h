// Surfaces over a window's retained backing image, for the Qt window platform.
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/handles.h"

// Makes a surface that draws into image (not owned; it may be reassigned, e.g.
// resized, while the surface lives). After each drawing operation the changed
// area is passed to owner->update() so the widget copies it to the screen;
// owner may be nullptr. Selected objects start at the surface defaults.
Surface* CreateImageSurface(QImage* image, QWidget* owner);
// Releases a surface made by CreateImageSurface (not the image); nullptr is ignored.
void FreeImageSurface(Surface* surface);
// The image a surface draws into (nullptr for nullptr).
QImage* SurfaceImage(Surface* surface);
