// The About box (dialog 103) with its drawn link to the maker's home page, and
// the addresses handed to the desktop: the home page and the update check.
#pragma once

#include <cstdint>

#include "platform/dialogs.h"
#include "platform/handles.h"
#include "platform/windows.h"

constexpr uint16_t LinkButton = 1025;
// The update address holds at most this many units, its terminating zero included.
constexpr int32_t UpdateAddressUnits = 200;

// The About box's state: the link font, held from initialisation to its close.
struct AboutBoxState {
  Font* LinkFont;
};
extern AboutBoxState AboutBox;

// Runs the About box modally over owner; its result is not used.
void RunAboutBox(Window* owner);
intptr_t AboutBoxHandler(const Message* message);

// Makes the link's font (underlined, weight 800, "Tahoma" and 10 points where
// the button's font names none), gives it to the button and sizes the button to
// its text plus the edges. Returns the font, or nullptr when none could be made.
Font* MakeLinkFont(Window* dialog);
// Draws the link button in blue on white.
void DrawLink(Window* dialog, uint16_t id, const DrawItemRequest* request);

void OpenHomePage(Window* window);
// Builds the update address and opens it.
void CheckForUpdates(Window* window);
// Asks the desktop to open address; whether it did is not checked.
void ShellOpen(Window* window, const char16_t* address);

// Appends text to buffer (length units used, capacity in all) in the address
// encoding: a space becomes '+', digits, ASCII letters, '.' and '/' stay, every
// other unit becomes '%' and at least two upper-case hex digits. Stops when
// the buffer is full (always zero-terminated); returns the new length.
int32_t AppendEncoded(char16_t* buffer, int32_t capacity, int32_t length, const char16_t* text);
// The update address: service, "cgi-bin/upgrade?p=arm/", the encoded product
// path and "&v=1.84a", cut to capacity - 1 units. Returns its length.
int32_t BuildUpdateAddress(char16_t* buffer, int32_t capacity);
