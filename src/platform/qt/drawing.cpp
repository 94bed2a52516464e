// The Qt platform's drawing surface: QPainter on a window's retained QImage.
//   [X] fonts by face, pixel cell height, weight, underline (kerning off)
//   [X] font metrics: cell height, maximum character width
//   [X] fit and run measuring from cached per-character advances
//   [X] text in the order given, no reordering or mirroring (left-to-right override)
//   [X] line in a box (centred, clipped), text at a point with a filled box
//   [X] boxes, pens, brushes, stock white and black brushes
//   [X] text colour, background colour, opaque and transparent background
//   [X] bitmaps from the program's XBM/XPM resources, whole or a cell of a strip
//   [X] font families with a Hebrew flag
//   [X] scroll-bar width, edge sizes, vertical pixels per inch
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <cmath>
#include <memory>

#include "platform/drawing.h"
#include "platform/qt/dialog_widgets.h"
#include "platform/qt/image_surface.h"
#include "resources/resources.h"

namespace {

// Widths are summed in floating point; a sum that lies within this of a whole
// pixel counts as that pixel, so rounding noise never adds one.
constexpr double WidthSlack = 1e-3;
constexpr int32_t DefaultCellHeight = 16;

// Drawn text is wrapped in LEFT-TO-RIGHT OVERRIDE ... POP DIRECTIONAL FORMATTING:
// it keeps Qt's bidi algorithm from reordering runs or mirroring brackets.
constexpr char16_t LeftToRightOverride = 0x202D;
constexpr char16_t PopDirectional = 0x202C;

QColor ToQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QRect ToQRect(const Rect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

}  // namespace

struct Font {
  QFont Face;
  QFontMetricsF Metrics{QFont()};
  int32_t LineHeight = 0;
  int32_t MaxCharWidth = 0;
  double Ascent = 0;
  double Descent = 0;
  bool Default = false;
  // Advances of the UTF-16 units met so far, 256 to a page, made on first use.
  std::unique_ptr<float[]> Pages[256];

