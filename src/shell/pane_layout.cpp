#include "shell/pane_layout.h"

#include "documents/lesson_store.h"
#include "platform/drawing.h"
#include "platform/memory.h"
#include "platform/menus.h"
#include "platform/message_box.h"
#include "platform/scroll_bar.h"
#include "platform/windows.h"
#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "textpane/layout.h"
#include "textpane/paint.h"
#include "textpane/text_pane.h"

bool IsBottomSectionCode(int code) {
  switch (code) {
    case 1:
    case 12:
    case 13:
    case 14:
    case 23:
    case 34: return true;
    default: return false;
  }
}

int ReportMissingLesson(Window* window) {
  return ShowMessageBox(window, u"Resource not found", u"Error", BoxButtonsOk | BoxIconExclamation);
}

// Hands a loaded document to a pane; a document the layout refused is still ours to free.
static void GiveDocument(TextPane* pane, uint8_t* document, int mode) {
  const int status = LayoutDocument(pane, document, mode);
  if (status == LayoutRefused || status == LayoutNoMemory || status == -1) MemFree(document);
}

int BottomSectionHeight(int h) {
  // A stored code outside the six (a units digit of 0 would divide by zero) counts as a half.
  const int code = IsBottomSectionCode(App.BottomSection) ? App.BottomSection : 12;
  return h * (code / 10) / (code % 10);
}

void CreateBottomSection(Window* window, Surface* surface, const Rect* area) {
  App.BottomRect.Left = area->Left;
  App.BottomRect.Right = area->Right;
  SetMenuRadio(BottomSectionMenu(), 401, 434, static_cast<uint16_t>(400 + App.BottomSection));
  App.BottomPane = CreateTextPane(surface, &App.BottomRect, &App.font, 100);
  if (!App.BottomPane) return;
  App.BottomScrollBar = CreateScrollBar(window, App.BottomRect.Right, App.BottomRect.Top);
  App.TopScrollBar = CreateScrollBar(window, App.BottomRect.Right, App.BottomRect.Top);
  App.ActiveScrollBar = App.TopScrollBar;
}

int CreatePanes(Window* window) {
  Surface* surface = GetWindowSurface(window);
  if (!IsBottomSectionCode(App.BottomSection)) App.BottomSection = 12;

  Rect area = GetClientRect(window);
  if (App.MenuBarOnBottom) {
    area.Bottom -= App.MenuBarHeight;
  } else {
    area.Top += App.MenuBarHeight;
  }
  const int g = App.Gutter;
  if (area.Bottom - area.Top > 2 * g) {
    area.Top += g;
    area.Bottom -= 2 * g;
  }
  if (area.Right - area.Left > 2 * g) {
    area.Left += g;
    area.Right -= 2 * g;
  }

  CreateBottomSection(window, surface, &area);
  App.TopPane = CreateTextPane(surface, &area, &App.font, 100);
  if (!App.TopPane) return 1;

  int status = 0;
  uint8_t* document = LoadLesson(App.Lesson, &status);
  if (!document) return ReportMissingLesson(window);
  GiveDocument(App.TopPane, document, KeepDocument);
  App.TopPane->FirstVisible = App.LastPosition;

  LoadBottomLesson(window);
  if (App.BottomPane) App.BottomPane->FirstVisible = App.BottomSectionLastPosition;
  SyncScrollBars();
  return 0;
}

void SplitPanes(int* width, int* height) {
  const int g = App.Gutter;
  const int s = PlatformMetric(MetricScrollBarWidth);
  const int h = *height;
  const int b = BottomSectionHeight(h);
  const int top = App.TopPane->Top;
  const int paneWidth = *width - s;

  App.BottomRect.Right = App.BottomRect.Left + paneWidth;
  App.BottomRect.Top = top + h - b + 1;
  App.BottomRect.Bottom = top + h - g;
  if (App.BottomPane) {
    App.BottomPane->Top = App.BottomRect.Top + g / 2;
    // With no bottom section the height is refused: the pane keeps its size, out of sight.
    ResizeTextPane(App.BottomPane, paneWidth, b - 1);
    MoveWindow(App.TopScrollBar, App.BottomRect.Right + g, top - g - 2, s, h - b + g, MoveAndRedraw);
    MoveWindow(App.BottomScrollBar, App.BottomRect.Right + g, App.BottomRect.Top - 2, s,
               App.BottomPane->Height + g + 2, MoveAndRedraw);
  }
  *width = paneWidth;
  *height = h - b - 2;
}

