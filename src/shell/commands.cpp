#include "shell/commands.h"

#include "dialogs/about_box.h"
#include "dialogs/font_chooser.h"
#include "documents/lesson_store.h"
#include "platform/memory.h"
#include "platform/menus.h"
#include "settings/bookmarks.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/pane_layout.h"
#include "shell/program_main.h"
#include "textpane/layout.h"
#include "textpane/paint.h"
#include "textpane/text_pane.h"

namespace {

TextPane* KeyPane() {
  return App.ActivePane ? App.ActivePane : App.TopPane;
}

// The bottom-section commands 401..434: the commentary's share of the height.
void ChangeBottomSection(Window* window, uint16_t id) {
  const int code = id - 400;
  if (code == App.BottomSection) return;
  App.BottomSection = code;
  ResizePanes(window, ReapplySize);
  PaintPanes(window, 1023);
  SetMenuRadio(BottomSectionMenu(), 401, 434, static_cast<uint16_t>(400 + App.BottomSection));
}

}  // namespace

uint32_t KeyPagingField() {
  return (App.Flags & FlagKeyPaging) >> 20;
}

uint32_t TapPagingField() {
  return (App.Flags & FlagTapPaging) >> 24;
}

int PageAmount(const TextPane* pane, uint32_t field) {
  if (field == 2 || field == 4) return pane->PaintedLines / 2;
  return pane->PaintedLines - 1;
}

int RunCommand(Window* window, uint16_t id) {
  switch (id) {
    case 109:
      NextArticle(window);
      return 0;
    case 110:
      PreviousArticle(window);
      return 0;
    case 122:
      UpdateReverseItem(ReverseToggle);
      PaintPanes(window, 511);
      return 0;
    case 123:
      ToggleBookmark(IsBookmarked());
      RefreshBookmarkCheck();
      return 0;
    case 401:
    case 412:
    case 413:
    case 414:
    case 423:
    case 434:
      ChangeBottomSection(window, id);
      return 0;
    case 40005:
      DestroyWindow(window);
      return 0;
    case 129:
      CheckForUpdates(window);
      return 0;
    case 40004:
      RunAboutBox(window);
      return 0;
    case 40006:
      // Only OK changes the panes' font.
      if (RunFontChooser(window, &App.font) == 1) {
        SetPaneFont(App.TopPane, &App.font);
        SetPaneFont(App.BottomPane, &App.font);
        // The commentary was painted on white: its section is drawn again.
        PaintPanes(window, PaintBottom);
      }
      return 0;
    // The Choose Section dialog (107, 119), the search (116, 117) and the
    // clipboard export (40007, 40009) are taken as handled.
    case 107:
    case 119:
    case 116:
    case 117:
    case 40007:
    case 40009:
      return 0;
    default:
      return 1;
  }
}

int GoToLesson(Window* window, uint32_t target) {
  const uint16_t remembered = App.Lesson;
  if (target != KeepCurrentLesson) SetCurrentLesson(static_cast<uint16_t>(target));
  int status = 0;
  uint8_t* document = App.TopPane ? LoadLesson(App.Lesson, &status) : nullptr;
  if (!document) {
    App.Lesson = remembered;
    return 1;
  }
  const int laid = LayoutDocument(App.TopPane, document, FreePrevious);
  if (laid == LayoutRefused || laid == LayoutNoMemory) MemFree(document);
  App.TopPane->FirstVisible = 0;
  if (target != KeepCurrentLesson) LoadBottomLesson(window);
  PaintPanes(window, 511);
  RefreshBookmarkCheck();
  return 0;
}

int StepArticle(Window* window, int delta) {
  int next = App.Lesson + delta;
  if (next > 346) {
    next = 1;
  } else if (next < 1) {
    next = 345;
  }
  return GoToLesson(window, static_cast<uint32_t>(next));
}

int NextArticle(Window* window) {
  return StepArticle(window, 2);
}

int PreviousArticle(Window* window) {
  return StepArticle(window, -2);
}

