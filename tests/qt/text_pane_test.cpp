// The text pane on the Qt surface with the embedded volume: lesson 1 and its
// commentary painted as the main window shows them, every lesson laid out and
// paged through, and the format fixture volume likewise.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "documents/letter_code.h"
#include "documents/lesson_store.h"
#include "platform/drawing.h"
#include "platform/memory.h"
#include "platform/qt/image_surface.h"
#include "qt_app.h"
#include "shell/app_state.h"
#include "textpane/layout.h"
#include "textpane/paint.h"
#include "textpane/text_pane.h"

namespace {

const FontSpec Culmus{u"David CLM", 16, 1488};

class QtPaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    ResetAppState();
    App.font = Culmus;
    image = QImage(240, 268, QImage::Format_RGB32);
    image.fill(Qt::white);
    surface = CreateImageSurface(&image, nullptr);
  }
  void TearDown() override {
    DestroyTextPane(top);
    DestroyTextPane(bottom);
    FreeImageSurface(surface);
    FreeDisplayBuffer(&SharedDisplayBuffer);
    ResetAppState();
  }
  // The main window's two panes (as a 240 by 294 client with the bar at the
  // bottom lays them out) showing lesson and its commentary.
  void ShowLesson(int lesson) {
    const Rect topRect{4, 4, 223, 132};
    const Rect bottomRect{4, 137, 223, 266};
    top = CreateTextPane(surface, &topRect, &App.font, 100);
    bottom = CreateTextPane(surface, &bottomRect, &App.font, 100);
    uint8_t* article = LoadLesson(lesson, nullptr);
    uint8_t* commentary = LoadLesson(lesson + 1, nullptr);
    ASSERT_NE(article, nullptr);
    ASSERT_NE(commentary, nullptr);
    ASSERT_EQ(LayoutDocument(top, article, FreePrevious), 0);
    ASSERT_EQ(LayoutDocument(bottom, commentary, FreePrevious), 0);
    ASSERT_EQ(PaintTextPane(top, EraseFirst), 0);
    // The pale bottom section with its red line, the commentary drawn over it.
    Brush* pale = MakeBrush(0xFFFFEE);
    const Rect section{0, 133, 227, 268};
    FillBox(surface, &section, pale);
    FreeObject(pale);
    Brush* red = MakeBrush(0x0000FF);
    const Rect line{0, 132, 240, 133};
    FillBox(surface, &line, red);
    FreeObject(red);
    const BackgroundMode mode = SetBackgroundMode(surface, BackgroundTransparent);
    ASSERT_EQ(PaintTextPane(bottom, KeepBackground), 0);
    SetBackgroundMode(surface, mode);
  }
  // Pixels of exactly this colour inside the rows y0..y1.
  int CountColour(QRgb colour, int y0, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
  }
  // The rightmost and leftmost column with dark ink in rows y0..y1 (-1 if none).
  std::pair<int, int> InkSpan(int y0, int y1) const {
    int left = -1, right = -1;
    for (int x = 0; x < image.width(); ++x) {
      for (int y = y0; y < y1; ++y) {
        if (qGray(image.pixel(x, y)) < 160) {
          if (left < 0) left = x;
          right = x;
          break;
        }
      }
    }
    return {left, right};
  }

  QImage image;
  Surface* surface = nullptr;
  TextPane* top = nullptr;
  TextPane* bottom = nullptr;
};

