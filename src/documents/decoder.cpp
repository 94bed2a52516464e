#include "documents/decoder.h"

#include <cstring>

#include "documents/lesson_store.h"
#include "platform/memory.h"
#include "platform/message_box.h"

static void SetStatus(int* status, int code) {
  if (status) *status = code;
}

uint8_t* DecodeStream(StreamDescriptor* stream, int* status) {
  if (!stream || stream->OutputLength == 0 || !stream->Input) {
    SetStatus(status, StatusNothingToDecode);
    return nullptr;
  }
  // The document, its terminating zero and the spare byte, plus a zero tail.
  const uint32_t length = stream->OutputLength;
  uint8_t* const start = static_cast<uint8_t*>(MemAlloc(size_t(length) + 2 + DocumentTailZeros));
  if (!start) {
    SetStatus(status, StatusNotLoaded);
    return nullptr;
  }
  stream->Reserved = 0;

  const uint8_t* in = stream->Input;
  const uint8_t* const inEnd = in + stream->InputLength;
  uint8_t* out = start;
  uint8_t* const outEnd = start + length;
  bool broken = false;  // the stream would read outside its input or the output

  // Far from both ends every code fits without cutting (it takes at most 9 more
  // input bytes and yields at most 10), so copies may write a few bytes past
  // what a code yields, for later steps to overwrite, and only a reference's
  // distance needs a check.
  while (inEnd - in > 9 && outEnd - out > 10) {
    const uint8_t c = *in++;
    if (c < 0x80 || c >= 0xC0) {
      if (c - 1u < 8u) {
        std::memcpy(out, in, 8);  // a run of c bytes; the rest is overwritten later
        in += c;
        out += c;
        continue;
      }
      // One literal, or a space and c ^ 0x80: written without a branch.
      const bool pair = c >= 0xC0;
      out[0] = pair ? uint8_t(' ') : c;
      out[1] = uint8_t(c ^ 0x80);
      out += 1 + pair;
      continue;
    }
    const unsigned v = unsigned(c) << 8 | *in++;
    const size_t distance = (v >> 3) & 0x7FF;
    const size_t n = (v & 7) + 3;
    if (distance - 1 >= size_t(out - start)) {  // 0, or before the start
      broken = true;
      break;
    }
    const uint8_t* from = out - distance;
    if (distance >= 8) {
      // 10 bytes whatever the length; the second copy reads only bytes the
      // first has already written, as a byte-by-byte copy would.
      std::memcpy(out, from, 8);
      std::memcpy(out + 8, from + 8, 2);
    } else {
      for (size_t i = 0; i < n; ++i) out[i] = from[i];
    }
    out += n;
  }

  // Near the ends, every step is cut or checked.
  while (!broken && out < outEnd && in < inEnd) {
    const uint8_t c = *in++;
    if (c < 0x80) {
      if (c == 0 || c > 8) {
        *out++ = c;
        continue;
      }
      // A literal run; bytes past the output end are dropped unread.
      size_t n = c;
      const size_t room = size_t(outEnd - out);
      if (n > room) n = room;
      if (n > size_t(inEnd - in)) {
        broken = true;
        break;
      }
      std::memcpy(out, in, n);
      in += n;
      out += n;
    } else if (c >= 0xC0) {
      *out++ = ' ';
      if (out < outEnd) *out++ = c ^ 0x80;
    } else {
      if (in == inEnd) {
        broken = true;
        break;
      }
      const unsigned v = unsigned(c) << 8 | *in++;
      const size_t distance = (v >> 3) & 0x7FF;
      size_t n = (v & 7) + 3;
      if (distance == 0 || distance > size_t(out - start)) {
        broken = true;
        break;
      }
      const size_t room = size_t(outEnd - out);
      if (n > room) n = room;
      const uint8_t* from = out - distance;
      if (distance >= n) {
        std::memcpy(out, from, n);
        out += n;
      } else {
        // Overlapping: each byte may be one this reference has just written.
        for (size_t i = 0; i < n; ++i) out[i] = from[i];
        out += n;
      }
    }
  }

  if (broken || out != outEnd) {
    MemFree(start);
    ShowMessageBox(nullptr, u"UnCompress() buffer error!", nullptr, BoxButtonsOk);
    SetStatus(status, StatusBufferError);
    return nullptr;
  }
  std::memset(outEnd, 0, 2 + DocumentTailZeros);
  return start;
}
