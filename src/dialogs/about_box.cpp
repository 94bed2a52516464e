#include "dialogs/about_box.h"

#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/shell_open.h"
#include "resources/dialog_templates.h"

AboutBoxState AboutBox;

namespace {

constexpr uint16_t AboutTemplate = 103;
constexpr int32_t LinkTextUnits = 100;
constexpr char16_t ProductPath[] = u"Orvanta/Darvo";

int32_t Length(const char16_t* text) {
  int32_t n = 0;
  while (text[n]) ++n;
  return n;
}

int32_t AppendPlain(char16_t* buffer, int32_t capacity, int32_t length, const char16_t* text) {
  for (int32_t i = 0; text[i] && length < capacity - 1; ++i) buffer[length++] = text[i];
  buffer[length] = 0;
  return length;
}

bool KeptAsIs(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'.' || c == u'/';
}

}  // namespace

void RunAboutBox(Window* owner) {
  RunDialog(AboutTemplate, owner, AboutBoxHandler, 0);
}

Font* MakeLinkFont(Window* dialog) {
  Window* control = GetDialogControl(dialog, LinkButton);
  Surface* surface = GetControlSurface(control);
  FontDescription description{};
  ReadControlFont(control, &description);
  description.Look |= FontUnderlined;
  if (!description.Face[0]) {
    const char16_t tahoma[] = u"Tahoma";
    for (int i = 0; tahoma[i]; ++i) description.Face[i] = tahoma[i];
  }
  if (description.Height == 0) description.Height = -(10 * PlatformMetric(MetricPixelsPerInchY)) / 72;
  description.Weight = WeightHeavy;
  Font* font = MakeFont(description.Face, description.Height, description.Weight, description.Look);
  if (font) {
    Font* previous = UseObject(surface, font);
    char16_t text[LinkTextUnits] = {};
    const int32_t length = ReadControlText(control, text, LinkTextUnits);
    SetControlFont(control, font, 1);
    const TextSize extent = MeasureRun(surface, text, length);
    const int32_t width = extent.Width + 2 * PlatformMetric(MetricEdgeWidth);
    const int32_t height = extent.Height + 2 * PlatformMetric(MetricEdgeHeight);
    const Rect place = GetWindowRect(control);
    MoveWindow(control, place.Left, place.Top, width, height, MoveAndRedraw);
    ShowWindow(control, ShowNormal);
    UseObject(surface, previous);
  }
  ReleaseControlSurface(control, surface);
  return font;
}

void DrawLink(Window* dialog, uint16_t id, const DrawItemRequest* request) {
  if (!request || !request->Target) return;
  char16_t text[LinkTextUnits] = {};
  const int32_t length = ReadControlText(GetDialogControl(dialog, id), text, LinkTextUnits);
  Surface* surface = request->Target;
  SetTextColour(surface, 0xFF0000);
  SetBackgroundMode(surface, BackgroundTransparent);
  SetBackColour(surface, 0xFFFFFF);
  DrawTextAt(surface, PlatformMetric(MetricEdgeWidth) / 2, 0, &request->Box, text, length);
}

intptr_t AboutBoxHandler(const Message* message) {
  Window* dialog = message->Target;
  switch (message->Kind) {
    case MsgInitDialog:
      AboutBox.LinkFont = MakeLinkFont(dialog);
      return 1;
    case MsgDrawItem:
      DrawLink(dialog, static_cast<uint16_t>(message->Word & 0xFFFF),
               reinterpret_cast<const DrawItemRequest*>(message->Long));
      return 1;
    case MsgCommand: {
      const uint16_t id = static_cast<uint16_t>(message->Word & 0xFFFF);
      if (id == 1 || id == 2) {
        EndDialog(dialog, id);
        FreeObject(AboutBox.LinkFont);
        AboutBox.LinkFont = nullptr;
      } else if (id == LinkButton) {
        OpenHomePage(message->Control ? message->Control : GetDialogControl(dialog, LinkButton));
      }
      return 0;
    }
    case MsgDestroy:
      // Closed some other way: the font still goes.
      FreeObject(AboutBox.LinkFont);
      AboutBox.LinkFont = nullptr;
      return 0;
    default:
      return 0;
  }
}

void OpenHomePage(Window* window) {
  ShellOpen(window, HomePageAddress);
}

int32_t AppendEncoded(char16_t* buffer, int32_t capacity, int32_t length, const char16_t* text) {
  static const char16_t Hex[] = u"0123456789ABCDEF";
  for (int32_t i = 0; text[i]; ++i) {
    const char16_t c = text[i];
    char16_t piece[6] = {};
    if (c == u' ') {
      piece[0] = u'+';
    } else if (KeptAsIs(c)) {
      piece[0] = c;
    } else {
      // '%' and the value in upper-case hex, at least two digits.
      int digits = c > 0xFFF ? 4 : (c > 0xFF ? 3 : 2);
      piece[0] = u'%';
      for (int d = 0; d < digits; ++d) piece[1 + d] = Hex[(c >> (4 * (digits - 1 - d))) & 0xF];
    }
    // A piece that does not fit whole is left out, and so is the rest.
    if (length + Length(piece) > capacity - 1) break;
    length = AppendPlain(buffer, capacity, length, piece);
  }
  if (capacity > 0) buffer[length < capacity ? length : capacity - 1] = 0;
  return length;
}

int32_t BuildUpdateAddress(char16_t* buffer, int32_t capacity) {
  if (capacity <= 0) return 0;
  buffer[0] = 0;
  int32_t length = AppendPlain(buffer, capacity, 0, UpdateServiceAddress);
  length = AppendPlain(buffer, capacity, length, u"cgi-bin/upgrade?p=arm/");
  length = AppendEncoded(buffer, capacity, length, ProductPath);
  return AppendPlain(buffer, capacity, length, u"&v=1.84a");
}

void CheckForUpdates(Window* window) {
  char16_t address[UpdateAddressUnits];
  BuildUpdateAddress(address, UpdateAddressUnits);
  ShellOpen(window, address);
}

void ShellOpen(Window* window, const char16_t* address) {
  OpenThroughShell(window, u"Open", address, 0, ShellOpenNoErrorUi);
}
