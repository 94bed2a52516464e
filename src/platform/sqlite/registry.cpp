// The registry on SQLite (platform/registry.h), used by the Qt platform.
//   [X] open a key for reading, create or open a key for writing, close
//   [X] query a value's type and size, read its bytes
//   [X] set number, text and binary values (each write atomic)
//   [X] key paths and value names compared without regard to case (ASCII letters)
//   [X] missing, locked or damaged database: reads fail, writes fail, nothing crashes
//   [X] module path (/proc/self/exe)
#include "platform/registry.h"

#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/sqlite/registry_store.h"

struct RegistryKey {
  sqlite3* db;
  int64_t id;
  bool writable;
};

namespace {

std::string Name(const char16_t* name) {
  return name ? Utf16ToUtf8(name, std::u16string::npos) : std::string();
}

RegistryKey* OpenKey(const char16_t* path, bool forWriting) {
  if (!path) return nullptr;
  sqlite3* db = OpenRegistryStore(forWriting);
  if (!db) return nullptr;
  const std::string keyPath = Name(path);
  const int64_t id = forWriting ? MakeStoreKey(db, keyPath) : FindStoreKey(db, keyPath);
  if (id < 0) {
    CloseRegistryStore(db);
    return nullptr;
  }
  return new RegistryKey{db, id, forWriting};
}

int Set(RegistryKey* key, const char16_t* name, RegistryValueType type, const void* data, uint32_t size) {
  if (!key || !key->writable || !name) return -1;
  return WriteStoreValue(key->db, key->id, Name(name), type, data, size);
}

}  // namespace

RegistryKey* OpenRegistryKey(const char16_t* path) {
  return OpenKey(path, false);
}

RegistryKey* CreateRegistryKey(const char16_t* path) {
  return OpenKey(path, true);
}

int QueryRegistryValue(RegistryKey* key, const char16_t* name, RegistryValueType* type, uint32_t* size) {
  if (!key || !name || !type || !size) return -1;
  return QueryStoreValue(key->db, key->id, Name(name), type, size);
}

int ReadRegistryValue(RegistryKey* key, const char16_t* name, void* buffer, uint32_t* size) {
  if (!key || !name || !size) return -1;
  RegistryValueType type;
  std::vector<uint8_t> data;
  if (ReadStoreValue(key->db, key->id, Name(name), &type, &data) != 0) return -1;
  // The value may have grown since it was queried (another process wrote it).
  if (data.size() > *size) return -1;
  if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
  *size = static_cast<uint32_t>(data.size());
  return 0;
}

int SetRegistryNumber(RegistryKey* key, const char16_t* name, uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  return Set(key, name, RegistryNumber, bytes, sizeof bytes);
}

int SetRegistryText(RegistryKey* key, const char16_t* name, const char16_t* text, uint32_t size) {
  if (!text && size) return -1;
  return Set(key, name, RegistryText, text, size);
}

int SetRegistryBinary(RegistryKey* key, const char16_t* name, const void* data, uint32_t size) {
  if (!data && size) return -1;
  return Set(key, name, RegistryBinary, data, size);
}

void CloseRegistryKey(RegistryKey* key) {
  if (!key) return;
  CloseRegistryStore(key->db);
  delete key;
}

std::size_t GetModulePath(char16_t* buffer, std::size_t capacity) {
  if (!buffer || capacity == 0) return 0;
  buffer[0] = 0;
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return 0;
  std::u16string units;
  if (!Utf8ToUtf16(std::string(path, static_cast<std::size_t>(length)), &units)) return 0;
  const std::size_t taken = units.size() < capacity - 1 ? units.size() : capacity - 1;
  std::memcpy(buffer, units.data(), taken * sizeof(char16_t));
  buffer[taken] = 0;
  return taken;
}
