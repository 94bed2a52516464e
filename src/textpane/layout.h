// Line layout: breaks an article document into the line table of a text pane.
// Right-to-left paragraphs are stored in display order; the layout reverses a
// copy into reading order, breaks it, and keeps each line as one run of the
// stored text, which drawn from left to right reads correctly.
#pragma once

#include <cstdint>

#include "textpane/text_pane.h"

// What LayoutDocument does with the pane's current document.
enum LayoutDocumentMode : int {
  KeepDocument = 0,  // laying out the same document again
  FreePrevious = 1,  // a new document is handed over: free the old one first
};

// Statuses of LayoutDocument besides 0 (laid out) and -1 (no pane).
constexpr int LayoutNoDocument = 2;
constexpr int LayoutRefused = 0xFFFC;    // first record unusable; the document stays the caller's
constexpr int LayoutNoMemory = 0xFFFE;   // the document stays the caller's

// Rebuilds the pane's line table for document and takes ownership of it (on
// status 0). Clears the highlight; never changes FirstVisible. Leaves the
// surface with the font it found.
int LayoutDocument(TextPane* pane, uint8_t* document, int mode);

// Makes room for 128 more lines. Returns 0, or -2 when memory cannot be had
// (the entry at index then becomes the terminator).
int GrowLineTable(TextPane* pane, uint16_t index);

// Sets and returns MaxFirstVisible: the first display line from which the
// document's last line is the last one that fits. -1 (nothing changed) when
// the pane has no table, no document, no lines or no display lines.
int ComputeMaxFirstVisible(TextPane* pane);

// Scrolls so that the line holding document offset (ends included) is on top,
// or as far as MaxFirstVisible allows. Returns 1 when a line holds it, else 0.
int ShowOffset(TextPane* pane, uint16_t offset);
