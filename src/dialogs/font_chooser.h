// The font chooser: edits the current FontSpec's face, size and letter base
// in dialog 105, with a sample of the 27 letters in the chosen font.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "platform/windows.h"
#include "textpane/font_spec.h"

// One enumerated font family. Entries come 25 to a zero-filled block; the
// first entry of each block carries BlockStart, so each block is freed once.
struct FontFamilyEntry {
  FontFamilyEntry* Next;
  char16_t Face[32];
  uint8_t Charset;     // as the platform reports it; 177 is Hebrew
  uint8_t BlockStart;
};

constexpr int FamilyBlockEntries = 25;

// The chooser's state while its dialog is open.
struct FontChooserState {
  FontSpec* Edited;  // the FontSpec being edited (not owned)
  // The family list: its head, where the next entry is chained, the next free
  // entry of the current block and how many are still free there.
  FontFamilyEntry* Head;
  FontFamilyEntry** Tail;
  FontFamilyEntry* NextFree;
  int FreeEntries;
  // The sample: its face and height (the rest of its description is zero),
  // the font made from them and the 27 letters with their terminating zero.
  char16_t SampleFace[32];
  int32_t SampleHeight;
  Font* SampleFont;
  char16_t SampleText[28];
};
extern FontChooserState FontChooser;

// Controls of dialog 105.
enum : uint16_t {
  FaceList = 1001,
  SampleBox = 1002,
  Base97Button = 1003,  // addressed, but template 105 has none
  Base224Button = 1004,
  Base1488Button = 1005,
  SizeList = 1006,
};

// ApplyFontChoice's modes.
enum FontChoiceMode : int { ChoiceAfterBase = 0, ChoiceOk = 1, ChoiceAfterList = 2 };

// The sizes offered, in this order, ended by 0.
extern const int32_t FontSizeTable[15];

// Runs the chooser modally over owner on font; returns 1 for OK, 2 for Cancel
// (-1 when the dialog could not be made).
int RunFontChooser(Window* owner, FontSpec* font);

// The dialog's message handling.
intptr_t FontChooserHandler(const Message* message);

void InitFontChooser(Window* dialog, FontSpec* font);
// The per-family step of ListFontFaces: chains one entry; 0 stops the listing
// (no block could be had), 1 goes on.
int EnumerateFontFamilies(const char16_t* face, int charset, void* context);
// Forgets the family list (without freeing it) and the sample state.
void ResetFontList();
// Frees every block of the family list once, then resets it.
void FreeFontList();
void ShowLetterSample(Window* dialog, int32_t base);
void ApplyFontChoice(Window* dialog, int mode);
// Places the controls for a client area of width by height pixels.
void LayoutFontChooser(Window* dialog, int32_t width, int32_t height);
