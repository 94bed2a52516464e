// The registry's database: one SQLite file per user holding keys and typed
// values. Shared by the registry functions of platform/registry.h and by the
// darvo-reg tool; nothing here knows about Qt.
//
// Layout: table keys(id, path) with the path compared without regard to case
// (ASCII letters), and table entries(key, name, type, data) with the name
// compared likewise; type is 'number', 'text' or 'binary' and data the exact
// bytes (a number is 4 bytes, little-endian). Each write is one statement,
// hence one transaction: a crash leaves the old or the new value, never a mix.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

struct sqlite3;

// Where the database lives: $DARVO_REGISTRY when set and not empty, otherwise
// $XDG_CONFIG_HOME/darvo/registry.sqlite3 (XDG_CONFIG_HOME defaulting to
// ~/.config). Empty when neither can be found.
std::string RegistryFilePath();

// Opens the database. For reading a missing file stays missing (nullptr); for
// writing the file, its folder and the tables are created. nullptr when the
// file cannot be opened, is locked for too long or is not a registry database.
sqlite3* OpenRegistryStore(bool forWriting);
void CloseRegistryStore(sqlite3* db);

// The id of the key at path, or -1 when it is missing or unreadable.
int64_t FindStoreKey(sqlite3* db, const std::string& path);
// The id of the key at path, created when missing; -1 on failure.
int64_t MakeStoreKey(sqlite3* db, const std::string& path);

// Type and size of a value; 0, or -1 when missing, unreadable or too long.
int QueryStoreValue(sqlite3* db, int64_t key, const std::string& name, RegistryValueType* type,
                    uint32_t* size);
// Type and bytes of a value; 0, or -1 when missing, unreadable or too long.
int ReadStoreValue(sqlite3* db, int64_t key, const std::string& name, RegistryValueType* type,
                   std::vector<uint8_t>* data);
// Sets a value in one transaction; 0, or -1 on failure (the old value stays).
int WriteStoreValue(sqlite3* db, int64_t key, const std::string& name, RegistryValueType type,
                    const void* data, uint32_t size);
// Deletes a value; 0 when deleted, 1 when there was none, -1 on failure.
int DeleteStoreValue(sqlite3* db, int64_t key, const std::string& name);

// One line of a listing: a key with no values has an empty name and no type.
struct StoreListEntry {
  std::string Key;
  std::string Name;
  bool HasValue;
  RegistryValueType Type;
  std::vector<uint8_t> Data;
};
// Every key and value, keys in path order and values in name order; 0 or -1.
int ListStore(sqlite3* db, std::vector<StoreListEntry>* entries);

// UTF-16 (up to the first zero unit or count units) to UTF-8; unpaired
// surrogates become U+FFFD.
std::string Utf16ToUtf8(const char16_t* text, std::size_t count);
// UTF-8 to UTF-16 (no terminator added); false when text is not valid UTF-8.
bool Utf8ToUtf16(const std::string& text, std::u16string* out);
