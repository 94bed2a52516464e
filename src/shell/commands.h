// Commands, navigation between articles, keys, scroll bars and taps.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "platform/windows.h"

struct TextPane;

// GoToLesson's marker: show the current lesson again (a search hit) instead of a lesson number.
constexpr uint32_t KeepCurrentLesson = 0xF4FFF500;

// Runs a command id of a menu, the toolbar or a second start: 0 handled, 1 not handled.
int RunCommand(Window* window, uint16_t id);

// Makes target current and shows it in the top pane (its commentary below,
// unless KeepCurrentLesson). 0 shown, 1 not loadable (nothing changed).
int GoToLesson(Window* window, uint32_t target);

// Moves delta lessons on, wrapping after 346 to 1 and before 1 to 345.
int StepArticle(Window* window, int delta);
int NextArticle(Window* window);
int PreviousArticle(Window* window);

// Lines a page moves for a paging field value (2 or 4: half the painted lines,
// else the painted lines less one).
int PageAmount(const TextPane* pane, uint32_t field);

// The paging field values of Flags.
uint32_t KeyPagingField();
uint32_t TapPagingField();

// True when (x, y) lies in the pane or within the gutter left, right or above it.
bool PointInPane(const TextPane* pane, int x, int y);

// A tap on a pane: makes it active and, with tap paging, pages it. 1 when paged.
int TapPane(Window* window, TextPane* pane, int x, int y, int repaint);

// The stylus-down message at client point (x, y).
void HandleTap(Window* window, int x, int y);

// The key-down message.
void HandleKeyDown(Window* window, uint32_t key);

// The vertical-scroll message of one of the panes' scroll bars.
void HandleVerticalScroll(Window* window, const Message* message);
