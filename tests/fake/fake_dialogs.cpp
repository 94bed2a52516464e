#include "fake/fake_dialogs.h"

#include <cstdio>

#include "fake/fake_drawing.h"
#include "fake/fake_windows.h"
#include "platform/drawing.h"
#include "resources/dialog_templates.h"
#include "resources/resources.h"

FakeDialogsState FakeDialogs;

namespace {

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

void Log(const std::string& line) {
  FakeWindows.Log.push_back(line);
}

const DialogResource* FindTemplate(uint16_t id) {
  for (const ResourceEntry* entry = ProgramResources; entry->Type; ++entry) {
    if (entry->Type == ResourceDialog && entry->Id == id) return static_cast<const DialogResource*>(entry->Data);
  }
  return nullptr;
}

bool Live(Window* window) {
  return window && !window->Destroyed;
}

FakeDialogRun* RunOf(Window* dialog) {
  for (FakeDialogRun& run : FakeDialogs.Runs) {
    if (run.Dialog == dialog) return &run;
  }
  return nullptr;
}

intptr_t Deliver(Window* window, uint32_t kind, uint32_t word, intptr_t extra, Window* control) {
  if (!Live(window) || !window->Handler) return 0;
  const Message message{window, kind, word, extra, control};
  return window->Handler(&message);
}

Window* NewChild(FakeWindowKind kind, Window* parent) {
  Window* window = new Window{};
  window->Kind = kind;
  window->Parent = parent;
  window->Visible = true;
  FakeWindows.Windows.push_back(window);
  return window;
}

std::u16string Lower(const std::u16string& text) {
  std::u16string out = text;
  for (char16_t& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return out;
}

int32_t CopyOut(const std::u16string& text, char16_t* buffer, int32_t capacity) {
  if (!buffer || capacity <= 0) return 0;
  const int32_t n = std::min<int32_t>(static_cast<int32_t>(text.size()), capacity - 1);
  for (int32_t i = 0; i < n; ++i) buffer[i] = text[i];
  buffer[n] = 0;
  return n;
}

FakeControl* ListOf(Window* list) {
  FakeControl* control = FakeControlOf(list);
  return control && control->Kind == ControlKindListBox ? control : nullptr;
}

}  // namespace

FakeControl* FakeControlOf(Window* control) {
  if (!control) return nullptr;
  auto found = FakeDialogs.Controls.find(control);
  return found == FakeDialogs.Controls.end() ? nullptr : &found->second;
}

Window* FakeCurrentDialog() {
  for (auto run = FakeDialogs.Runs.rbegin(); run != FakeDialogs.Runs.rend(); ++run) {
    if (!run->Ended) return run->Dialog;
  }
  return nullptr;
}

void FakeUserCommand(Window* dialog, uint16_t id, uint32_t notification) {
  Deliver(dialog, MsgCommand, id | (notification << 16), 0, id > 2 ? GetDialogControl(dialog, id) : nullptr);
}

void FakeClickRadio(Window* dialog, uint16_t id) {
  for (auto& [window, control] : FakeDialogs.Controls) {
    if (window->Parent == dialog && control.Kind == ControlKindRadioButton) control.Checked = control.Id == id;
  }
  FakeUserCommand(dialog, id, NotifyClicked);
}

void FakeChooseListItem(Window* dialog, uint16_t id, int32_t index) {
  FakeControl* list = ListOf(GetDialogControl(dialog, id));
  if (!list) return;
  list->Selection = index;
  FakeUserCommand(dialog, id, NotifySelectionChanged);
}

void FakeResizeDialog(Window* dialog, int width, int height) {
  if (!Live(dialog)) return;
  dialog->Place = {0, 0, width, height};
  dialog->ClientWidth = width;
  dialog->ClientHeight = height;
  Deliver(dialog, MsgSize, 0, static_cast<intptr_t>((width & 0xFFFF) | ((height & 0xFFFF) << 16)), nullptr);
}

void FakeDrawControl(Window* dialog, uint16_t id) {
  Window* window = GetDialogControl(dialog, id);
  FakeControl* control = FakeControlOf(window);
  if (!control) return;
  Surface* surface = FakeCreateSurface();
  Font* previous = control->UsedFont ? UseObject(surface, control->UsedFont) : nullptr;
  DrawItemRequest request{window, id, surface,
                          Rect{0, 0, window->Place.Right - window->Place.Left, window->Place.Bottom - window->Place.Top}};
  Deliver(dialog, MsgDrawItem, id, reinterpret_cast<intptr_t>(&request), window);
  if (previous) UseObject(surface, previous);
  FakeFreeSurface(surface);
}

void FakeResetDialogs() {
  FakeDialogs = {};
  FakeDialogs.BaseUnitX = 6;
  FakeDialogs.BaseUnitY = 16;
  FakeDialogs.ShellOpenAnswer = true;
}

// Dialogs.

intptr_t RunDialog(uint16_t templateId, Window* owner, WindowHandler handler, intptr_t value) {
  Log("RunDialog " + std::to_string(templateId));
  const DialogResource* resource = FindTemplate(templateId);
  if (!resource || !handler) return -1;
  const int32_t bx = FakeDialogs.BaseUnitX;
  const int32_t by = FakeDialogs.BaseUnitY;
  Window* dialog = NewChild(FakeDialogWindow, owner);
  dialog->ClassName = u"dialog" + std::u16string(1, u'0' + templateId / 100) +
                      std::u16string(1, u'0' + templateId / 10 % 10) + std::u16string(1, u'0' + templateId % 10);
  dialog->Title = resource->Caption ? resource->Caption : u"";
  dialog->Handler = handler;
  dialog->ClientWidth = resource->Width * bx / 4;
  dialog->ClientHeight = resource->Height * by / 8;
  dialog->Place = {0, 0, dialog->ClientWidth, dialog->ClientHeight};
  for (int i = 0; i < resource->Count; ++i) {
    const DialogControlResource& item = resource->Controls[i];
    Window* window = NewChild(FakeControlWindow, dialog);
    window->ClassName = u"control";
    if (item.Id != NoControlId) {
      std::u16string digits;
      for (uint16_t v = item.Id; v; v /= 10) digits.insert(digits.begin(), static_cast<char16_t>(u'0' + v % 10));
      window->ClassName = u"control" + digits;
    }
    int32_t width = item.Width * bx / 4;
    int32_t height = item.Height * by / 8;
    if (item.Kind == ControlKindPicture) {
      Bitmap* bitmap = LoadBitmapResource(item.BitmapId);
      const TextSize size = BitmapSize(bitmap);
      FreeBitmap(bitmap);
      width = size.Width;
      height = size.Height;
    }
    const int32_t x = item.X * bx / 4;
    const int32_t y = item.Y * by / 8;
    window->Place = {x, y, x + width, y + height};
    FakeControl control{};
    control.Kind = item.Kind;
    control.Id = item.Id;
    control.Style = item.Style;
    control.Selection = -1;
    if (item.Text) control.Text = item.Text;
    FakeDialogs.Controls[window] = control;
  }
  FakeDialogs.Runs.push_back({templateId, dialog, owner, 0, false});
  Deliver(dialog, MsgInitDialog, 0, value, nullptr);
  while (!RunOf(dialog)->Ended && !FakeDialogs.Script.empty()) {
    auto step = std::move(FakeDialogs.Script.front());
    FakeDialogs.Script.pop_front();
    step(dialog);
  }
  if (!RunOf(dialog)->Ended) FakeUserCommand(dialog, 2);
  if (!RunOf(dialog)->Ended) {
    ++FakeDialogs.LeftOpen;
    EndDialog(dialog, 2);
  }
  if (FakeDialogs.Focus && FakeDialogs.Focus->Parent == dialog) FakeDialogs.Focus = nullptr;
  DestroyWindow(dialog);
  return RunOf(dialog)->Result;
}

void EndDialog(Window* dialog, intptr_t result) {
  FakeDialogRun* run = RunOf(dialog);
  if (!run || run->Ended) return;
  Log("EndDialog " + std::to_string(run->TemplateId) + " " + std::to_string(result));
  run->Ended = true;
  run->Result = result;
}

Window* GetDialogControl(Window* dialog, uint16_t id) {
  if (!Live(dialog) || id == NoControlId) return nullptr;
  for (auto& [window, control] : FakeDialogs.Controls) {
    if (window->Parent == dialog && control.Id == id && Live(window)) return window;
  }
  return nullptr;
}

uint16_t GetControlId(Window* control) {
  FakeControl* state = FakeControlOf(control);
  return state ? state->Id : NoControlId;
}

void GetDialogBaseUnits(Window*, int32_t* x, int32_t* y) {
  *x = FakeDialogs.BaseUnitX;
  *y = FakeDialogs.BaseUnitY;
}

// Controls.

int32_t ListAddItem(Window* list, const char16_t* text) {
  FakeControl* control = ListOf(list);
  if (!control || !text) return -1;
  const std::u16string item = text;
  size_t at = control->Items.size();
  if (control->Style & ControlSorted) {
    const std::u16string key = Lower(item);
    at = 0;
    while (at < control->Items.size() && Lower(control->Items[at]) <= key) ++at;
  }
  control->Items.insert(control->Items.begin() + static_cast<long>(at), item);
  if (control->Selection >= static_cast<int32_t>(at)) ++control->Selection;
  return static_cast<int32_t>(at);
}

void ListReset(Window* list) {
  if (FakeControl* control = ListOf(list)) {
    control->Items.clear();
    control->Selection = -1;
  }
}

int32_t ListSelectPrefix(Window* list, const char16_t* prefix) {
  FakeControl* control = ListOf(list);
  if (!control) return -1;
  const std::u16string key = Lower(prefix ? prefix : u"");
  for (size_t i = 0; i < control->Items.size(); ++i) {
    if (Lower(control->Items[i]).compare(0, key.size(), key) == 0) {
      control->Selection = static_cast<int32_t>(i);
      return control->Selection;
    }
  }
  return -1;
}

int32_t ListSelection(Window* list) {
  FakeControl* control = ListOf(list);
  return control ? control->Selection : -1;
}

int32_t ListItemCount(Window* list) {
  FakeControl* control = ListOf(list);
  return control ? static_cast<int32_t>(control->Items.size()) : 0;
}

int32_t ListItemText(Window* list, int32_t index, char16_t* buffer, int32_t capacity) {
  FakeControl* control = ListOf(list);
  if (!control || index < 0 || index >= static_cast<int32_t>(control->Items.size())) {
    if (buffer && capacity > 0) buffer[0] = 0;
    return -1;
  }
  return CopyOut(control->Items[static_cast<size_t>(index)], buffer, capacity);
}

bool IsButtonChecked(Window* button) {
  FakeControl* control = FakeControlOf(button);
  return control && control->Kind == ControlKindRadioButton && control->Checked;
}

void SetButtonChecked(Window* button, bool checked) {
  FakeControl* control = FakeControlOf(button);
  if (control && control->Kind == ControlKindRadioButton) control->Checked = checked;
}

void SetControlText(Window* window, const char16_t* text) {
  if (FakeControl* control = FakeControlOf(window)) control->Text = text ? text : u"";
}

int32_t ReadControlText(Window* window, char16_t* buffer, int32_t capacity) {
  FakeControl* control = FakeControlOf(window);
  if (!control) {
    if (buffer && capacity > 0) buffer[0] = 0;
    return 0;
  }
  return CopyOut(control->Text, buffer, capacity);
}

void SetControlFont(Window* window, Font* font, int) {
  if (FakeControl* control = FakeControlOf(window)) {
    control->UsedFont = font;
    ++control->FontSets;
  }
}

bool ReadControlFont(Window* window, FontDescription* description) {
  FakeControl* control = FakeControlOf(window);
  if (!control || !description) return false;
  if (control->UsedFont) {
    *description = FontDescription{};
    const std::u16string& face = control->UsedFont->Face;
    for (size_t i = 0; i < face.size() && i < 31; ++i) description->Face[i] = face[i];
    description->Height = control->UsedFont->Height;
    description->Weight = control->UsedFont->Weight;
    description->Look = control->UsedFont->Look;
    return true;
  }
  if (!FakeDialogs.ControlsShowDialogFont) return false;
  *description = FakeDialogs.DialogFont;
  return true;
}

void FocusControl(Window* window) {
  FakeControl* control = FakeControlOf(window);
  if (!control) return;
  Log("FocusControl " + std::to_string(control->Id));
  Window* previous = FakeDialogs.Focus;
  FakeDialogs.Focus = window;
  if (previous == window) return;
  if (FakeControl* old = FakeControlOf(previous); old && old->Kind == ControlKindListBox && (old->Style & ControlNotify)) {
    Deliver(previous->Parent, MsgCommand, old->Id | (NotifyFocusLost << 16), 0, previous);
  }
  if (control->Kind == ControlKindListBox && (control->Style & ControlNotify)) {
    Deliver(window->Parent, MsgCommand, control->Id | (NotifyFocusGained << 16), 0, window);
  }
}

Surface* GetControlSurface(Window* window) {
  FakeControl* control = FakeControlOf(window);
  if (!control) return nullptr;
  Surface* surface = FakeCreateSurface();
  if (control->UsedFont) UseObject(surface, control->UsedFont);
  return surface;
}

void ReleaseControlSurface(Window*, Surface* surface) {
  if (!surface) return;
  UseObject(surface, &surface->DefaultFont);
  FakeFreeSurface(surface);
}

// The shell.

bool OpenThroughShell(Window* owner, const char16_t* verb, const char16_t* target, int showState, unsigned flags) {
  FakeShellOpen call{owner, verb ? verb : u"", target ? target : u"", showState, flags};
  char tail[32];
  std::snprintf(tail, sizeof tail, " %d 0x%X", showState, flags);
  Log("OpenThroughShell " + Narrow(call.Verb) + " " + Narrow(call.Target) + tail);
  FakeDialogs.ShellOpens.push_back(call);
  return FakeDialogs.ShellOpenAnswer;
}
