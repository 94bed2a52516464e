#include "fake/fake_registry.h"

#include <cstring>

FakeRegistryState FakeRegistry;

struct RegistryKey {
  std::u16string Path;
  bool Writable;
};

namespace {

char16_t Fold(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameName(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

FakeRegistryKeyData* FindKey(const std::u16string& path) {
  for (auto& key : FakeRegistry.Keys)
    if (SameName(key.Path, path)) return &key;
  return nullptr;
}

FakeRegistryKeyData* MakeKey(const std::u16string& path) {
  if (FakeRegistryKeyData* key = FindKey(path)) return key;
  FakeRegistry.Keys.push_back({path, {}});
  return &FakeRegistry.Keys.back();
}

FakeRegistryValue* FindValue(const std::u16string& path, const std::u16string& name) {
  FakeRegistryKeyData* key = FindKey(path);
  if (!key) return nullptr;
  for (auto& value : key->Values)
    if (SameName(value.Name, name)) return &value;
  return nullptr;
}

void Store(const std::u16string& path, const std::u16string& name, RegistryValueType type,
           std::vector<uint8_t> data) {
  if (FakeRegistryValue* value = FindValue(path, name)) {
    value->Type = type;
    value->Data = std::move(data);
    return;
  }
  MakeKey(path)->Values.push_back({name, type, std::move(data)});
}

int Set(RegistryKey* key, const char16_t* name, RegistryValueType type, const void* data, uint32_t size) {
  if (!key || !key->Writable || !name || (!data && size) || FakeRegistry.FailWrites ||
      size > RegistryMaxValueSize)
    return -1;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  std::vector<uint8_t> copy(bytes, bytes + size);
  FakeRegistry.Writes.push_back({key->Path, name, type, copy});
  Store(key->Path, name, type, std::move(copy));
  return 0;
}

}  // namespace

void FakeResetRegistry() {
  FakeRegistry = {};
}

void FakeRegistrySeed(const std::u16string& path, const std::u16string& name, RegistryValueType type,
                      const std::vector<uint8_t>& data) {
  Store(path, name, type, data);
}

void FakeRegistrySeedNumber(const std::u16string& path, const std::u16string& name, uint32_t value) {
  Store(path, name, RegistryNumber,
        {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
         static_cast<uint8_t>(value >> 24)});
}

void FakeRegistrySeedText(const std::u16string& path, const std::u16string& name, const std::u16string& text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  Store(path, name, RegistryText, bytes);
}

const FakeRegistryValue* FakeRegistryFind(const std::u16string& path, const std::u16string& name) {
  return FindValue(path, name);
}

bool FakeRegistryHasKey(const std::u16string& path) {
  return FindKey(path) != nullptr;
}

RegistryKey* OpenRegistryKey(const char16_t* path) {
  if (!path || FakeRegistry.Unavailable || !FindKey(path)) return nullptr;
  ++FakeRegistry.OpenKeys;
  return new RegistryKey{path, false};
}

RegistryKey* CreateRegistryKey(const char16_t* path) {
  if (!path || FakeRegistry.Unavailable) return nullptr;
  MakeKey(path);
  ++FakeRegistry.OpenKeys;
  return new RegistryKey{path, true};
}

int QueryRegistryValue(RegistryKey* key, const char16_t* name, RegistryValueType* type, uint32_t* size) {
  if (!key || !name || !type || !size) return -1;
  const FakeRegistryValue* value = FindValue(key->Path, name);
  if (!value || value->Data.size() > RegistryMaxValueSize) return -1;
  *type = value->Type;
  *size = static_cast<uint32_t>(value->Data.size());
  return 0;
}

int ReadRegistryValue(RegistryKey* key, const char16_t* name, void* buffer, uint32_t* size) {
  if (!key || !name || !size || FakeRegistry.FailReads) return -1;
  const FakeRegistryValue* value = FindValue(key->Path, name);
  if (!value || value->Data.size() > *size) return -1;
  if (!value->Data.empty()) std::memcpy(buffer, value->Data.data(), value->Data.size());
  *size = static_cast<uint32_t>(value->Data.size());
  return 0;
}

int SetRegistryNumber(RegistryKey* key, const char16_t* name, uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  return Set(key, name, RegistryNumber, bytes, sizeof bytes);
}

int SetRegistryText(RegistryKey* key, const char16_t* name, const char16_t* text, uint32_t size) {
  return Set(key, name, RegistryText, text, size);
}

int SetRegistryBinary(RegistryKey* key, const char16_t* name, const void* data, uint32_t size) {
  return Set(key, name, RegistryBinary, data, size);
}

void CloseRegistryKey(RegistryKey* key) {
  if (!key) return;
  --FakeRegistry.OpenKeys;
  delete key;
}

std::size_t GetModulePath(char16_t* buffer, std::size_t capacity) {
  if (!buffer || capacity == 0) return 0;
  const std::size_t taken = FakeRegistry.ModulePath.size() < capacity - 1 ? FakeRegistry.ModulePath.size()
                                                                           : capacity - 1;
  FakeRegistry.ModulePath.copy(buffer, taken);
  buffer[taken] = 0;
  return taken;
}
