#include "documents/letter_code.h"

#include <cstring>

#include "platform/memory.h"
#include "shell/app_state.h"

DisplayBuffer SharedDisplayBuffer;

char16_t* MakeDisplayText(const uint8_t* bytes, size_t n, DisplayBuffer* buffer) {
  char16_t* out;
  if (buffer && buffer->Units && buffer->Capacity >= n) {
    out = buffer->Units;
  } else {
    out = static_cast<char16_t*>(MemAlloc((n + 1) * sizeof(char16_t)));
    if (!out) return nullptr;
    if (buffer) {
      MemFree(buffer->Units);
      buffer->Units = out;
      buffer->Capacity = static_cast<uint32_t>(n);
    }
  }

  const uint16_t base = static_cast<uint16_t>(App.font.LetterBase);
  size_t count = 0;
  for (; count < n && bytes[count] != 0; ++count) {
    const uint8_t b = bytes[count];
    if (b >= 0x61 && b <= 0x7B) {
      out[count] = static_cast<char16_t>(static_cast<uint16_t>(b - 0x61 + base));
    } else if (b == 0x7E) {
      out[count] = u'{';
    } else {
      out[count] = b;
    }
  }
  out[count] = 0;

  // Mirroring works on the n units asked for; a text cut short by a zero byte
  // is mirrored only over what was converted, so no unit past the terminator moves in.
  if (n > 0 && base != 97 && (App.Flags & FlagReverse)) MirrorReverse(out, count);
  return out;
}

static char16_t MirrorBracket(char16_t u) {
  switch (u) {
    case u'(': return u')';
    case u')': return u'(';
    case u'[': return u']';
    case u']': return u'[';
    case u'{': return u'}';
    case u'}': return u'{';
    default: return u;
  }
}

int MirrorReverse(char16_t* units, size_t n) {
  char16_t* work = static_cast<char16_t*>(MemAlloc(n * sizeof(char16_t)));
  if (!work) return 1;
  std::memcpy(work, units, n * sizeof(char16_t));
  for (size_t i = 0; i < n; ++i) units[i] = MirrorBracket(work[n - 1 - i]);
  MemFree(work);
  return 0;
}

void FreeDisplayBuffer(DisplayBuffer* buffer) {
  MemFree(buffer->Units);
  buffer->Units = nullptr;
  buffer->Capacity = 0;
}
