#include "volume_source.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr size_t kMaxDocument = 65535;  // lengths and offsets are 16-bit

// Brackets as they look once a reversed text is shown: each swaps with its
// partner ('{' is stored as 0x7E).
uint8_t MirrorBracket(uint8_t b) {
  switch (b) {
    case '(': return ')';
    case ')': return '(';
    case '[': return ']';
    case ']': return '[';
    case 0x7E: return '}';
    case '}': return 0x7E;
    default: return b;
  }
}

void MirrorReverse(std::vector<uint8_t>* text) {
  const size_t n = text->size();
  std::vector<uint8_t> copy = *text;
  for (size_t i = 0; i < n; ++i) (*text)[i] = MirrorBracket(copy[n - 1 - i]);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads exactly digits hex digits at line[*at].
bool ReadHex(const std::string& line, size_t* at, int digits, unsigned* value) {
  unsigned v = 0;
  for (int i = 0; i < digits; ++i) {
    if (*at >= line.size() || HexDigit(line[*at]) < 0) return false;
    v = v << 4 | unsigned(HexDigit(line[(*at)++]));
  }
  *value = v;
  return true;
}

std::string CharName(uint32_t cp) {
  char buffer[32];
  if (cp >= 0x21 && cp < 0x7F) {
    std::snprintf(buffer, sizeof buffer, "'%c' (U+%04X)", char(cp), unsigned(cp));
  } else {
    std::snprintf(buffer, sizeof buffer, "U+%04X", unsigned(cp));
  }
  return buffer;
}

// Translates the text part of a record line into letter code, in reading order.
bool TranslateText(const std::string& s, size_t at, std::vector<uint8_t>* out, std::string* message) {
  while (at < s.size()) {
    const uint8_t c = uint8_t(s[at]);
    uint32_t cp;
    size_t n;
    if (c < 0x80) {
      cp = c, n = 1;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F, n = 2;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F, n = 3;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07, n = 4;
    } else {
      *message = "invalid UTF-8";
      return false;
    }
    if (at + n > s.size()) {
      *message = "invalid UTF-8";
      return false;
    }
    for (size_t k = 1; k < n; ++k) {
      const uint8_t cc = uint8_t(s[at + k]);
      if ((cc & 0xC0) != 0x80) {
        *message = "invalid UTF-8";
        return false;
      }
      cp = cp << 6 | (cc & 0x3F);
    }
    if (cp == '\\') {
      if (at + 1 < s.size() && s[at + 1] == '\\') {
        out->push_back('\\');
        at += 2;
        continue;
      }
      size_t h = at + 2;
      unsigned value;
      if (at + 1 < s.size() && s[at + 1] == 'x' && ReadHex(s, &h, 2, &value)) {
        if (value == 0) {
          *message = "\\x00 would end the text";
          return false;
        }
        out->push_back(uint8_t(value));
        at = h;
        continue;
      }
      *message = "a backslash starts \\\\ or \\xHH";
      return false;
    }
    if (cp >= 0x05D0 && cp <= 0x05EA) {
      out->push_back(uint8_t(cp - 0x05D0 + 0x61));
    } else if (cp == '{') {
      out->push_back(0x7E);
    } else if (cp >= 0x20 && cp < 0x7F && !(cp >= 'a' && cp <= 'z') && cp != '~') {
      out->push_back(uint8_t(cp));
    } else {
      *message = "unknown character " + CharName(cp) + " (letter code has Hebrew letters, "
                 "capitals, digits and punctuation; write other bytes as \\xHH)";
      return false;
    }
    at += n;
  }
  return true;
}

std::string ReadFile(const std::string& path, bool* ok) {
  std::ifstream in(path, std::ios::binary);
  *ok = bool(in);
  if (!in) return {};
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void AppendUtf8(std::string* s, uint32_t cp) {
  if (cp < 0x80) {
    s->push_back(char(cp));
  } else {
    s->push_back(char(0xC0 | cp >> 6));
    s->push_back(char(0x80 | (cp & 0x3F)));
  }
}

std::string Hex(unsigned v, int digits) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%0*X", digits, v);
  return buffer;
}

}  // namespace

std::string LessonFileName(int lesson) {
  if (lesson == kIndexLesson) return "index.txt";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "lessons/%03d.txt", lesson);
  return buffer;
}