TEST_F(QtPaneTest, LessonOneAndItsCommentary) {
  ShowLesson(1);
  // The title line: blue, bold and larger, centred.
  const LineRecord title = top->Lines[0];
  EXPECT_EQ(title.Style, 0xDC);
  EXPECT_EQ(title.Height, 20);
  EXPECT_GT(CountColour(qRgb(0, 0, 255), 4, 4 + 20), 10);
  const auto [titleLeft, titleRight] = InkSpan(4, 24);
  EXPECT_NEAR((titleLeft + titleRight) / 2.0, 4 + 219 / 2.0, 4.0);
  // The body lines (after the title's blank line) are flush right: every
  // line's ink ends at the pane's right edge.
  int checked = 0;
  int y = 4 + 2 * title.Height;
  for (const LineRecord* line = top->Lines + 1; line->Style && y + line->Height <= 132; ++line) {
    const auto [left, right] = InkSpan(y, y + line->Height);
    EXPECT_NEAR(right, 4 + 219 - 1, 2) << "line at " << y;
    EXPECT_GE(left, 4);
    EXPECT_EQ(line->X + line->Width, 4 + 219);
    y += line->Height * ((line->Style & 0x80) ? 2 : 1);
    ++checked;
  }
  EXPECT_GE(checked, 3);
  EXPECT_EQ(CountColour(qRgb(0, 0, 128), 4, 132), 0);  // no navy in the article
  // The commentary: navy smaller text, on the pale section.
  EXPECT_GT(CountColour(qRgb(0, 0, 128), 137, 266), 10);
  EXPECT_GT(CountColour(qRgb(238, 255, 255), 137, 266), 1000);
  const auto [commentLeft, commentRight] = InkSpan(137 + 2 * 20, 266);
  EXPECT_NEAR(commentRight, 4 + 219 - 1, 2);
  EXPECT_GE(commentLeft, 4);

  if (const char* path = std::getenv("DARVO_PANE_SHOT")) image.save(QString::fromUtf8(path));
}

TEST_F(QtPaneTest, HighlightCoversTheLineItsMeasuredOn) {
  ShowLesson(1);
  // The whole first body line, then a word inside the second.
  const LineRecord first = top->Lines[1];
  const LineRecord second = top->Lines[2];
  const int firstY = 4 + 2 * top->Lines[0].Height;
  const int secondY = firstY + first.Height;
  top->HighlightStart = first.TextOffset;
  top->HighlightEnd = first.TextOffset + first.Length;
  ASSERT_EQ(PaintTextPane(top, EraseFirst), 0);
  const QRgb yellow = qRgb(255, 255, 0);
  int left = -1, right = -1;
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixel(x, firstY) == yellow) {
      if (left < 0) left = x;
      right = x;
    }
  }
  EXPECT_EQ(left, first.X);
  EXPECT_EQ(right, first.X + first.Width - 1);
  EXPECT_GT(CountColour(qRgb(0, 0, 255), firstY, firstY + first.Height), 10);  // blue text on it
  EXPECT_EQ(CountColour(yellow, secondY, secondY + second.Height), 0);

  // From the middle of the first line into the second in reading order: in a
  // reversed paragraph the second line's run lies before the first's, so the
  // stored range runs from the second line's middle to the first line's. The
  // first line shows it from its middle to its left end, the second from its
  // right end to its middle.
  top->HighlightStart = second.TextOffset + second.Length / 2;
  top->HighlightEnd = first.TextOffset + first.Length / 2;
  ASSERT_EQ(PaintTextPane(top, EraseFirst), 0);
  EXPECT_EQ(image.pixel(first.X, firstY), yellow);
  EXPECT_NE(image.pixel(first.X + first.Width - 1, firstY), yellow);
  EXPECT_EQ(image.pixel(second.X + second.Width - 1, secondY), yellow);
  EXPECT_NE(image.pixel(second.X, secondY), yellow);
}

// Shows lesson 1 in a window for a screenshot under a real display:
// DARVO_PANE_WINDOW=seconds runs it (skipped otherwise).
TEST_F(QtPaneTest, WindowForAScreenshot) {
  const char* seconds = std::getenv("DARVO_PANE_WINDOW");
  if (!seconds) GTEST_SKIP() << "set DARVO_PANE_WINDOW to show the window";
  ShowLesson(std::getenv("DARVO_PANE_LESSON") ? std::atoi(std::getenv("DARVO_PANE_LESSON")) : 1);
  QLabel label;
  label.setWindowTitle(QStringLiteral("Darvo text pane"));
  const QPixmap picture = QPixmap::fromImage(image.scaled(image.size() * 2));
  label.setPixmap(picture);
  label.setFixedSize(picture.size());
  label.move(10, 10);
  label.show();
  QTimer::singleShot(std::atoi(seconds) * 1000, qApp, &QCoreApplication::quit);
  qApp->exec();
}

