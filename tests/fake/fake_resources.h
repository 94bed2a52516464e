#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program's resources as the tests install them; none by default.
// Lookups records every (type, id) asked for, found or not.
struct FakeResourceEntry {
  uint16_t Type;
  uint16_t Id;
  std::vector<uint8_t> Bytes;
  bool BytesUnavailable;  // found, but ResourceBytes gives nullptr
};

struct FakeResourceLookup {
  uint16_t Type;
  uint16_t Id;
};

struct FakeResourcesState {
  std::vector<FakeResourceEntry> Entries;
  std::vector<FakeResourceLookup> Lookups;
};
extern FakeResourcesState FakeResources;

// Installs (or replaces) a raw resource.
void FakeAddResource(uint16_t type, uint16_t id, const void* bytes, size_t size);
void FakeAddResource(uint16_t type, uint16_t id, const std::vector<uint8_t>& bytes);

// Installs every resource of a content bundle file made by darvo-pack: the
// sample volume DARVO_BINARY_DIR "/content/darvo-content.bin" or the format
// fixture volume DARVO_BINARY_DIR "/content/fixture-volume.bin", both built
// before the tests. Returns false when the file cannot be read or is not a bundle.
bool FakeLoadBundle(const std::string& path);

void FakeResetResources();
