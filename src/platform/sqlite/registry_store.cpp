#include "platform/sqlite/registry_store.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// How long a reader or writer waits for another process's write to finish
// before it gives up (the caller then takes the default or drops the write).
constexpr int BusyWaitMs = 100;

const char* TypeName(RegistryValueType type) {
  switch (type) {
    case RegistryNumber: return "number";
    case RegistryText: return "text";
    default: return "binary";
  }
}

// A stored type we do not know (the file edited by hand) is read as binary.
RegistryValueType TypeFromName(const unsigned char* name) {
  if (name && std::strcmp(reinterpret_cast<const char*>(name), "number") == 0) return RegistryNumber;
  if (name && std::strcmp(reinterpret_cast<const char*>(name), "text") == 0) return RegistryText;
  return RegistryBinary;
}

// A prepared statement that finalizes itself.
struct Statement {
  sqlite3_stmt* stmt = nullptr;
  Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
      sqlite3_finalize(stmt);
      stmt = nullptr;
    }
  }
  ~Statement() { sqlite3_finalize(stmt); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  explicit operator bool() const { return stmt != nullptr; }
  bool BindText(int index, const std::string& text) {
    return sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
  }
};

// mkdir -p for the default location's folders.
bool MakeFolders(const std::string& filePath) {
  for (std::size_t slash = filePath.find('/', 1); slash != std::string::npos;
       slash = filePath.find('/', slash + 1)) {
    const std::string folder = filePath.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

}  // namespace

std::string RegistryFilePath() {
  if (const char* path = Env("DARVO_REGISTRY")) return path;
  std::string base;
  const char* config = Env("XDG_CONFIG_HOME");
  if (config && config[0] == '/') {
    base = config;
  } else if (const char* home = Env("HOME")) {
    base = std::string(home) + "/.config";
  } else {
    return std::string();
  }
  return base + "/darvo/registry.sqlite3";
}

sqlite3* OpenRegistryStore(bool forWriting) {
  const std::string path = RegistryFilePath();
  if (path.empty()) return nullptr;
  if (forWriting && !Env("DARVO_REGISTRY") && !MakeFolders(path)) return nullptr;
  // Readers open read-write too (without creating the file): after a crash in
  // the middle of a write only a writable connection can roll the unfinished
  // transaction back, and SQLite falls back to read-only when it must.
  const int flags = SQLITE_OPEN_READWRITE | (forWriting ? SQLITE_OPEN_CREATE : 0);
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  // The file may have been written by anyone: its schema runs nothing of its own.
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_busy_timeout(db, BusyWaitMs);
  if (forWriting) {
    const char* schema =
        "CREATE TABLE IF NOT EXISTS keys("
        "  id INTEGER PRIMARY KEY,"
        "  path TEXT NOT NULL UNIQUE COLLATE NOCASE);"
        "CREATE TABLE IF NOT EXISTS entries("
        "  key INTEGER NOT NULL,"
        "  name TEXT NOT NULL COLLATE NOCASE,"
        "  type TEXT NOT NULL,"
        "  data BLOB,"
        "  PRIMARY KEY(key, name));";
    if (sqlite3_exec(db, schema, nullptr, nullptr, nullptr) != SQLITE_OK) {
      sqlite3_close(db);
      return nullptr;
    }
  }
  return db;
}

void CloseRegistryStore(sqlite3* db) {
  sqlite3_close(db);
}

int64_t FindStoreKey(sqlite3* db, const std::string& path) {
  Statement s(db, "SELECT id FROM keys WHERE path = ?1");
  if (!s || !s.BindText(1, path) || sqlite3_step(s.stmt) != SQLITE_ROW) return -1;
  return sqlite3_column_int64(s.stmt, 0);
}

int64_t MakeStoreKey(sqlite3* db, const std::string& path) {
  const int64_t found = FindStoreKey(db, path);
  if (found >= 0) return found;
  Statement s(db, "INSERT INTO keys(path) VALUES(?1) ON CONFLICT(path) DO NOTHING");
  if (!s || !s.BindText(1, path) || sqlite3_step(s.stmt) != SQLITE_DONE) return -1;
  // Another process may have made it between the two statements.
  return FindStoreKey(db, path);
}

int QueryStoreValue(sqlite3* db, int64_t key, const std::string& name, RegistryValueType* type,
                    uint32_t* size) {
  Statement s(db, "SELECT type, length(CAST(data AS BLOB)) FROM entries WHERE key = ?1 AND name = ?2");
  if (!s || sqlite3_bind_int64(s.stmt, 1, key) != SQLITE_OK || !s.BindText(2, name) ||
      sqlite3_step(s.stmt) != SQLITE_ROW)
    return -1;
  const sqlite3_int64 length = sqlite3_column_int64(s.stmt, 1);
  if (length < 0 || length > RegistryMaxValueSize) return -1;
  *type = TypeFromName(sqlite3_column_text(s.stmt, 0));
  *size = static_cast<uint32_t>(length);
  return 0;
}

int ReadStoreValue(sqlite3* db, int64_t key, const std::string& name, RegistryValueType* type,
                   std::vector<uint8_t>* data) {
  Statement s(db, "SELECT type, CAST(data AS BLOB) FROM entries WHERE key = ?1 AND name = ?2");
  if (!s || sqlite3_bind_int64(s.stmt, 1, key) != SQLITE_OK || !s.BindText(2, name) ||
      sqlite3_step(s.stmt) != SQLITE_ROW)
    return -1;
  *type = TypeFromName(sqlite3_column_text(s.stmt, 0));
  const void* bytes = sqlite3_column_blob(s.stmt, 1);
  const int length = sqlite3_column_bytes(s.stmt, 1);
  if (length < 0 || static_cast<uint32_t>(length) > RegistryMaxValueSize) return -1;
  const uint8_t* first = static_cast<const uint8_t*>(bytes);
  data->assign(first, first + (bytes ? length : 0));
  return 0;
}

int WriteStoreValue(sqlite3* db, int64_t key, const std::string& name, RegistryValueType type,
                    const void* data, uint32_t size) {
  if (size > RegistryMaxValueSize) return -1;
  // Most values are written unchanged (the program path at every start, the
  // settings at exit): comparing first spares a synced transaction each.
  {
    Statement same(db,
                   "SELECT data FROM entries WHERE key = ?1 AND name = ?2 AND type = ?3 AND typeof(data) = 'blob'");
    if (same && sqlite3_bind_int64(same.stmt, 1, key) == SQLITE_OK && same.BindText(2, name) &&
        sqlite3_bind_text(same.stmt, 3, TypeName(type), -1, SQLITE_STATIC) == SQLITE_OK &&
        sqlite3_step(same.stmt) == SQLITE_ROW) {
      const void* stored = sqlite3_column_blob(same.stmt, 0);
      const int length = sqlite3_column_bytes(same.stmt, 0);
      if (length >= 0 && static_cast<uint32_t>(length) == size &&
          (size == 0 || (stored && std::memcmp(stored, data, size) == 0)))
        return 0;
    }
  }
  // An existing value keeps the spelling of its name; type and bytes are replaced.
  Statement s(db,
              "INSERT INTO entries(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
              "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
  static const uint8_t empty = 0;
  if (!s || sqlite3_bind_int64(s.stmt, 1, key) != SQLITE_OK || !s.BindText(2, name) ||
      sqlite3_bind_text(s.stmt, 3, TypeName(type), -1, SQLITE_STATIC) != SQLITE_OK ||
      sqlite3_bind_blob(s.stmt, 4, size ? data : &empty, static_cast<int>(size), SQLITE_TRANSIENT) != SQLITE_OK)
    return -1;
  return sqlite3_step(s.stmt) == SQLITE_DONE ? 0 : -1;
}

int DeleteStoreValue(sqlite3* db, int64_t key, const std::string& name) {
  Statement s(db, "DELETE FROM entries WHERE key = ?1 AND name = ?2");
  if (!s || sqlite3_bind_int64(s.stmt, 1, key) != SQLITE_OK || !s.BindText(2, name) ||
      sqlite3_step(s.stmt) != SQLITE_DONE)
    return -1;
  return sqlite3_changes(db) > 0 ? 0 : 1;
}

int ListStore(sqlite3* db, std::vector<StoreListEntry>* entries) {
  Statement s(db,
              "SELECT k.path, e.name, e.type, CAST(e.data AS BLOB) FROM keys k "
              "LEFT JOIN entries e ON e.key = k.id ORDER BY k.path, k.id, e.name");
  if (!s) return -1;
  int step;
  while ((step = sqlite3_step(s.stmt)) == SQLITE_ROW) {
    StoreListEntry entry;
    const unsigned char* path = sqlite3_column_text(s.stmt, 0);
    entry.Key = path ? reinterpret_cast<const char*>(path) : "";
    entry.HasValue = sqlite3_column_type(s.stmt, 1) != SQLITE_NULL;
    entry.Type = RegistryBinary;
    if (entry.HasValue) {
      const unsigned char* name = sqlite3_column_text(s.stmt, 1);
      entry.Name = name ? reinterpret_cast<const char*>(name) : "";
      entry.Type = TypeFromName(sqlite3_column_text(s.stmt, 2));
      const uint8_t* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(s.stmt, 3));
      const int length = sqlite3_column_bytes(s.stmt, 3);
      if (bytes && length > 0) entry.Data.assign(bytes, bytes + length);
    }
    entries->push_back(std::move(entry));
  }
  return step == SQLITE_DONE ? 0 : -1;
}

std::string Utf16ToUtf8(const char16_t* text, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count && text[i] != 0; ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool Utf8ToUtf16(const std::string& text, std::u16string* out) {
  out->clear();
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    uint32_t c = s[i];
    int extra;
    uint32_t least;
    if (c < 0x80) {
      extra = 0;
      least = 0;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      least = 0x80;
      c &= 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      least = 0x800;
      c &= 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      least = 0x10000;
      c &= 0x07;
    } else {
      return false;
    }
    for (int k = 1; k <= extra; ++k) {
      if (i + static_cast<std::size_t>(k) >= n || (s[i + k] & 0xC0) != 0x80) return false;
      c = (c << 6) | (s[i + k] & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    if (c >= 0x10000) {
      out->push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out->push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out->push_back(static_cast<char16_t>(c));
    }
    i += 1 + static_cast<std::size_t>(extra);
  }
  return true;
}
