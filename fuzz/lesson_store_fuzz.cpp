// Arbitrary resource bytes through the lesson store: no input may make it read
// or write outside a buffer, leak, or hand back a document without its zero.
// Taken as a stream (after a two-byte length), the bytes must decode exactly
// as a plain byte-at-a-time decoder says; taken as a document, they must
// survive our compressor and the store's decoder unchanged.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bundle.h"
#include "documents/decoder.h"
#include "documents/lesson_store.h"
#include "documents/reference_decoder.h"
#include "fake/fake.h"
#include "platform/memory.h"
#include "resources/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FakeReset();
  // The fake keeps the bytes in a block of exactly their size.
  FakeAddResource(ResourceRawData, 1001, data, size);
  int status = 0;
  uint8_t* doc = LoadLesson(1, &status);
  if (doc) {
    const size_t length = size_t(data[8]) << 8 | data[9];
    if (doc[length] != 0 || status != 0) std::abort();
    MemFree(doc);
  } else if (status < 1 || status > 5) {
    std::abort();
  }

  // Short inputs are enough to reach every step of the compressor; longer ones
  // would only slow the store's fuzzing down.
  if (size > 2) {
    const size_t length = size_t(data[0]) << 8 | data[1];
    std::vector<uint8_t> stream(data + 2, data + size), expected;
    const bool ok = length > 0 && ReferenceDecode(stream.data(), stream.size(), length, &expected);
    StreamDescriptor d = {stream.data(), uint32_t(stream.size()), 0, uint32_t(length)};
    uint8_t* out = DecodeStream(&d, &status);
    if (ok != (out != nullptr)) std::abort();
    if (out && (std::memcmp(out, expected.data(), length) != 0 || out[length] != 0)) std::abort();
    MemFree(out);
  }

  if (size > 0 && size <= 1024) {
    std::vector<uint8_t> document(data, data + size), resource;
    if (MakeLessonResource(document, 21, 21, &resource)) {
      FakeReset();
      FakeAddResource(ResourceRawData, 1001, resource);
      uint8_t* back = LoadLesson(1, &status);
      if (!back || std::memcmp(back, data, size) != 0 || back[size] != 0) std::abort();
      MemFree(back);
    }
  }
  FakeReset();
  return 0;
}
