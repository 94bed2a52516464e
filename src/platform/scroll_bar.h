// Vertical scroll bars: child controls of a window. Their requests reach the
// parent as MsgVerticalScroll (codes of ScrollCode) with the bar as Control.
#pragma once

#include "platform/handles.h"

// Makes a visible vertical scroll bar, a child of parent at (x, y) in parent's
// client pixels, PlatformMetric(MetricScrollBarWidth) wide (drawing.h), with
// the platform's default height.
// Returns it, or nullptr.
Window* CreateScrollBar(Window* parent, int x, int y);

// Sets the range minimum..maximum and the thumb position, and redraws the bar.
// The bar never moves by itself: only this call moves its thumb.
void SetScrollBar(Window* bar, int minimum, int maximum, int position);
