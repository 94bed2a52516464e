// The Qt platform's resource lookup.
//   [X] typed resources (menus, dialog templates, strings, bitmaps) from ProgramResources
//   [X] raw-data resources (type 10) from the embedded content bundle
//   [X] bytes read-only, valid for the program's lifetime
#include <cstring>
#include <vector>

#include "platform/resources.h"
#include "resources/content_bundle.h"
#include "resources/resources.h"

struct Resource {
  uint16_t Type;
  uint16_t Id;
  const void* Data;
  uint32_t Size;
};

static uint32_t Le(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

// Every resource of the program, built once from the typed table and the bundle.
static const std::vector<Resource>& AllResources() {
  static const std::vector<Resource> all = [] {
    std::vector<Resource> list;
    for (const ResourceEntry* e = ProgramResources; e->Type != 0; ++e) {
      list.push_back({e->Type, e->Id, e->Data, e->Size});
    }
    const uint8_t* bundle = &DarvoContentBundle[0];
    const uint32_t size = &DarvoContentBundleSize ? DarvoContentBundleSize : 0;
    if (bundle && size >= 12 && std::memcmp(bundle, "DRVB", 4) == 0 && Le(bundle + 4, 4) == 1) {
      const uint32_t count = Le(bundle + 8, 4);
      for (uint32_t i = 0; i < count && 12 + uint64_t(i + 1) * 12 <= size; ++i) {
        const uint8_t* at = bundle + 12 + size_t(i) * 12;
        const uint32_t offset = Le(at + 4, 4), length = Le(at + 8, 4);
        if (uint64_t(offset) + length > size) break;
        list.push_back({uint16_t(Le(at, 2)), uint16_t(Le(at + 2, 2)), bundle + offset, length});
      }
    }
    return list;
  }();
  return all;
}

const Resource* FindProgramResource(uint16_t type, uint16_t id) {
  for (const Resource& r : AllResources()) {
    if (r.Type == type && r.Id == id) return &r;
  }
  return nullptr;
}

uint32_t ResourceSize(const Resource* resource) {
  return resource ? resource->Size : 0;
}

const void* ResourceBytes(const Resource* resource) {
  return resource ? resource->Data : nullptr;
}