bool PointInPane(const TextPane* pane, int x, int y) {
  const int g = App.Gutter;
  return pane->Left - g <= x && x <= pane->Left + pane->Width + g && pane->Top - g <= y &&
         y <= pane->Top + pane->Height;
}

int TapPane(Window*, TextPane* pane, int x, int y, int repaint) {
  if (!pane || !PointInPane(pane, x, y)) return 0;
  App.ActivePane = pane;
  App.ActiveScrollBar = pane == App.BottomPane ? App.BottomScrollBar : App.TopScrollBar;
  if (!(App.Flags & FlagTapPages)) return 0;
  const bool forward = (App.Flags & FlagTapVertical) ? y >= pane->Top + pane->Height / 2
                                                      : x >= pane->Left + pane->Width / 2;
  int amount = PageAmount(pane, TapPagingField());
  if (amount < 0) amount = -amount;
  ScrollTextPane(pane, forward ? amount : -amount, repaint);
  SyncScrollBar(App.ActiveScrollBar);
  return 1;
}

void HandleTap(Window* window, int x, int y) {
  if (!App.TopPane) return;
  if (!TapPane(window, App.TopPane, x, y, ScrollAndPaint)) TapBottomPane(window, x, y);
}

void HandleKeyDown(Window* window, uint32_t key) {
  TextPane* pane = KeyPane();
  int amount = 0;
  switch (key) {
    case KeyEnter:
      if (App.SearchString[0]) RunCommand(window, 117);  // Search Again
      return;
    case KeyLeft:
      PreviousArticle(window);
      return;
    case KeyRight:
      NextArticle(window);
      return;
    case KeyPageUp:
    case KeyPageDown:
    case KeyEnd:
    case KeyHome:
    case KeyUp:
    case KeyDown:
      break;
    default:
      return;
  }
  if (!pane) return;
  const int page = PageAmount(pane, KeyPagingField());
  switch (key) {
    case KeyPageUp: amount = -page; break;
    case KeyPageDown: amount = page; break;
    case KeyEnd: amount = pane->MaxFirstVisible ? pane->MaxFirstVisible : page; break;
    case KeyHome: amount = pane->FirstVisible ? -pane->FirstVisible : -page; break;
    case KeyUp: amount = -1; break;
    case KeyDown: amount = 1; break;
  }
  if (ScrollTextPane(pane, amount, ScrollOnly) != 1) {
    PaintPanes(window, pane == App.TopPane ? (PaintTop | EraseTop) : (PaintBottom | EraseTop));
  }
  SyncScrollBar(App.ActiveScrollBar);
}

void HandleVerticalScroll(Window* window, const Message* message) {
  TextPane* pane;
  uint32_t flags;
  if (message->Control && message->Control == App.BottomScrollBar) {
    pane = App.BottomPane;
    App.ActiveScrollBar = App.BottomScrollBar;
    flags = PaintTop | PaintBottom;
  } else {
    pane = App.TopPane;
    App.ActiveScrollBar = App.TopScrollBar;
    flags = PaintTop | EraseTop;
  }
  App.ActivePane = pane;

  int amount = 0;
  if (pane) {
    const int position = static_cast<int16_t>(message->Word >> 16);
    switch (message->Word & 0xFFFF) {
      case ScrollLineUp: amount = -1; break;
      case ScrollLineDown: amount = 1; break;
      case ScrollPageUp: amount = 1 - pane->PaintedLines; break;
      case ScrollPageDown: amount = pane->PaintedLines - 1; break;
      case ScrollThumbReleased:
      case ScrollThumbDragged: amount = position - pane->FirstVisible; break;
      case ScrollToTop: amount = -pane->FirstVisible; break;
      case ScrollToBottom: amount = 1; break;
      default: break;
    }
  }
  if (amount != 0 && ScrollTextPane(pane, amount, ScrollOnly) != 1) PaintPanes(window, flags);
  DefaultHandling(message);
  if (amount != 0) SyncScrollBar(App.ActiveScrollBar);
}