  double Advance(char16_t unit) {
    std::unique_ptr<float[]>& page = Pages[unit >> 8];
    if (!page) {
      page.reset(new float[256]);
      for (int i = 0; i < 256; ++i) page[i] = -1.0f;
    }
    float& slot = page[unit & 0xFF];
    if (slot < 0) {
      const QChar c(unit);
      // Combining marks and the direction controls take no room of their own.
      slot = (c.isMark() || c.category() == QChar::Other_Format)
                 ? 0.0f
                 : static_cast<float>(Metrics.horizontalAdvance(c));
    }
    return slot;
  }
};

struct Pen {
  Colour Value;
  bool Default;
};

struct Brush {
  Colour Value;
  bool Stock;
};

struct Bitmap {
  QImage Picture;
};

struct Surface {
  QImage* Image;
  QPointer<QWidget> Owner;
  Font* SelectedFont;
  Pen* SelectedPen;
  Brush* SelectedBrush;
  Colour Text;
  Colour Back;
  BackgroundMode Mode;
  Font* DefaultFont;
  Pen DefaultPen;
};

namespace {

Brush WhiteBrush{0xFFFFFF, true};
Brush BlackBrush{0x000000, true};

Font* NewFont(const char16_t* face, int32_t height, int32_t weight, uint32_t look) {
  Font* font = new Font;
  QFont q;
  if (face && face[0]) {
    int n = 0;
    while (n < 32 && face[n]) ++n;
    q.setFamily(QString::fromUtf16(face, n));
  }
  q.setWeight(static_cast<QFont::Weight>(weight < 1 ? 400 : (weight > 1000 ? 1000 : weight)));
  q.setUnderline((look & FontUnderlined) != 0);
  q.setKerning(false);
  q.setStyleStrategy(QFont::PreferAntialias);

  const int32_t cell = height > 0 ? height : (height == 0 ? DefaultCellHeight : 0);
  if (cell > 0) {
    // A cell height: the largest pixel size whose ascent + descent fits in it.
    int size = cell;
    q.setPixelSize(size);
    const double whole = QFontMetricsF(q).height();
    if (whole > cell) size = std::max(1, static_cast<int>(cell * cell / whole));
    q.setPixelSize(size);
    while (size > 1 && QFontMetricsF(q).ascent() + QFontMetricsF(q).descent() > cell + WidthSlack) {
      q.setPixelSize(--size);
    }
    while (true) {
      QFont bigger = q;
      bigger.setPixelSize(size + 1);
      QFontMetricsF m(bigger);
      if (m.ascent() + m.descent() > cell + WidthSlack) break;
      q = bigger;
      ++size;
    }
  } else {
    q.setPixelSize(-height);
  }
  font->Face = q;
  font->Metrics = QFontMetricsF(q);
  font->Ascent = font->Metrics.ascent();
  font->Descent = font->Metrics.descent();
  font->LineHeight = cell > 0 ? cell : static_cast<int32_t>(std::ceil(font->Ascent + font->Descent - WidthSlack));
  font->MaxCharWidth = static_cast<int32_t>(std::ceil(font->Metrics.maxWidth() - WidthSlack));
  return font;
}

double SumAdvances(Font* font, const char16_t* text, int32_t count) {
  double sum = 0;
  for (int32_t i = 0; i < count; ++i) sum += font->Advance(text[i]);
  return sum;
}

int32_t WholeWidth(double width) {
  return width <= 0 ? 0 : static_cast<int32_t>(std::ceil(width - WidthSlack));
}

QString Ordered(const char16_t* text, int32_t count) {
  QString s;
  s.reserve(count + 2);
  s.append(QChar(LeftToRightOverride));
  s.append(QString::fromUtf16(text, count));
  s.append(QChar(PopDirectional));
  return s;
}

bool Drawable(Surface* surface) { return surface && surface->Image && !surface->Image->isNull(); }

void Changed(Surface* surface, const QRect& area) {
  if (surface->Owner) surface->Owner->update(area);
}

// Draws one line with the top-left of its cell at (x, y); in opaque mode the
// cell is filled with the background colour first.
QRect DrawCell(Surface* surface, QPainter& painter, double x, int32_t y, const char16_t* text, int32_t count) {
  Font* font = surface->SelectedFont;
  const int32_t width = WholeWidth(SumAdvances(font, text, count));
  const QRect cell(static_cast<int>(std::floor(x)), y, width, font->LineHeight);
  if (surface->Mode == BackgroundOpaque) painter.fillRect(cell, ToQColor(surface->Back));
  painter.setFont(font->Face);
  painter.setPen(ToQColor(surface->Text));
  const double baseline = y + (font->LineHeight - (font->Ascent + font->Descent)) / 2 + font->Ascent;
  painter.drawText(QPointF(x, baseline), Ordered(text, count));
  return cell;
}

}  // namespace

// --- surfaces ---

Surface* CreateImageSurface(QImage* image, QWidget* owner) {
  Surface* s = new Surface{};
  s->Image = image;
  s->Owner = owner;
  s->DefaultFont = NewFont(nullptr, 0, WeightNormal, FontPlain);
  s->DefaultFont->Default = true;
  s->DefaultPen = Pen{0x000000, true};
  s->SelectedFont = s->DefaultFont;
  s->SelectedPen = &s->DefaultPen;
  s->SelectedBrush = &WhiteBrush;
  s->Text = 0x000000;
  s->Back = 0xFFFFFF;
  s->Mode = BackgroundOpaque;
  return s;
}

void FreeImageSurface(Surface* surface) {
  if (!surface) return;
  delete surface->DefaultFont;
  delete surface;
}

QImage* SurfaceImage(Surface* surface) { return surface ? surface->Image : nullptr; }

// --- objects ---

Font* MakeFont(const char16_t* face, int32_t height, int32_t weight, uint32_t look) {
  return NewFont(face, height, weight, look);
}

QFont QtFontOf(Font* font) { return font ? font->Face : QFont(); }

void FreeObject(Font* font) {
  if (font && !font->Default) delete font;
}

Pen* MakePen(Colour colour) { return new Pen{colour, false}; }

void FreeObject(Pen* pen) {
  if (pen && !pen->Default) delete pen;
}

Brush* MakeBrush(Colour colour) { return new Brush{colour, false}; }

Brush* StockBrush(StockBrushKind kind) { return kind == StockBlack ? &BlackBrush : &WhiteBrush; }

void FreeObject(Brush* brush) {
  if (brush && !brush->Stock) delete brush;
}

Font* UseObject(Surface* surface, Font* font) {
  if (!surface || !font) return nullptr;
  Font* old = surface->SelectedFont;
  surface->SelectedFont = font;
  return old;
}

Pen* UseObject(Surface* surface, Pen* pen) {
  if (!surface || !pen) return nullptr;
  Pen* old = surface->SelectedPen;
  surface->SelectedPen = pen;
  return old;
}

Brush* UseObject(Surface* surface, Brush* brush) {
  if (!surface || !brush) return nullptr;
  Brush* old = surface->SelectedBrush;
  surface->SelectedBrush = brush;
  return old;
}

// --- metrics and measuring ---

FontMetrics ReadFontMetrics(Surface* surface) {
  return {surface->SelectedFont->LineHeight, surface->SelectedFont->MaxCharWidth};
}

int32_t MeasureFit(Surface* surface, const char16_t* text, int32_t count, int32_t maxWidth) {
  Font* font = surface->SelectedFont;
  double sum = 0;
  for (int32_t i = 0; i < count; ++i) {
    sum += font->Advance(text[i]);
    if (WholeWidth(sum) > maxWidth) return i;
  }
  return count > 0 ? count : 0;
}

TextSize MeasureRun(Surface* surface, const char16_t* text, int32_t count) {
  Font* font = surface->SelectedFont;
  return {WholeWidth(SumAdvances(font, text, count > 0 ? count : 0)), font->LineHeight};
}

// --- drawing ---

void DrawLineInBox(Surface* surface, const char16_t* text, int32_t count, const Rect* box) {
  if (!Drawable(surface) || !box || count <= 0) return;
  const QRect area = ToQRect(*box);
  if (area.isEmpty()) return;
  Font* font = surface->SelectedFont;
  const int32_t width = WholeWidth(SumAdvances(font, text, count));
  const int32_t x = box->Left + (area.width() - width) / 2;
  const int32_t y = box->Top + (area.height() - font->LineHeight) / 2;
  QPainter painter(surface->Image);
  painter.setClipRect(area);
  DrawCell(surface, painter, x, y, text, count);
  painter.end();
  Changed(surface, area);
}

void DrawTextAt(Surface* surface, int32_t x, int32_t y, const Rect* box, const char16_t* text,
                int32_t count) {
  if (!Drawable(surface)) return;
  QPainter painter(surface->Image);
  QRect changed;
  if (box) {
    changed = ToQRect(*box);
    painter.fillRect(changed, ToQColor(surface->Back));
  }
  if (text && count > 0) changed |= DrawCell(surface, painter, x, y, text, count).adjusted(-2, 0, 2, 0);
  painter.end();
  Changed(surface, changed);
}

void FillBox(Surface* surface, const Rect* box, Brush* brush) {
  if (!Drawable(surface) || !box || !brush) return;
  QPainter painter(surface->Image);
  painter.fillRect(ToQRect(*box), ToQColor(brush->Value));
  painter.end();
  Changed(surface, ToQRect(*box));
}

void DrawBox(Surface* surface, const Rect* box) {
  if (!Drawable(surface) || !box) return;
  const QRect r = ToQRect(*box);
  if (r.isEmpty()) return;
  const QColor pen = ToQColor(surface->SelectedPen->Value);
  QPainter painter(surface->Image);
  if (r.width() > 2 && r.height() > 2) {
    painter.fillRect(r.adjusted(1, 1, -1, -1), ToQColor(surface->SelectedBrush->Value));
  }
  painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), pen);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), pen);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), pen);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), pen);
  painter.end();
  Changed(surface, r);
}

