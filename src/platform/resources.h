// Resources of the program's own module: read-only, living as long as the program.
#pragma once

#include <cstdint>

struct Resource;  // one resource found by FindProgramResource

// Returns the resource of the given type (a ResourceType) and id, or nullptr when there is none.
const Resource* FindProgramResource(uint16_t type, uint16_t id);

// Returns the size of the resource's bytes (0 when it has none or for typed records).
uint32_t ResourceSize(const Resource* resource);

// Returns the resource's bytes (or its typed record), valid for the program's lifetime; nullptr when they cannot be had.
const void* ResourceBytes(const Resource* resource);
