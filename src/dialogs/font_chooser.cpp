#include "dialogs/font_chooser.h"

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/handheld.h"
#include "platform/memory.h"
#include "shell/app_state.h"
#include "shell/program_main.h"

FontChooserState FontChooser;

const int32_t FontSizeTable[15] = {10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 52, 72, 0};

namespace {

constexpr uint16_t FontChooserTemplate = 105;

void CopyFace(char16_t* to, const char16_t* from) {
  int i = 0;
  for (; from && i < 31 && from[i]; ++i) to[i] = from[i];
  for (; i < 32; ++i) to[i] = 0;
}

bool SameFace(const char16_t* a, const char16_t* b) {
  for (int i = 0; i < 32; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
  return true;
}

// The decimal text of a size.
void SizeText(int32_t size, char16_t* text) {
  char16_t digits[12];
  int n = 0;
  uint32_t value = size < 0 ? static_cast<uint32_t>(-static_cast<int64_t>(size)) : static_cast<uint32_t>(size);
  do {
    digits[n++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value);
  int at = 0;
  if (size < 0) text[at++] = u'-';
  while (n) text[at++] = digits[--n];
  text[at] = 0;
}

bool Checked(Window* dialog, uint16_t id) {
  return IsButtonChecked(GetDialogControl(dialog, id));
}

void FillFaceList(Window* dialog) {
  Window* list = GetDialogControl(dialog, FaceList);
  ListReset(list);
  for (FontFamilyEntry* entry = FontChooser.Head; entry; entry = entry->Next) ListAddItem(list, entry->Face);
  ListSelectPrefix(list, FontChooser.Edited->Face);
}

void FillSizeList(Window* dialog) {
  Window* list = GetDialogControl(dialog, SizeList);
  const int32_t size = FontChooser.Edited->Size;
  char16_t text[16];
  ListReset(list);
  if (size != 0 && size < 10) {
    SizeText(size, text);
    ListAddItem(list, text);
  }
  for (int i = 0; FontSizeTable[i]; ++i) {
    SizeText(FontSizeTable[i], text);
    ListAddItem(list, text);
  }
  if (size != 0) {
    SizeText(size, text);
    ListSelectPrefix(list, text);
  }
}

}  // namespace

int RunFontChooser(Window* owner, FontSpec* font) {
  return static_cast<int>(RunDialog(FontChooserTemplate, owner, FontChooserHandler, reinterpret_cast<intptr_t>(font)));
}

void InitFontChooser(Window* dialog, FontSpec* font) {
  Window* parent = GetParentWindow(dialog);
  Surface* surface = GetWindowSurface(parent);
  PrepareDialog(dialog, DialogSize | DialogFullScreen | DialogInputDown | DialogNoMenuBar);
  ResetFontList();
  FontChooser.Edited = font;
  // A letter base never chosen is Unicode from now on, however the dialog ends.
  if (font->LetterBase == 0) font->LetterBase = 1488;
  ShowLetterSample(dialog, font->LetterBase);
  switch (font->LetterBase) {
    case 97: SetButtonChecked(GetDialogControl(dialog, Base97Button), true); break;
    case 224: SetButtonChecked(GetDialogControl(dialog, Base224Button), true); break;
    case 1488: SetButtonChecked(GetDialogControl(dialog, Base1488Button), true); break;
    default: break;
  }
  if (!FontChooser.Head) ListFontFaces(surface, EnumerateFontFamilies, nullptr);
  ReleaseWindowSurface(parent, surface);
  FillFaceList(dialog);
  FillSizeList(dialog);
  FocusControl(GetDialogControl(dialog, FaceList));
}

int EnumerateFontFamilies(const char16_t* face, int charset, void*) {
  if (FontChooser.FreeEntries == 0) {
    const size_t bytes = sizeof(FontFamilyEntry) * FamilyBlockEntries;
    auto* block = static_cast<FontFamilyEntry*>(MemAlloc(bytes));
    if (!block) return 0;
    for (int i = 0; i < FamilyBlockEntries; ++i) block[i] = FontFamilyEntry{};
    block[0].BlockStart = 1;
    FontChooser.NextFree = block;
    FontChooser.FreeEntries = FamilyBlockEntries;
  }
  FontFamilyEntry* entry = FontChooser.NextFree++;
  --FontChooser.FreeEntries;
  CopyFace(entry->Face, face);
  entry->Charset = static_cast<uint8_t>(charset);
  if (!FontChooser.Tail) FontChooser.Tail = &FontChooser.Head;
  *FontChooser.Tail = entry;
  FontChooser.Tail = &entry->Next;
  return 1;
}

void ResetFontList() {
  FontChooser.Head = nullptr;
  FontChooser.Tail = &FontChooser.Head;
  FontChooser.NextFree = nullptr;
  FontChooser.FreeEntries = 0;
  CopyFace(FontChooser.SampleFace, nullptr);
  FontChooser.SampleHeight = 0;
  FontChooser.SampleFont = nullptr;
}

void FreeFontList() {
  FontFamilyEntry* entry = FontChooser.Head;
  while (entry) {
    // entry starts a block: find where the next block starts, then free this one.
    FontFamilyEntry* next = entry->Next;
    while (next && !next->BlockStart) next = next->Next;
    MemFree(entry);
    entry = next;
  }
  FontChooser.Head = nullptr;
  FontChooser.Tail = &FontChooser.Head;
  FontChooser.NextFree = nullptr;
  FontChooser.FreeEntries = 0;
}

void ShowLetterSample(Window* dialog, int32_t base) {
  for (int i = 0; i < 27; ++i) FontChooser.SampleText[i] = static_cast<char16_t>(base + 26 - i);
  FontChooser.SampleText[27] = 0;
  SetControlText(GetDialogControl(dialog, SampleBox), FontChooser.SampleText);
}

void ApplyFontChoice(Window* dialog, int mode) {
  Window* faces = GetDialogControl(dialog, FaceList);
  const int32_t face = ListSelection(faces);
  if (face >= 0) ListItemText(faces, face, FontChooser.SampleFace, 32);

  Window* sizes = GetDialogControl(dialog, SizeList);
  const int32_t size = ListSelection(sizes);
  if (size >= 0) {
    char16_t text[16];
    ListItemText(sizes, size, text, 16);
    // Every character counts as a digit, checked or not.
    uint32_t height = 0;
    for (int i = 0; text[i]; ++i) height = height * 10 + static_cast<uint32_t>(text[i] - u'0');
    FontChooser.SampleHeight = static_cast<int32_t>(height);
  }

  FreeObject(FontChooser.SampleFont);
  FontChooser.SampleFont = nullptr;

  if (mode == ChoiceAfterList && FontChooser.SampleFace[0]) {
    for (FontFamilyEntry* entry = FontChooser.Head; entry; entry = entry->Next) {
      if (!SameFace(entry->Face, FontChooser.SampleFace)) continue;
      // A Hebrew family shows Unicode letters; nothing switches back.
      if (entry->Charset == CharsetHebrew && !Checked(dialog, Base1488Button)) {
        SetButtonChecked(GetDialogControl(dialog, Base1488Button), true);
        SetButtonChecked(GetDialogControl(dialog, Base224Button), false);
        SetButtonChecked(GetDialogControl(dialog, Base97Button), false);
        ShowLetterSample(dialog, 1488);
      }
      break;
    }
  }

  if (mode != ChoiceOk) {
    FontChooser.SampleFont = MakeFont(FontChooser.SampleFace, FontChooser.SampleHeight, 0, FontPlain);
    SetControlFont(GetDialogControl(dialog, SampleBox), FontChooser.SampleFont, 1);
    return;
  }

  FontSpec* font = FontChooser.Edited;
  if (!font) return;
  if (FontChooser.SampleHeight != 0) font->Size = FontChooser.SampleHeight;
  if (Checked(dialog, Base224Button)) {
    font->LetterBase = 224;
  } else if (Checked(dialog, Base97Button)) {
    font->LetterBase = 97;
  } else if (Checked(dialog, Base1488Button)) {
    font->LetterBase = 1488;
  }
  if (FontChooser.SampleFace[0]) CopyFace(font->Face, FontChooser.SampleFace);
}

void LayoutFontChooser(Window* dialog, int32_t width, int32_t height) {
  const int32_t w = width - 14;
  const int32_t h = height - 14;
  const int32_t d = 2 * w / 3;
  const int32_t f = 2 * h / 3;
  MoveWindow(GetDialogControl(dialog, FaceList), 7, 7, d - 7, f - 7, MoveAndRedraw);
  MoveWindow(GetDialogControl(dialog, SizeList), d + 7, 59, w - d, f - 59, MoveAndRedraw);
  MoveWindow(GetDialogControl(dialog, SampleBox), 7, f, w, h - f, MoveAndRedraw);
  MoveWindow(GetDialogControl(dialog, Base97Button), d + 7, 7, w - d, 10, MoveAndRedraw);
  MoveWindow(GetDialogControl(dialog, Base224Button), d + 7, 24, w - d, 10, MoveAndRedraw);
  MoveWindow(GetDialogControl(dialog, Base1488Button), d + 7, 41, w - d, 10, MoveAndRedraw);
}

intptr_t FontChooserHandler(const Message* message) {
  Window* dialog = message->Target;
  switch (message->Kind) {
    case MsgInitDialog:
      InitFontChooser(dialog, reinterpret_cast<FontSpec*>(message->Long));
      return 1;
    case MsgSize:
      LayoutFontChooser(dialog, static_cast<int32_t>(message->Long & 0xFFFF),
                        static_cast<int32_t>((message->Long >> 16) & 0xFFFF));
      return 0;
    case MsgActivate:
      if (message->Word == ActivateOn && App.TaskBar) ShowWindow(App.TaskBar, ShowHidden);
      return 0;
    case MsgCommand:
      switch (message->Word & 0xFFFF) {
        case 1:
          ApplyFontChoice(dialog, ChoiceOk);
          FreeFontList();
          EndDialog(dialog, 1);
          return 0;
        case 2:
          FreeFontList();
          EndDialog(dialog, 2);
          return 0;
        case FaceList:
        case SizeList:
          ApplyFontChoice(dialog, ChoiceAfterList);
          return 0;
        case Base224Button:
        case Base1488Button:
        case Base97Button: {
          const uint16_t id = message->Word & 0xFFFF;
          ShowLetterSample(dialog, id == Base224Button ? 224 : id == Base1488Button ? 1488 : 97);
          ApplyFontChoice(dialog, ChoiceAfterBase);
          return 0;
        }
        default:
          return 0;
      }
    case MsgDestroy:
      FreeObject(FontChooser.SampleFont);
      FontChooser.SampleFont = nullptr;
      // A dialog closed neither by OK nor by Cancel still gives its list back.
      FreeFontList();
      FontChooser.Edited = nullptr;
      return 0;
    default:
      return 0;
  }
}
