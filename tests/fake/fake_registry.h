#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

// The fake registry: keys and typed values in memory, key paths and value
// names compared without regard to case (ASCII letters), bytes kept exactly.
struct FakeRegistryValue {
  std::u16string Name;
  RegistryValueType Type;
  std::vector<uint8_t> Data;
};

struct FakeRegistryKeyData {
  std::u16string Path;
  std::vector<FakeRegistryValue> Values;
};

// One successful set call, in the order made.
struct FakeRegistryWrite {
  std::u16string Path;
  std::u16string Name;
  RegistryValueType Type;
  std::vector<uint8_t> Data;
};

struct FakeRegistryState {
  std::vector<FakeRegistryKeyData> Keys;
  std::vector<FakeRegistryWrite> Writes;
  bool Unavailable;   // every open fails, as with a missing, locked or damaged store
  bool FailReads;     // ReadRegistryValue fails (the query still answers)
  bool FailWrites;    // every set call fails and changes nothing
  int OpenKeys;       // keys open now: 0 again once every open was closed
  std::u16string ModulePath;  // what GetModulePath returns (empty: not known)
};
extern FakeRegistryState FakeRegistry;

void FakeResetRegistry();

// Stores a value of any type with exactly these bytes, creating the key.
void FakeRegistrySeed(const std::u16string& path, const std::u16string& name, RegistryValueType type,
                      const std::vector<uint8_t>& data);
// The same for a number (4 bytes, little-endian) and a text (its units and a zero unit).
void FakeRegistrySeedNumber(const std::u16string& path, const std::u16string& name, uint32_t value);
void FakeRegistrySeedText(const std::u16string& path, const std::u16string& name, const std::u16string& text);
// The stored value, or nullptr.
const FakeRegistryValue* FakeRegistryFind(const std::u16string& path, const std::u16string& name);
bool FakeRegistryHasKey(const std::u16string& path);
