#include "bundle.h"

#include <algorithm>
#include <cstring>

#include "palmdoc_compressor.h"

namespace {

void PutBe16(std::vector<uint8_t>* out, unsigned v) {
  out->push_back(uint8_t(v >> 8));
  out->push_back(uint8_t(v));
}

void PutLe(std::vector<uint8_t>* out, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out->push_back(uint8_t(v >> (8 * i)));
}

uint32_t GetLe(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
  return v;
}

}  // namespace

bool MakeLessonResource(const std::vector<uint8_t>& document, uint16_t spare1, uint16_t spare2,
                        std::vector<uint8_t>* resource) {
  const std::vector<uint8_t> stream = CompressPalmDoc(document.data(), document.size());
  if (document.empty() || document.size() > 0xFFFF || stream.size() + 8 > 0xFFFF) return false;
  resource->clear();
  PutBe16(resource, unsigned(stream.size() + 8));
  PutBe16(resource, spare1);
  PutBe16(resource, spare2);
  PutBe16(resource, unsigned(stream.size()));
  PutBe16(resource, unsigned(document.size()));
  resource->insert(resource->end(), stream.begin(), stream.end());
  resource->insert(resource->end(), 4, 0);
  return true;
}

bool MakeVolumeResources(const VolumeDocuments& volume, std::vector<BundleEntry>* entries, std::string* error) {
  static const char kTooLong[] = " (its compressed stream needs more than the 65527 bytes the 16-bit lengths allow)";
  entries->clear();
  for (int lesson = 1; lesson <= kLessonCount; ++lesson) {
    BundleEntry e = {kRawDataType, uint16_t(1000 + lesson), {}};
    if (!MakeLessonResource(volume.Lessons[lesson - 1], uint16_t(lesson + 20), uint16_t(lesson + 20), &e.Bytes)) {
      *error = LessonFileName(lesson) + ": lesson " + std::to_string(lesson) + " does not fit a lesson resource" +
               kTooLong;
      return false;
    }
    entries->push_back(std::move(e));
  }
  BundleEntry index = {kRawDataType, kIndexResourceId, {}};
  if (!MakeLessonResource(volume.Index, 1, 255, &index.Bytes)) {
    *error = LessonFileName(kIndexLesson) + ": the index does not fit a lesson resource" + kTooLong;
    return false;
  }
  entries->push_back(std::move(index));
  return true;
}

std::vector<uint8_t> MakeBundle(std::vector<BundleEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const BundleEntry& a, const BundleEntry& b) {
    return a.Type != b.Type ? a.Type < b.Type : a.Id < b.Id;
  });
  std::vector<uint8_t> out = {'D', 'R', 'V', 'B'};
  PutLe(&out, 1, 4);
  PutLe(&out, uint32_t(entries.size()), 4);
  uint32_t offset = uint32_t(12 + 12 * entries.size());
  for (const BundleEntry& e : entries) {
    PutLe(&out, e.Type, 2);
    PutLe(&out, e.Id, 2);
    PutLe(&out, offset, 4);
    PutLe(&out, uint32_t(e.Bytes.size()), 4);
    offset += uint32_t(e.Bytes.size());
  }
  for (const BundleEntry& e : entries) out.insert(out.end(), e.Bytes.begin(), e.Bytes.end());
  return out;
}

bool ParseBundle(const std::vector<uint8_t>& b, std::vector<BundleEntry>* entries, std::string* error) {
  entries->clear();
  if (b.size() < 12 || std::memcmp(b.data(), "DRVB", 4) != 0) {
    *error = "not a content bundle (no DRVB mark)";
    return false;
  }
  if (GetLe(b, 4, 4) != 1) {
    *error = "unknown bundle version " + std::to_string(GetLe(b, 4, 4));
    return false;
  }
  const uint32_t count = GetLe(b, 8, 4);
  if (12 + uint64_t(count) * 12 > b.size()) {
    *error = "the bundle's table is cut short";
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = 12 + size_t(i) * 12;
    const uint32_t offset = GetLe(b, at + 4, 4), size = GetLe(b, at + 8, 4);
    if (uint64_t(offset) + size > b.size()) {
      *error = "resource " + std::to_string(GetLe(b, at + 2, 2)) + " lies outside the bundle";
      return false;
    }
    entries->push_back({uint16_t(GetLe(b, at, 2)), uint16_t(GetLe(b, at + 2, 2)),
                        std::vector<uint8_t>(b.begin() + offset, b.begin() + offset + size)});
  }
  return true;
}
