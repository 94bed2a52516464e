// Layout and paint of the largest sample lesson on the fake surface (fixed
// metrics): the cost of the engine's own work without any platform behind it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "documents/lesson_store.h"
#include "documents/letter_code.h"
#include "fake/fake.h"
#include "platform/memory.h"
#include "shell/app_state.h"
#include "textpane/layout.h"
#include "textpane/paint.h"
#include "textpane/text_pane.h"

namespace {

size_t DocumentSize(const uint8_t* doc) {
  const uint8_t* p = doc;
  while (p[0]) p += 2 + std::strlen(reinterpret_cast<const char*>(p + 2)) + 1;
  return size_t(p - doc);
}

// The pane of the main window's top section, holding the largest lesson.
struct Setup {
  Surface* surface;
  TextPane* pane;
  size_t bytes;
};

Setup& Prepare() {
  static Setup setup = [] {
    FakeReset();
    ResetAppState();
    App.font = FontSpec{u"David CLM", 16, 1488};
    if (!FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin")) std::abort();
    uint8_t* largest = nullptr;
    size_t bytes = 0;
    for (int lesson = 1; lesson <= 346; ++lesson) {
      uint8_t* doc = LoadLesson(lesson, nullptr);
      if (doc && DocumentSize(doc) > bytes) {
        MemFree(largest);
        largest = doc;
        bytes = DocumentSize(doc);
      } else {
        MemFree(doc);
      }
    }
    Setup s{FakeCreateSurface(), nullptr, bytes};
    const Rect rect{4, 4, 223, 132};
    s.pane = CreateTextPane(s.surface, &rect, &App.font, 100);
    LayoutDocument(s.pane, largest, FreePrevious);
    return s;
  }();
  return setup;
}

void BM_LayoutLargestLesson_Fake(benchmark::State& state) {
  Setup& s = Prepare();
  for (auto _ : state) benchmark::DoNotOptimize(LayoutDocument(s.pane, s.pane->Document, KeepDocument));
  state.counters["lines"] = s.pane->LineCount;
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.bytes));
}
BENCHMARK(BM_LayoutLargestLesson_Fake);

void BM_PaintFirstPage_Fake(benchmark::State& state) {
  Setup& s = Prepare();
  s.pane->FirstVisible = 0;
  for (auto _ : state) {
    FakeDrawing.Calls.clear();
    benchmark::DoNotOptimize(PaintTextPane(s.pane, EraseFirst));
  }
  state.counters["painted"] = s.pane->PaintedLines;
}
BENCHMARK(BM_PaintFirstPage_Fake);

}  // namespace

BENCHMARK_MAIN();
