// The whole volume through the lesson store (all 347 resources decoded, every
// bound checked) and through our compressor; a decoder without any checks is
// measured beside it for comparison. Throughput counts document bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bundle.h"
#include "documents/lesson_store.h"
#include "fake/fake.h"
#include "palmdoc_compressor.h"
#include "platform/memory.h"

namespace {

struct Volume {
  std::vector<std::vector<uint8_t>> Documents;
  std::vector<std::vector<uint8_t>> Resources;
  size_t DocumentBytes = 0;
};

const Volume& LoadVolume() {
  static Volume volume = [] {
    Volume v;
    FakeReset();
    if (!FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin")) std::abort();
    for (const FakeResourceEntry& e : FakeResources.Entries) {
      v.Resources.push_back(e.Bytes);
      const size_t length = size_t(e.Bytes[8]) << 8 | e.Bytes[9];
      uint8_t* doc = DecodeLessonResource(e.Bytes.data(), uint32_t(e.Bytes.size()), nullptr);
      v.Documents.emplace_back(doc, doc + length);
      v.DocumentBytes += length;
      MemFree(doc);
    }
    return v;
  }();
  return volume;
}

int Lesson(int i) {
  return i < 346 ? i + 1 : IndexLesson;
}

void DecodeVolume(benchmark::State& state) {
  const Volume& v = LoadVolume();
  FakeReset();
  if (!FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin")) std::abort();
  for (auto _ : state) {
    for (int i = 0; i < 347; ++i) {
      uint8_t* doc = LoadLesson(Lesson(i), nullptr);
      benchmark::DoNotOptimize(doc);
      MemFree(doc);
    }
    FakeResources.Lookups.clear();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(v.DocumentBytes));
}
BENCHMARK(DecodeVolume);

// The decoder alone, from resource bytes already at hand.
void DecodeVolumeResources(benchmark::State& state) {
  const Volume& v = LoadVolume();
  for (auto _ : state) {
    for (const std::vector<uint8_t>& r : v.Resources) {
      uint8_t* doc = DecodeLessonResource(r.data(), uint32_t(r.size()), nullptr);
      benchmark::DoNotOptimize(doc);
      MemFree(doc);
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(v.DocumentBytes));
}
BENCHMARK(DecodeVolumeResources);

// For comparison: a plain byte-by-byte decoder that checks nothing.
uint8_t* DecodeUnchecked(const uint8_t* r) {
  const size_t in_length = size_t(r[6]) << 8 | r[7], length = size_t(r[8]) << 8 | r[9];
  const uint8_t* in = r + 10;
  const uint8_t* end = in + in_length;
  uint8_t* out = static_cast<uint8_t*>(MemAlloc(length + 2));
  uint8_t* o = out;
  while (in < end) {
    const unsigned c = *in++;
    if (c >= 1 && c <= 8) {
      for (unsigned k = 0; k < c; ++k) *o++ = *in++;
    } else if (c < 0x80) {
      *o++ = uint8_t(c);
    } else if (c >= 0xC0) {
      *o++ = ' ';
      *o++ = uint8_t(c ^ 0x80);
    } else {
      const unsigned v = c << 8 | *in++;
      const uint8_t* from = o - ((v >> 3) & 0x7FF);
      for (unsigned k = 0; k < (v & 7) + 3; ++k) *o++ = *from++;
    }
  }
  out[length] = 0;
  return out;
}

void DecodeVolumeUnchecked(benchmark::State& state) {
  const Volume& v = LoadVolume();
  for (auto _ : state) {
    for (const std::vector<uint8_t>& r : v.Resources) {
      uint8_t* doc = DecodeUnchecked(r.data());
      benchmark::DoNotOptimize(doc);
      MemFree(doc);
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(v.DocumentBytes));
}
BENCHMARK(DecodeVolumeUnchecked);

void CompressVolume(benchmark::State& state) {
  const Volume& v = LoadVolume();
  size_t compressed = 0;
  for (auto _ : state) {
    compressed = 0;
    for (const std::vector<uint8_t>& d : v.Documents) {
      std::vector<uint8_t> resource;
      MakeLessonResource(d, 21, 21, &resource);
      compressed += resource.size();
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(v.DocumentBytes));
  state.counters["resource_bytes"] = double(compressed);
  state.counters["document_bytes"] = double(v.DocumentBytes);
}
BENCHMARK(CompressVolume)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