// Lays out every document and pages through it; returns how many were done.
int PageThroughAll(Surface* surface, const std::vector<uint8_t*>& docs, int32_t width) {
  int done = 0;
  for (size_t i = 0; i < docs.size(); ++i) {
    SCOPED_TRACE("document " + std::to_string(i + 1));
    const Rect rect{4, 4, 4 + width, 132};
    TextPane* pane = CreateTextPane(surface, &rect, &App.font, 100);
    EXPECT_EQ(LayoutDocument(pane, docs[i], KeepDocument), 0);
    EXPECT_EQ(PaintTextPane(pane, EraseFirst), 0);
    int pages = 0;
    while (ScrollTextPane(pane, pane->PaintedLines > 1 ? pane->PaintedLines - 1 : 1, ScrollAndPaint) == 0) {
      if (++pages > 1000) break;
    }
    EXPECT_LE(pages, 1000);
    pane->Document = nullptr;  // the caller keeps the documents
    DestroyTextPane(pane);
    ++done;
  }
  return done;
}

TEST_F(QtPaneTest, EveryLessonLaysOutAndPaints) {
  std::vector<uint8_t*> docs;
  for (int lesson = 1; lesson <= 346; ++lesson) {
    uint8_t* doc = LoadLesson(lesson, nullptr);
    ASSERT_NE(doc, nullptr) << lesson;
    docs.push_back(doc);
  }
  EXPECT_EQ(PageThroughAll(surface, docs, 219), 346);
  App.Flags = FlagReverse;
  EXPECT_EQ(PageThroughAll(surface, docs, 600), 346);
  for (uint8_t* doc : docs) MemFree(doc);
}

TEST_F(QtPaneTest, FormatFixtureVolumeLaysOutAndPaints) {
  // The fixture volume is packed and each document read back with darvo-pack's dump.
  const std::string dir = DARVO_BINARY_DIR "/test-tmp/qt-pane-fixture";
  std::filesystem::create_directories(dir);
  const std::string pack = std::string("'") + DARVO_BINARY_DIR + "/tools/darvo-pack/darvo-pack'";
  ASSERT_EQ(std::system((pack + " pack '" DARVO_FIXTURES "/volume' '" + dir + "/f.bin'").c_str()), 0);
  std::vector<uint8_t*> docs;
  for (int lesson = 1; lesson <= 346; lesson += 1) {
    const std::string file = dir + "/" + std::to_string(lesson) + ".doc";
    if (std::system((pack + " dump '" + dir + "/f.bin' " + std::to_string(lesson) + " > '" + file + "' 2>/dev/null")
                        .c_str()) != 0) {
      continue;
    }
    FILE* in = std::fopen(file.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    std::vector<uint8_t> bytes;
    for (int c; (c = std::fgetc(in)) != EOF;) bytes.push_back(uint8_t(c));
    std::fclose(in);
    bytes.push_back(0);
    uint8_t* doc = static_cast<uint8_t*>(MemAlloc(bytes.size()));
    std::memcpy(doc, bytes.data(), bytes.size());
    docs.push_back(doc);
    if (docs.size() >= 12) break;  // the fixture's format cases are in its first lessons
  }
  ASSERT_FALSE(docs.empty());
  EXPECT_EQ(PageThroughAll(surface, docs, 219), int(docs.size()));
  App.Flags = FlagReverse;
  EXPECT_EQ(PageThroughAll(surface, docs, 9), int(docs.size()));
  for (uint8_t* doc : docs) MemFree(doc);
}

}  // namespace
