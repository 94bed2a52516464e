// The Qt drawing surface: text in the order given, measured widths that hold
// what is drawn, cell heights, colours, boxes, bitmaps and font families.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <cmath>
#include <string>
#include <vector>

#include "platform/drawing.h"
#include "platform/qt/image_surface.h"
#include "qt_app.h"

namespace {

constexpr char16_t Alef = 0x05D0;
constexpr char16_t Bet = 0x05D1;
constexpr char16_t Vav = 0x05D5;
constexpr char16_t Shin = 0x05E9;

// An image with a surface over it, white, and a font selected.
struct Canvas {
  QImage image;
  Surface* surface;
  Font* font;
  Font* previous;
  Canvas(int w, int h, const char16_t* face, int32_t height, int32_t weight = WeightNormal)
      : image(w, h, QImage::Format_RGB32) {
    EnsureQtApplication();
    image.fill(Qt::white);
    surface = CreateImageSurface(&image, nullptr);
    font = MakeFont(face, height, weight, FontPlain);
    previous = UseObject(surface, font);
  }
  ~Canvas() {
    UseObject(surface, previous);
    FreeObject(font);
    FreeImageSurface(surface);
  }
  // Draws text with its cell's left edge at x (a box exactly as wide as measured).
  void Draw(const std::u16string& text, int32_t x, int32_t y = 0) {
    const TextSize size = MeasureRun(surface, text.data(), int32_t(text.size()));
    const Rect box{x, y, x + size.Width, y + size.Height};
    DrawLineInBox(surface, text.data(), int32_t(text.size()), &box);
  }
  // Ink (darkness) of each column from x0 to x1.
  std::vector<int> Ink(int x0, int x1) const {
    std::vector<int> out;
    for (int x = x0; x < x1; ++x) {
      int sum = 0;
      for (int y = 0; y < image.height(); ++y) sum += 255 - qGray(image.pixel(x, y));
      out.push_back(sum);
    }
    return out;
  }
  int TotalInk() const {
    int sum = 0;
    for (int v : Ink(0, image.width())) sum += v;
    return sum;
  }
};

int Distance(const std::vector<int>& a, const std::vector<int>& b) {
  int d = 0;
  for (size_t i = 0; i < a.size(); ++i) d += std::abs(a[i] - b[i]);
  return d;
}

// The first character of a pair must appear on the left, as it does alone,
// and not as the other (the second) or its mirror image would.
TEST(QtDrawingTest, TextIsDrawnInTheOrderGivenWithoutMirroring) {
  struct Case {
    const char* name;
    std::u16string pair;
    std::u16string wrong;  // what would show on the left if Qt reordered or mirrored
  } cases[] = {
      {"alef then vav", {Alef, Vav}, {Vav}},
      {"shin then bet", {Shin, Bet}, {Bet}},
      {"bracket before a letter", {u'(', Alef}, {u')'}},
      {"letter before a bracket", {Alef, u')'}, {u'('}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas both(200, 60, u"David CLM", 48);
    both.Draw(c.pair, 10);
    Canvas first(200, 60, u"David CLM", 48);
    first.Draw(c.pair.substr(0, 1), 10);
    Canvas wrong(200, 60, u"David CLM", 48);
    wrong.Draw(c.wrong, 10);
    const int w = MeasureRun(first.surface, c.pair.data(), 1).Width;
    ASSERT_GT(w, 4);
    const auto seen = both.Ink(10, 10 + w);
    EXPECT_LT(Distance(seen, first.Ink(10, 10 + w)), Distance(seen, wrong.Ink(10, 10 + w)) / 4);
  }
}

TEST(QtDrawingTest, MeasuredWidthsHoldTheDrawnText) {
  const std::u16string hebrew = {Shin, Alef, Vav, u' ', Bet, Alef, u'(', Shin, u')', u'.'};
  const std::u16string latin = u"AVAWAV Tj fi ffl";
  struct Case {
    const char16_t* face;
    int32_t height, weight;
    std::u16string text;
  } cases[] = {
      {u"David CLM", 16, WeightNormal, hebrew}, {u"David CLM", 20, WeightBold, hebrew},
      {u"Frank Ruehl CLM", 23, WeightNormal, hebrew}, {u"DejaVu Sans", 16, WeightNormal, latin},
      {u"DejaVu Sans", 21, WeightBold, latin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QString::fromUtf16(c.face).toStdString() + " " + std::to_string(c.height));
    Canvas canvas(400, 40, c.face, c.height, c.weight);
    const int32_t n = int32_t(c.text.size());
    const TextSize size = MeasureRun(canvas.surface, c.text.data(), n);
    EXPECT_EQ(size.Height, c.height);
    const Rect none{0, 0, 0, 0};
    SetBackgroundMode(canvas.surface, BackgroundTransparent);
    DrawTextAt(canvas.surface, 20, 5, &none, c.text.data(), n);
    const auto ink = canvas.Ink(0, 400);
    for (int x = 0; x < 400; ++x) {
      if (x < 20 || x >= 20 + size.Width) {
        EXPECT_EQ(ink[x], 0) << "ink outside the measured box at " << x;
      }
    }
    // Every prefix width gives back at least that prefix as the fit, and the
    // fit's width never passes the limit.
    for (int32_t k = 0; k <= n; ++k) {
      const int32_t w = MeasureRun(canvas.surface, c.text.data(), k).Width;
      const int32_t fit = MeasureFit(canvas.surface, c.text.data(), n, w);
      EXPECT_GE(fit, k);
      EXPECT_LE(MeasureRun(canvas.surface, c.text.data(), fit).Width, w);
    }
  }
}

TEST(QtDrawingTest, CachedAdvancesAgreeWithQtOverALongParagraph) {
  Canvas canvas(10, 10, u"David CLM", 16);
  std::u16string text;
  const char16_t letters[] = {Shin, Alef, Vav, Bet, u' ', 0x05DD, 0x05E2, u'"', 0x05DB};
  for (int i = 0; i < 3500; ++i) text.push_back(letters[(i * 7) % 9]);
  const int32_t ours = MeasureRun(canvas.surface, text.data(), int32_t(text.size())).Width;
  QFont qfont(QStringLiteral("David CLM"));
  qfont.setPixelSize(16);
  // Our 16-pixel cell may hold a smaller pixel size; compare with the size chosen.
  for (int size = 16; size > 4; --size) {
    qfont.setPixelSize(size);
    if (QFontMetricsF(qfont).ascent() + QFontMetricsF(qfont).descent() <= 16.001) break;
  }
  qfont.setKerning(false);
  const double qt = QFontMetricsF(qfont).horizontalAdvance(
      QChar(0x202D) + QString::fromUtf16(text.data(), qsizetype(text.size())) + QChar(0x202C));
  EXPECT_NEAR(ours, qt, 2.0);
}

TEST(QtDrawingTest, CellHeightsAndWeights) {
  for (int32_t h : {10, 12, 14, 16, 20, 24, 30}) {
    Canvas canvas(10, 10, u"David CLM", h);
    EXPECT_EQ(ReadFontMetrics(canvas.surface).LineHeight, h);
    EXPECT_GT(ReadFontMetrics(canvas.surface).MaxCharWidth, h / 4);
  }
  Canvas character(10, 10, u"David CLM", -20);
  EXPECT_GE(ReadFontMetrics(character.surface).LineHeight, 20);
  Canvas platformDefault(10, 10, nullptr, 0);
  EXPECT_GT(ReadFontMetrics(platformDefault.surface).LineHeight, 8);

  const std::u16string text = {Shin, Alef, Vav, Bet};
  Canvas normal(200, 40, u"DejaVu Sans", 30);
  normal.Draw(text, 0);
  Canvas bold(200, 40, u"DejaVu Sans", 30, WeightBold);
  bold.Draw(text, 0);
  EXPECT_GT(bold.TotalInk(), normal.TotalInk() * 11 / 10);
}

TEST(QtDrawingTest, ColoursBoxesAndBackground) {
  Canvas canvas(100, 100, u"DejaVu Sans", 30);
  Surface* s = canvas.surface;
  Brush* red = MakeBrush(0x0000FF);
  const Rect fill{0, 0, 10, 10};
  FillBox(s, &fill, red);
  EXPECT_EQ(canvas.image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.image.pixel(10, 5), qRgb(255, 255, 255));

  // A box: outline in the pen, inside in the brush; one pixel high it is a line.
  Pen* blue = MakePen(0xFF0000);
  Pen* oldPen = UseObject(s, blue);
  Brush* oldBrush = UseObject(s, red);
  const Rect box{20, 20, 30, 30};
  DrawBox(s, &box);
  EXPECT_EQ(canvas.image.pixel(20, 20), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.image.pixel(29, 29), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.image.pixel(25, 25), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.image.pixel(30, 25), qRgb(255, 255, 255));
  UseObject(s, StockBrush(StockBlack));
  const Rect line{40, 50, 60, 51};
  DrawBox(s, &line);
  EXPECT_EQ(canvas.image.pixel(40, 50), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.image.pixel(59, 50), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.image.pixel(50, 49), qRgb(255, 255, 255));
  EXPECT_EQ(canvas.image.pixel(50, 51), qRgb(255, 255, 255));
  UseObject(s, oldBrush);
  UseObject(s, oldPen);
  FreeObject(blue);
  FreeObject(red);

  // Opaque text fills its cell with the background colour, in the text colour.
  EXPECT_EQ(SetTextColour(s, 0x800000), 0x000000u);
  EXPECT_EQ(SetBackColour(s, 0x00FFFF), 0xFFFFFFu);
  EXPECT_EQ(SetBackgroundMode(s, BackgroundOpaque), BackgroundOpaque);
  const std::u16string text = u"H";
  const TextSize size = MeasureRun(s, text.data(), 1);
  const Rect wide{0, 60, 100, 60 + size.Height};
  DrawLineInBox(s, text.data(), 1, &wide);
  const int left = (100 - size.Width) / 2;
  EXPECT_EQ(canvas.image.pixel(left, 60), qRgb(255, 255, 0));   // the cell: yellow
  EXPECT_EQ(canvas.image.pixel(left - 2, 60), qRgb(255, 255, 255));  // outside it: untouched
  bool navy = false;
  for (int x = left; x < left + size.Width; ++x) {
    for (int y = 60; y < 60 + size.Height; ++y) navy = navy || canvas.image.pixel(x, y) == qRgb(0, 0, 128);
  }
  EXPECT_TRUE(navy);
}

TEST(QtDrawingTest, FontFacesBitmapsAndMetrics) {
  EnsureQtApplication();
  struct Seen {
    int david = -1, latin = -1, count = 0;
  } seen;
  const int calls = ListFontFaces(nullptr,
                                  [](const char16_t* face, int charset, void* context) {
                                    Seen* s = static_cast<Seen*>(context);
                                    const std::u16string name(face);
                                    if (name == u"David CLM") s->david = charset;
                                    if (name == u"Nimbus Roman") s->latin = charset;  // Latin only
                                    ++s->count;
                                    return 1;
                                  },
                                  &seen);
  EXPECT_EQ(calls, seen.count);
  EXPECT_EQ(seen.david, CharsetHebrew);
  EXPECT_EQ(seen.latin, CharsetDefault);
  int stopped = ListFontFaces(nullptr, [](const char16_t*, int, void*) { return 0; }, nullptr);
  EXPECT_EQ(stopped, 1);

  EXPECT_EQ(LoadBitmapResource(999), nullptr);
  Bitmap* plus = LoadBitmapResource(201);
  if (plus) {
    EXPECT_EQ(BitmapSize(plus).Width, 9);
    EXPECT_EQ(BitmapSize(plus).Height, 9);
    Canvas canvas(20, 20, nullptr, 0);
    CopyBitmap(canvas.surface, plus, 5, 5);
    EXPECT_GT(canvas.TotalInk(), 0);
    EXPECT_EQ(canvas.Ink(15, 20), std::vector<int>(5, 0));
    FreeBitmap(plus);
  }
  EXPECT_GT(PlatformMetric(MetricScrollBarWidth), 5);
  EXPECT_EQ(PlatformMetric(MetricEdgeWidth), 2);
  EXPECT_GT(PlatformMetric(MetricPixelsPerInchY), 50);
}

}  // namespace
