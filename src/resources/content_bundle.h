// The compiled content bundle (darvo-pack's output) embedded in the program.
//
// Layout, all numbers little-endian:
//   0   4 bytes  "DRVB"
//   4   u32      version, 1
//   8   u32      count of resources
//   12  count x {u16 type, u16 id, u32 offset, u32 size}, sorted by type then id
//   then the resources' bytes at their offsets
#pragma once

#include <cstdint>

extern "C" {
// Provided by the darvo_content library; a build without it has no bundle
// (the symbols are then null and the Qt platform serves no raw resources).
extern const uint8_t DarvoContentBundle[] __attribute__((weak));
extern const uint32_t DarvoContentBundleSize __attribute__((weak));
}