Colour ReadTextColour(Surface* surface) { return surface->Text; }

Colour SetTextColour(Surface* surface, Colour colour) {
  const Colour old = surface->Text;
  surface->Text = colour & 0xFFFFFF;
  return old;
}

Colour ReadBackColour(Surface* surface) { return surface->Back; }

Colour SetBackColour(Surface* surface, Colour colour) {
  const Colour old = surface->Back;
  surface->Back = colour & 0xFFFFFF;
  return old;
}

BackgroundMode ReadBackgroundMode(Surface* surface) { return surface->Mode; }

BackgroundMode SetBackgroundMode(Surface* surface, BackgroundMode mode) {
  const BackgroundMode old = surface->Mode;
  surface->Mode = mode;
  return old;
}

// --- bitmaps ---

Bitmap* LoadBitmapResource(int id) {
  for (const ResourceEntry* entry = ProgramResources; entry->Type; ++entry) {
    if (entry->Type != ResourceBitmap || entry->Id != id || !entry->Data) continue;
    const auto* picture = static_cast<const BitmapResource*>(entry->Data);
    QImage image;
    if (picture->Xpm) {
      image = QImage(picture->Xpm).convertToFormat(QImage::Format_ARGB32);
    } else if (picture->Bits && picture->Width > 0 && picture->Height > 0) {
      image = QImage(picture->Width, picture->Height, QImage::Format_RGB32);
      const int stride = (picture->Width + 7) / 8;
      for (int y = 0; y < picture->Height; ++y) {
        for (int x = 0; x < picture->Width; ++x) {
          const bool black = (picture->Bits[y * stride + x / 8] >> (x % 8)) & 1;
          image.setPixel(x, y, black ? 0xFF000000u : 0xFFFFFFFFu);
        }
      }
    }
    if (image.isNull()) return nullptr;
    return new Bitmap{image};
  }
  return nullptr;
}

