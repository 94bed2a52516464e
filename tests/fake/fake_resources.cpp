#include "fake/fake_resources.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/resources.h"

FakeResourcesState FakeResources;

// The opaque handle is the entry itself.
struct Resource : FakeResourceEntry {};

void FakeResetResources() {
  FakeResources = {};
}

void FakeAddResource(uint16_t type, uint16_t id, const std::vector<uint8_t>& bytes) {
  for (FakeResourceEntry& e : FakeResources.Entries) {
    if (e.Type == type && e.Id == id) {
      e.Bytes = bytes;
      e.BytesUnavailable = false;
      return;
    }
  }
  FakeResources.Entries.push_back({type, id, bytes, false});
}

void FakeAddResource(uint16_t type, uint16_t id, const void* bytes, size_t size) {
  const uint8_t* p = static_cast<const uint8_t*>(bytes);
  FakeAddResource(type, id, std::vector<uint8_t>(p, p + size));
}

static uint32_t Le(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + i];
  return v;
}

bool FakeLoadBundle(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::memcmp(b.data(), "DRVB", 4) != 0 || Le(b, 4, 4) != 1) return false;
  const uint32_t count = Le(b, 8, 4);
  if (12 + uint64_t(count) * 12 > b.size()) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = 12 + size_t(i) * 12;
    const uint32_t offset = Le(b, at + 4, 4), size = Le(b, at + 8, 4);
    if (uint64_t(offset) + size > b.size()) return false;
    FakeAddResource(uint16_t(Le(b, at, 2)), uint16_t(Le(b, at + 2, 2)),
                    std::vector<uint8_t>(b.begin() + offset, b.begin() + offset + size));
  }
  return true;
}

const Resource* FindProgramResource(uint16_t type, uint16_t id) {
  FakeResources.Lookups.push_back({type, id});
  for (const FakeResourceEntry& e : FakeResources.Entries) {
    if (e.Type == type && e.Id == id) return static_cast<const Resource*>(&e);
  }
  return nullptr;
}

uint32_t ResourceSize(const Resource* resource) {
  return resource ? static_cast<uint32_t>(resource->Bytes.size()) : 0;
}

const void* ResourceBytes(const Resource* resource) {
  if (!resource || resource->BytesUnavailable) return nullptr;
  // An empty resource still has an address, as a real module's would.
  return resource->Bytes.empty() ? static_cast<const void*>(resource) : resource->Bytes.data();
}
