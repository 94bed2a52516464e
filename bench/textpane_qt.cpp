// Layout and paint of the largest sample lesson with real Qt metrics and
// drawing, beside a QTextDocument laying out the same text right to left at
// the same width (what a Qt program would use for it).
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "documents/lesson_store.h"
#include "documents/letter_code.h"
#include "platform/drawing.h"
#include "platform/memory.h"
#include "platform/qt/image_surface.h"
#include "shell/app_state.h"
#include "textpane/layout.h"
#include "textpane/paint.h"
#include "textpane/text_pane.h"

namespace {

constexpr int PaneWidth = 219;

size_t DocumentSize(const uint8_t* doc) {
  const uint8_t* p = doc;
  while (p[0]) p += 2 + std::strlen(reinterpret_cast<const char*>(p + 2)) + 1;
  return size_t(p - doc);
}

struct Setup {
  QImage image{240, 300, QImage::Format_RGB32};
  Surface* surface = nullptr;
  TextPane* pane = nullptr;
  size_t bytes = 0;
  QString readingText;  // the lesson's paragraphs in reading order, one per line
};

Setup& Prepare() {
  static Setup* setup = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_textpane_qt";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    ResetAppState();
    App.font = FontSpec{u"David CLM", 16, 1488};
    Setup* s = new Setup;
    uint8_t* largest = nullptr;
    for (int lesson = 1; lesson <= 346; ++lesson) {
      uint8_t* doc = LoadLesson(lesson, nullptr);
      if (doc && DocumentSize(doc) > s->bytes) {
        MemFree(largest);
        largest = doc;
        s->bytes = DocumentSize(doc);
      } else {
        MemFree(doc);
      }
    }
    // The same text as a Qt program would hold it: Unicode, in reading order.
    for (const uint8_t* p = largest; p[0]; p += 2 + std::strlen(reinterpret_cast<const char*>(p + 2)) + 1) {
      const size_t n = std::strlen(reinterpret_cast<const char*>(p + 2));
      char16_t* units = MakeDisplayText(p + 2, n, nullptr);
      QString paragraph = QString::fromUtf16(units, qsizetype(n));
      MemFree(units);
      if (p[0] & 0x10) std::reverse(paragraph.begin(), paragraph.end());
      s->readingText += paragraph + QLatin1Char('\n');
    }
    s->image.fill(Qt::white);
    s->surface = CreateImageSurface(&s->image, nullptr);
    const Rect rect{4, 4, 4 + PaneWidth, 132};
    s->pane = CreateTextPane(s->surface, &rect, &App.font, 100);
    LayoutDocument(s->pane, largest, FreePrevious);
    return s;
  }();
  return *setup;
}

void BM_LayoutLargestLesson_Qt(benchmark::State& state) {
  Setup& s = Prepare();
  for (auto _ : state) benchmark::DoNotOptimize(LayoutDocument(s.pane, s.pane->Document, KeepDocument));
  state.counters["lines"] = s.pane->LineCount;
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.bytes));
}
BENCHMARK(BM_LayoutLargestLesson_Qt);

void BM_PaintFirstPage_Qt(benchmark::State& state) {
  Setup& s = Prepare();
  s.pane->FirstVisible = 0;
  for (auto _ : state) benchmark::DoNotOptimize(PaintTextPane(s.pane, EraseFirst));
  state.counters["painted"] = s.pane->PaintedLines;
}
BENCHMARK(BM_PaintFirstPage_Qt);

// A fit in a 3,500-character paragraph.
void BM_MeasureFitLongParagraph_Qt(benchmark::State& state) {
  Setup& s = Prepare();
  Font* font = MakeFont(u"David CLM", 16, WeightNormal, FontPlain);
  Font* old = UseObject(s.surface, font);
  std::u16string text;
  for (int i = 0; i < 3500; ++i) text.push_back(i % 6 == 5 ? u' ' : char16_t(0x05D0 + (i * 7) % 27));
  for (auto _ : state) benchmark::DoNotOptimize(MeasureFit(s.surface, text.data(), 3500, PaneWidth));
  UseObject(s.surface, old);
  FreeObject(font);
}
BENCHMARK(BM_MeasureFitLongParagraph_Qt);

// QTextDocument: right-to-left paragraphs wrapped at the pane's width.
void BM_LayoutLargestLesson_QTextDocument(benchmark::State& state) {
  Setup& s = Prepare();
  QTextDocument doc;
  // The pixel size whose cell our 16-pixel font uses.
  QFont font(QStringLiteral("David CLM"));
  for (int size = 16; size > 4; --size) {
    font.setPixelSize(size);
    if (QFontMetricsF(font).ascent() + QFontMetricsF(font).descent() <= 16.001) break;
  }
  font.setKerning(false);
  doc.setDefaultFont(font);
  QTextOption option;
  option.setTextDirection(Qt::RightToLeft);
  option.setAlignment(Qt::AlignRight);
  option.setWrapMode(QTextOption::WordWrap);
  doc.setDefaultTextOption(option);
  doc.setDocumentMargin(0);
  doc.setPlainText(s.readingText);
  int width = PaneWidth;
  for (auto _ : state) {
    // A width change makes the whole document lay out again, as our layout does.
    width = width == PaneWidth ? PaneWidth + 1 : PaneWidth;
    doc.setTextWidth(width);
    benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
  }
  state.counters["lines"] = doc.documentLayout()->documentSize().height() / QFontMetricsF(font).lineSpacing();
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.bytes));
}
BENCHMARK(BM_LayoutLargestLesson_QTextDocument);

}  // namespace

BENCHMARK_MAIN();
