// Our PalmDOC compressor: the shortest stream the code set allows, found by
// an exact shortest-path parse over literal bytes, literal runs, space+letter
// pairs and back-references (up to 2047 back, 3 to 10 long, overlap allowed).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint8_t> CompressPalmDoc(const uint8_t* data, size_t size);