bool CompileLessonSource(const std::string& text, bool isIndex, const std::string& file,
                         std::vector<uint8_t>* document, SourceError* error) {
  document->clear();
  int lineNumber = 0;
  int records = 0;
  size_t start = 0;
  auto fail = [&](const std::string& message) {
    *error = {file, lineNumber, message};
    return false;
  };
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;

    size_t at = 0;
    unsigned key = 0, style = 0, param = 0;
    const char* shape = isIndex ? "an index record is written KKKK SS PP|text"
                                : "a record is written SS PP|text";
    if (isIndex && !(ReadHex(line, &at, 4, &key) && at < line.size() && line[at++] == ' ')) {
      return fail(shape);
    }
    if (!(ReadHex(line, &at, 2, &style) && at < line.size() && line[at++] == ' ' &&
          ReadHex(line, &at, 2, &param) && at < line.size() && line[at++] == '|')) {
      return fail(shape);
    }
    if (style == 0) return fail("StyleByte 00 would end the document here");

    std::vector<uint8_t> letters;
    std::string message;
    if (!TranslateText(line, at, &letters, &message)) return fail(message);
    // Index texts are always stored reversed; article texts when StyleReversed says so.
    if (isIndex || (style & 0x10)) MirrorReverse(&letters);

    const bool rule = !isIndex && (style & 7) == 7;
    if (records == 0 && letters.empty() && !rule) {
      return fail("the first record needs a text (the program refuses a document without one)");
    }
    if (isIndex) {
      document->push_back(uint8_t(key));
      document->push_back(uint8_t(key >> 8));
    }
    document->push_back(uint8_t(style));
    document->push_back(uint8_t(param));
    document->insert(document->end(), letters.begin(), letters.end());
    document->push_back(0);
    ++records;
    if (document->size() + (isIndex ? 5 : 3) > kMaxDocument) {
      return fail("the document grows past 65535 bytes, the most a lesson can hold");
    }
  }
  if (records == 0) {
    lineNumber = 0;
    return fail("no records: the program refuses an empty document");
  }
  document->insert(document->end(), isIndex ? 5 : 3, 0);
  return true;
}

bool ReadVolumeSource(const std::string& dir, VolumeDocuments* volume, SourceError* error) {
  for (int lesson = 1; lesson <= kLessonCount + 1; ++lesson) {
    const int which = lesson <= kLessonCount ? lesson : kIndexLesson;
    const std::string file = dir + "/" + LessonFileName(which);
    bool ok;
    const std::string text = ReadFile(file, &ok);
    if (!ok) {
      *error = {file, 0, which == kIndexLesson ? "missing index" : "missing lesson " + std::to_string(which)};
      return false;
    }
    std::vector<uint8_t>* doc = which == kIndexLesson ? &volume->Index : &volume->Lessons[lesson - 1];
    if (!CompileLessonSource(text, which == kIndexLesson, file, doc, error)) return false;
  }
  return true;
}

bool DocumentToSource(const std::vector<uint8_t>& document, int lesson, std::string* text,
                      std::string* error) {
  const bool isIndex = lesson == kIndexLesson;
  std::string s;
  if (isIndex) {
    s = "# index\n";
  } else if (lesson % 2) {
    s = "# lesson " + std::to_string(lesson) + ": article\n";
  } else {
    s = "# lesson " + std::to_string(lesson) + ": commentary on lesson " + std::to_string(lesson - 1) + "\n";
  }
  const size_t head = isIndex ? 4 : 2;
  const size_t size = document.size();
  size_t p = 0;
  for (;;) {
    if (p + head > size) {
      *error = "the document ends inside a record";
      return false;
    }
    const uint8_t style = document[p + head - 2];
    if (style == 0) break;
    size_t end = p + head;
    while (end < size && document[end] != 0) ++end;
    if (end == size) {
      *error = "a record's text has no end";
      return false;
    }
    std::vector<uint8_t> letters(document.begin() + long(p + head), document.begin() + long(end));
    if (isIndex || (style & 0x10)) MirrorReverse(&letters);
    if (isIndex) s += Hex(unsigned(document[p] | document[p + 1] << 8), 4) + " ";
    s += Hex(style, 2) + " " + Hex(document[p + head - 1], 2) + "|";
    for (uint8_t b : letters) {
      if (b >= 0x61 && b <= 0x7B) {
        AppendUtf8(&s, 0x05D0 + (b - 0x61));
      } else if (b == 0x7E) {
        s += '{';
      } else if (b == '\\') {
        s += "\\\\";
      } else if (b >= 0x20 && b < 0x7F) {
        s += char(b);
      } else {
        s += "\\x" + Hex(b, 2);
      }
    }
    s += '\n';
    p = end + 1;
  }
  // Only the usual end record can be written back: all zeros, nothing after.
  const size_t tail = isIndex ? 5 : 3;
  bool zeros = p + tail == size;
  for (size_t i = p; zeros && i < size; ++i) zeros = document[i] == 0;
  if (!zeros) {
    *error = "the document's end record is not " + std::to_string(tail) + " zero bytes closing the document";
    return false;
  }
  *text = std::move(s);
  return true;
}