void FreeBitmap(Bitmap* bitmap) { delete bitmap; }

TextSize BitmapSize(Bitmap* bitmap) {
  if (!bitmap) return {0, 0};
  return {bitmap->Picture.width(), bitmap->Picture.height()};
}

void CopyBitmap(Surface* surface, Bitmap* bitmap, int32_t x, int32_t y) {
  if (!Drawable(surface) || !bitmap) return;
  QPainter painter(surface->Image);
  painter.drawImage(x, y, bitmap->Picture);
  painter.end();
  Changed(surface, QRect(x, y, bitmap->Picture.width(), bitmap->Picture.height()));
}

void CopyBitmapPart(Surface* surface, Bitmap* bitmap, const Rect* source, int32_t x, int32_t y) {
  if (!Drawable(surface) || !bitmap || !source) return;
  const QRect from = ToQRect(*source);
  QPainter painter(surface->Image);
  painter.drawImage(QPoint(x, y), bitmap->Picture, from);
  painter.end();
  Changed(surface, QRect(QPoint(x, y), from.size()));
}

// --- font families and platform metrics ---

int ListFontFaces(Surface*, FontFaceVisitor visit, void* context) {
  int calls = 0;
  QString last;
  for (const QString& family : QFontDatabase::families()) {
    // A family offered by several foundries ("Name [urw]") is one face to the reader.
    QString name = family;
    const qsizetype bracket = name.indexOf(QStringLiteral(" ["));
    if (bracket > 0) name.truncate(bracket);
    if (name == last) continue;
    last = name;
    char16_t face[32] = {};
    const int n = std::min<int>(static_cast<int>(name.size()), 31);
    for (int i = 0; i < n; ++i) face[i] = name.at(i).unicode();
    const int charset =
        QFontDatabase::writingSystems(family).contains(QFontDatabase::Hebrew) ? CharsetHebrew : CharsetDefault;
    ++calls;
    if (!visit(face, charset, context)) break;
  }
  return calls;
}

int32_t PlatformMetric(PlatformMetricKind kind) {
  switch (kind) {
    case MetricScrollBarWidth:
      return qApp ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 13;
    case MetricEdgeWidth:
    case MetricEdgeHeight:
      return 2;
    case MetricPixelsPerInchY: {
      QScreen* screen = qApp ? QGuiApplication::primaryScreen() : nullptr;
      return screen ? static_cast<int32_t>(std::lround(screen->logicalDotsPerInchY())) : 96;
    }
  }
  return 0;
}
