// Lesson resources in the stored layout and the bundle file that carries them
// (layout in README.md and src/resources/content_bundle.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "volume_source.h"

constexpr uint16_t kRawDataType = 10;
constexpr uint16_t kIndexResourceId = 32767;

struct BundleEntry {
  uint16_t Type;
  uint16_t Id;
  std::vector<uint8_t> Bytes;
};

// The stored layout of one document: big-endian header (payload length,
// the two spare numbers, compressed and uncompressed length), the compressed
// stream and four zero bytes. Fails when the lengths do not fit 16 bits.
bool MakeLessonResource(const std::vector<uint8_t>& document, uint16_t spare1, uint16_t spare2,
                        std::vector<uint8_t>* resource);

// Every resource of a volume: lessons 1..346 (ids 1001..1346, spare numbers
// lesson + 20) and the index (id 32767, spare numbers 1 and 255). A document
// that does not fit fails with "FILE: message", FILE relative to the volume folder.
bool MakeVolumeResources(const VolumeDocuments& volume, std::vector<BundleEntry>* entries, std::string* error);

std::vector<uint8_t> MakeBundle(std::vector<BundleEntry> entries);
bool ParseBundle(const std::vector<uint8_t>& bundle, std::vector<BundleEntry>* entries, std::string* error);
