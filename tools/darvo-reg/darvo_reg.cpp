// darvo-reg: reads and writes the registry the program keeps its settings in,
// the way one would with a registry editor.
//
//   darvo-reg list                               every key and value, one a line
//   darvo-reg get KEY NAME                       the value alone; exit 1 when missing
//   darvo-reg set KEY NAME number|text|binary VALUE
//   darvo-reg delete KEY NAME                    exit 1 when missing
//
// KEY is written as the program writes it (Software\Orvanta\Darvo) and, like
// NAME, compared without regard to case. A number prints in decimal (unsigned
// 32-bit) and is given in decimal or 0x hex; a text prints as UTF-8; a binary
// prints and is given as lower-case hex. list prints "KEY<tab>NAME<tab>TYPE<tab>VALUE"
// for each value and the KEY alone for a key without values; in list, a text's
// backslashes and control characters are escaped (\\, \n, \t, \r, \xHH) so
// each value stays on its line. The database is $DARVO_REGISTRY when set, else
// $XDG_CONFIG_HOME/darvo/registry.sqlite3 (~/.config when XDG_CONFIG_HOME is unset).
// Exit status: 0 done, 1 missing or not written, 2 wrong arguments.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sqlite/registry_store.h"

namespace {

int Usage() {
  std::fputs(
      "usage: darvo-reg list\n"
      "       darvo-reg get KEY NAME\n"
      "       darvo-reg set KEY NAME number|text|binary VALUE\n"
      "       darvo-reg delete KEY NAME\n",
      stderr);
  return 2;
}

std::string Hex(const std::vector<uint8_t>& data) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (uint8_t b : data) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

// A number's bytes, little-endian; a stored number of the wrong length (the
// file edited by hand) shows its first four bytes.
uint32_t Number(const std::vector<uint8_t>& data) {
  uint32_t value = 0;
  for (std::size_t i = 0; i < data.size() && i < 4; ++i) value |= static_cast<uint32_t>(data[i]) << (8 * i);
  return value;
}

// A text's units up to its first zero unit; an odd last byte is dropped.
std::string Text(const std::vector<uint8_t>& data) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2)
    units.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  return Utf16ToUtf8(units.data(), units.size());
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02x", c);
      out += code;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

const char* TypeWord(RegistryValueType type) {
  switch (type) {
    case RegistryNumber: return "number";
    case RegistryText: return "text";
    default: return "binary";
  }
}

std::string Shown(RegistryValueType type, const std::vector<uint8_t>& data, bool escape) {
  switch (type) {
    case RegistryNumber: return std::to_string(Number(data));
    case RegistryText: return escape ? Escaped(Text(data)) : Text(data);
    default: return Hex(data);
  }
}

bool ParseNumber(const char* text, uint32_t* value) {
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = hex ? text + 2 : text;
  if (!*digits) return false;
  uint64_t result = 0;
  for (const char* p = digits; *p; ++p) {
    int digit;
    if (*p >= '0' && *p <= '9') {
      digit = *p - '0';
    } else if (hex && *p >= 'a' && *p <= 'f') {
      digit = *p - 'a' + 10;
    } else if (hex && *p >= 'A' && *p <= 'F') {
      digit = *p - 'A' + 10;
    } else {
      return false;
    }
    result = result * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (result > 0xFFFFFFFFu) return false;
  }
  *value = static_cast<uint32_t>(result);
  return true;
}

bool ParseHex(const char* text, std::vector<uint8_t>* out) {
  const std::size_t length = std::strlen(text);
  if (length % 2) return false;
  auto nibble = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (std::size_t i = 0; i < length; i += 2) {
    const int high = nibble(text[i]);
    const int low = nibble(text[i + 1]);
    if (high < 0 || low < 0) return false;
    out->push_back(static_cast<uint8_t>(high << 4 | low));
  }
  return true;
}

int List() {
  sqlite3* db = OpenRegistryStore(false);
  if (!db) return 0;  // no store yet: nothing to list
  std::vector<StoreListEntry> entries;
  const int status = ListStore(db, &entries);
  CloseRegistryStore(db);
  if (status != 0) {
    std::fprintf(stderr, "darvo-reg: cannot read %s\n", RegistryFilePath().c_str());
    return 1;
  }
  for (const StoreListEntry& entry : entries) {
    if (entry.HasValue)
      std::printf("%s\t%s\t%s\t%s\n", entry.Key.c_str(), entry.Name.c_str(), TypeWord(entry.Type),
                  Shown(entry.Type, entry.Data, true).c_str());
    else
      std::printf("%s\n", entry.Key.c_str());
  }
  return 0;
}

int Get(const char* key, const char* name) {
  sqlite3* db = OpenRegistryStore(false);
  if (!db) return 1;
  RegistryValueType type = RegistryBinary;
  std::vector<uint8_t> data;
  const int64_t id = FindStoreKey(db, key);
  const int status = id < 0 ? -1 : ReadStoreValue(db, id, name, &type, &data);
  CloseRegistryStore(db);
  if (status != 0) return 1;
  std::printf("%s\n", Shown(type, data, false).c_str());
  return 0;
}

int Set(const char* key, const char* name, const char* typeWord, const char* value) {
  RegistryValueType type;
  std::vector<uint8_t> data;
  if (std::strcmp(typeWord, "number") == 0) {
    uint32_t number;
    if (!ParseNumber(value, &number)) {
      std::fprintf(stderr, "darvo-reg: not a 32-bit number: %s\n", value);
      return 2;
    }
    type = RegistryNumber;
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(number >> (8 * i)));
  } else if (std::strcmp(typeWord, "text") == 0) {
    std::u16string units;
    if (!Utf8ToUtf16(value, &units)) {
      std::fprintf(stderr, "darvo-reg: text is not UTF-8\n");
      return 2;
    }
    // Stored as the program stores texts: the units and a zero unit.
    type = RegistryText;
    units.push_back(0);
    for (char16_t unit : units) {
      data.push_back(static_cast<uint8_t>(unit));
      data.push_back(static_cast<uint8_t>(unit >> 8));
    }
  } else if (std::strcmp(typeWord, "binary") == 0) {
    if (!ParseHex(value, &data)) {
      std::fprintf(stderr, "darvo-reg: not hex bytes: %s\n", value);
      return 2;
    }
    type = RegistryBinary;
  } else {
    return Usage();
  }
  sqlite3* db = OpenRegistryStore(true);
  const int64_t id = db ? MakeStoreKey(db, key) : -1;
  const int status = id < 0 ? -1 : WriteStoreValue(db, id, name, type, data.data(), static_cast<uint32_t>(data.size()));
  CloseRegistryStore(db);
  if (status != 0) {
    std::fprintf(stderr, "darvo-reg: cannot write %s\n", RegistryFilePath().c_str());
    return 1;
  }
  return 0;
}

int Delete(const char* key, const char* name) {
  sqlite3* db = OpenRegistryStore(false);
  if (!db) return 1;
  const int64_t id = FindStoreKey(db, key);
  const int status = id < 0 ? 1 : DeleteStoreValue(db, id, name);
  CloseRegistryStore(db);
  return status == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "list" && argc == 2) return List();
  if (command == "get" && argc == 4) return Get(argv[2], argv[3]);
  if (command == "set" && argc == 6) return Set(argv[2], argv[3], argv[4], argv[5]);
  if (command == "delete" && argc == 4) return Delete(argv[2], argv[3]);
  return Usage();
}
