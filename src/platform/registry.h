// The registry: typed values under named keys, kept for the current user.
// Key paths are written with backslashes ("Software\Orvanta\Darvo"); key paths
// and value names compare without regard to case. Every value keeps its type
// and its exact bytes.
#pragma once

#include <cstddef>
#include <cstdint>

struct RegistryKey;  // an open key; each platform defines it

// The type of a stored value.
enum RegistryValueType : uint32_t {
  RegistryNumber = 1,  // 32 bits, little-endian
  RegistryText = 2,    // UTF-16 units, normally ending with a zero unit
  RegistryBinary = 3,  // bytes
};

// Values longer than this are neither stored nor read (treated as unreadable).
inline constexpr uint32_t RegistryMaxValueSize = 16u * 1024u * 1024u;

// Opens the key at path for reading; nullptr when the key or the store is missing or unreadable.
RegistryKey* OpenRegistryKey(const char16_t* path);

// Opens the key at path for writing, creating it (and the store) when missing; nullptr on failure.
RegistryKey* CreateRegistryKey(const char16_t* path);

// Sets *type and *size (bytes) of the value name; 0 on success, -1 when it is missing or unreadable.
int QueryRegistryValue(RegistryKey* key, const char16_t* name, RegistryValueType* type, uint32_t* size);

// Copies the value's bytes into buffer (capacity *size bytes) and sets *size to the count
// copied; 0 on success, -1 when missing, unreadable or longer than the capacity (nothing copied).
int ReadRegistryValue(RegistryKey* key, const char16_t* name, void* buffer, uint32_t* size);

// Stores a 32-bit number value (key from CreateRegistryKey); 0 on success, -1 on failure.
int SetRegistryNumber(RegistryKey* key, const char16_t* name, uint32_t value);

// Stores size bytes of UTF-16 text, as given (terminator included by the caller); 0 on success, -1 on failure.
int SetRegistryText(RegistryKey* key, const char16_t* name, const char16_t* text, uint32_t size);

// Stores size bytes as a binary value (data may be nullptr when size is 0); 0 on success, -1 on failure.
int SetRegistryBinary(RegistryKey* key, const char16_t* name, const void* data, uint32_t size);

// Closes a key from either open call; nullptr is ignored.
void CloseRegistryKey(RegistryKey* key);

// Writes the program's full file path, zero-terminated, into buffer (capacity units,
// at most capacity - 1 taken) and returns its length in units; 0 when it is not known.
std::size_t GetModulePath(char16_t* buffer, std::size_t capacity);
