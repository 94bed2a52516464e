// Pane layout: the two text panes of the main window, the commentary section
// below the article with its red separator, the scroll bars and the gutter.
#pragma once

#include <cstdint>

#include "platform/handles.h"

// What PaintPanes and PaintWindow paint.
enum PaintFlags : uint32_t {
  PaintTop = 0x1,      // the top pane
  PaintBottom = 0x2,   // the bottom section
  EraseTop = 0x100,    // the top pane is erased first
};

// ResizePanes' marker: lay out again for the last notified client size.
constexpr uint32_t ReapplySize = 0xBAADF00D;

// Colours of the bottom section (0x00BBGGRR).
constexpr uint32_t BottomSectionColour = 0xFFFFEE;  // pale cyan
constexpr uint32_t SeparatorColour = 0x0000FF;      // red

// True for the six bottom-section codes 1, 12, 13, 14, 23, 34.
bool IsBottomSectionCode(int code);

// Creates both panes and their scroll bars on the window's surface and loads
// the current lesson and its commentary. 0; 1 when the top pane cannot be made;
// the message box's answer when the current lesson is missing.
int CreatePanes(Window* window);
void CreateBottomSection(Window* window, Surface* surface, const Rect* area);

// The bottom section's share of height h for the current code.
int BottomSectionHeight(int h);

// Divides width x height between the panes; both come back as the top pane's size.
void SplitPanes(int* width, int* height);

// The window's size notification (width | height << 16), or ReapplySize.
void ResizePanes(Window* window, uint32_t size);

// Loads lesson Lesson + 1 into the bottom pane at its first line. 0, or the
// answer of the "Resource not found" box.
int LoadBottomLesson(Window* window);

// Paints on surface, or on a repaint of window when surface is nullptr.
void PaintWindow(Surface* surface, Window* window, uint32_t flags);
// Paints the panes of window (nullptr: the main window) and brings both scroll bars in step.
void PaintPanes(Window* window, uint32_t flags);
void PaintBottomSection(Surface* surface);

// A tap that the top pane did not take: 1 when it paged the bottom pane.
int TapBottomPane(Window* window, int x, int y);

// Brings a scroll bar up to ActivePane (TopPane when none); both bars to their panes.
void SyncScrollBar(Window* scrollBar);
void SyncScrollBars();

// Shows "Resource not found" over window; returns the answer.
int ReportMissingLesson(Window* window);