void ResizePanes(Window*, uint32_t size) {
  int w, h;
  if (size == ReapplySize) {
    w = App.LastClientWidth;
    h = App.LastClientHeight;
  } else {
    w = static_cast<int>(size & 0xFFFF);
    h = static_cast<int>(size >> 16);
    App.LastClientWidth = w;
    App.LastClientHeight = h;
  }
  const int g = App.Gutter;
  if (w > 2 * g) w -= 2 * g;
  if (h > 2 * g) h -= 2 * g;
  if (!App.TopPane) return;
  h -= App.MenuBarHeight;

  // A notification that changes nothing keeps everything, a search highlight included.
  const int s = PlatformMetric(MetricScrollBarWidth);
  if (App.TopPane->Width == w - s && App.TopPane->Height == h - BottomSectionHeight(h) - 2) return;

  SplitPanes(&w, &h);
  ResizeTextPane(App.TopPane, w, h);
  SyncScrollBars();
}

int LoadBottomLesson(Window* window) {
  if (!App.BottomPane) return 0;
  int status = 0;
  uint8_t* document = LoadLesson(App.Lesson + 1, &status);
  if (!document) return ReportMissingLesson(window);
  GiveDocument(App.BottomPane, document, FreePrevious);
  App.BottomPane->FirstVisible = 0;
  return 0;
}

void PaintBottomSection(Surface* surface) {
  if (!App.BottomPane || !surface) return;
  const int g = App.Gutter;
  const int s = PlatformMetric(MetricScrollBarWidth);
  const Rect& r = App.BottomRect;

  Pen* palePen = MakePen(BottomSectionColour);
  Brush* paleBrush = MakeBrush(BottomSectionColour);
  Pen* oldPen = UseObject(surface, palePen);
  Brush* oldBrush = UseObject(surface, paleBrush);
  const Rect section{r.Left - g, r.Top - 2, r.Right + g, r.Bottom + 2 * g};
  DrawBox(surface, &section);
  UseObject(surface, oldPen);
  FreeObject(palePen);

  Pen* redPen = MakePen(SeparatorColour);
  oldPen = UseObject(surface, redPen);
  const Rect separator{r.Left - g, r.Top - 3, r.Right + g + s, r.Top - 2};
  DrawBox(surface, &separator);
  UseObject(surface, oldPen);
  FreeObject(redPen);
  UseObject(surface, oldBrush);
  FreeObject(paleBrush);

  // The commentary lies on the pale section, which has just cleared what was there.
  Surface* paneSurface = App.BottomPane->Surface;
  const BackgroundMode oldMode = SetBackgroundMode(paneSurface, BackgroundTransparent);
  PaintTextPane(App.BottomPane, KeepBackground);
  SetBackgroundMode(paneSurface, oldMode);
}

void PaintWindow(Surface* surface, Window* window, uint32_t flags) {
  const bool began = surface == nullptr;
  if (began) surface = BeginRepaint(window);
  if ((flags & PaintTop) && App.TopPane) {
    PaintTextPane(App.TopPane, (flags & EraseTop) ? EraseFirst : KeepBackground);
  }
  if (flags & PaintBottom) PaintBottomSection(surface);
  if (began) EndRepaint(window, surface);
}

void PaintPanes(Window* window, uint32_t flags) {
  if (!window) window = App.MainWindow;
  Surface* surface = GetWindowSurface(window);
  if (surface) {
    PaintWindow(surface, window, flags);
    ReleaseWindowSurface(window, surface);
  }
  SyncScrollBars();
}

int TapBottomPane(Window* window, int x, int y) {
  if (!App.BottomPane || !TapPane(window, App.BottomPane, x, y, ScrollOnly)) return 0;
  PaintPanes(window, PaintBottom);
  return 1;
}

void SyncScrollBar(Window* scrollBar) {
  if (!(App.Flags & FlagScrollBars)) return;
  TextPane* pane = App.ActivePane ? App.ActivePane : App.TopPane;
  if (!pane || !scrollBar) return;
  SetScrollBar(scrollBar, 0, pane->MaxFirstVisible, pane->FirstVisible);
}

void SyncScrollBars() {
  TextPane* remembered = App.ActivePane;
  App.ActivePane = App.TopPane;
  SyncScrollBar(App.TopScrollBar);
  App.ActivePane = App.BottomPane;
  SyncScrollBar(App.BottomScrollBar);
  App.ActivePane = remembered;
}
