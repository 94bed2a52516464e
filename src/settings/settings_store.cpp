#include "settings/settings_store.h"

#include <cstring>

#include "documents/allocator.h"
#include "platform/drawing.h"
#include "platform/memory.h"
#include "platform/registry.h"
#include "platform/windows.h"
#include "settings/bookmarks.h"
#include "shell/app_state.h"
#include "textpane/text_pane.h"

namespace {

// Module paths longer than this are cut.
constexpr std::size_t ModulePathUnits = 260;

// A zeroed buffer of size bytes from the allocate-or-abort service; nullptr
// only when the program is being ended for want of memory.
uint8_t* ZeroedBuffer(std::size_t size) {
  uint8_t* buffer = static_cast<uint8_t*>(AllocateOrAbort(size));
  if (buffer) std::memset(buffer, 0, size);
  return buffer;
}

// Reads the value name of SettingsKey into a zeroed buffer of
// bufferSize(reported size) bytes. nullptr when the key or value is missing,
// the read fails or no memory can be had.
template <typename SizeFn>
uint8_t* ReadSetting(const char16_t* name, SizeFn bufferSize, uint32_t* count) {
  RegistryKey* key = OpenRegistryKey(SettingsKey);
  if (!key) return nullptr;
  RegistryValueType type;
  uint32_t size = 0;
  uint8_t* buffer = nullptr;
  if (QueryRegistryValue(key, name, &type, &size) == 0) {
    buffer = ZeroedBuffer(bufferSize(size));
    uint32_t read = size;
    if (buffer && ReadRegistryValue(key, name, buffer, &read) != 0) {
      MemFree(buffer);
      buffer = nullptr;
    }
    if (count) *count = read;
  }
  CloseRegistryKey(key);
  return buffer;
}

uint32_t TextLength(const char16_t* text) {
  uint32_t length = 0;
  while (text[length]) ++length;
  return length;
}

}  // namespace

int ReadNumberSetting(const char16_t* key, const char16_t* name, int defaultValue) {
  RegistryKey* opened = OpenRegistryKey(key);
  if (!opened) return defaultValue;
  RegistryValueType type;
  uint32_t size = 0;
  int result = defaultValue;
  if (QueryRegistryValue(opened, name, &type, &size) == 0) {
    if (type == RegistryNumber) {
      // A number shorter than 4 bytes (edited by hand) reads zero-extended; a
      // longer one does not fit and gives the default.
      uint8_t bytes[4] = {0, 0, 0, 0};
      uint32_t read = sizeof bytes;
      if (ReadRegistryValue(opened, name, bytes, &read) == 0)
        result = static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24);
    } else {
      // Taken as UTF-16 decimal text. The buffer has room for twice the data
      // and a zero unit beyond it, so the digits end inside it even when the
      // stored text has no terminator.
      const std::size_t units = size + 1u;
      uint8_t* buffer = ZeroedBuffer(units * 2);
      uint32_t read = size;
      if (buffer && ReadRegistryValue(opened, name, buffer, &read) == 0) {
        // Unsigned arithmetic wraps where an int would overflow.
        uint32_t value = 0;
        for (std::size_t i = 0; i < units; ++i) {
          const uint32_t unit = buffer[2 * i] | buffer[2 * i + 1] << 8;
          if (unit == 0) break;
          value = value * 10u + unit - u'0';
        }
        result = static_cast<int>(value);
      }
      MemFree(buffer);
    }
  }
  CloseRegistryKey(opened);
  return result;
}

char16_t* ReadTextSetting(const char16_t* name) {
  // Twice the stored size and one more zero unit: a text without its
  // terminator still ends inside the buffer.
  uint8_t* buffer = ReadSetting(name, [](uint32_t size) { return (size + std::size_t{1}) * 2; }, nullptr);
  return reinterpret_cast<char16_t*>(buffer);
}

uint8_t* ReadBinarySetting(const char16_t* name, uint32_t* count) {
  uint32_t read = 0;
  uint8_t* buffer = ReadSetting(name, [](uint32_t size) { return size ? std::size_t{size} : std::size_t{1}; }, &read);
  if (count) *count = buffer ? read : 0;
  return buffer;
}

uint8_t* ReadBinarySetting(const char16_t* name) {
  return ReadBinarySetting(name, nullptr);
}

namespace {

template <typename SetFn>
bool WriteSetting(SetFn set) {
  RegistryKey* key = CreateRegistryKey(SettingsKey);
  if (!key) return false;
  const bool done = set(key) == 0;
  CloseRegistryKey(key);
  return done;
}

}  // namespace

bool WriteNumberSetting(const char16_t* name, uint32_t value) {
  return WriteSetting([&](RegistryKey* key) { return SetRegistryNumber(key, name, value); });
}

bool WriteTextSetting(const char16_t* name, const char16_t* text) {
  const uint32_t size = (TextLength(text) + 1) * 2;
  return WriteSetting([&](RegistryKey* key) { return SetRegistryText(key, name, text, size); });
}

bool WriteBinarySetting(const char16_t* name, const void* bytes, uint32_t count) {
  return WriteSetting([&](RegistryKey* key) { return SetRegistryBinary(key, name, bytes, count); });
}

bool WriteBinarySetting(const char16_t* name, const uint8_t* string) {
  const uint32_t count = static_cast<uint32_t>(std::strlen(reinterpret_cast<const char*>(string))) + 1;
  return WriteBinarySetting(name, string, count);
}

void LoadSettings() {
  char16_t modulePath[ModulePathUnits];
  if (GetModulePath(modulePath, ModulePathUnits) > 0 && modulePath[0] != 0)
    WriteTextSetting(u"Program Path", modulePath);

  if (char16_t* face = ReadTextSetting(u"FontName")) {
    if (face[0] != 0) {
      std::size_t i = 0;
      for (; i < 31 && face[i] != 0; ++i) App.font.Face[i] = face[i];
      App.font.Face[i] = 0;
    }
    MemFree(face);
  }

  uint32_t count = 0;
  if (uint8_t* pattern = ReadBinarySetting(u"SearchString", &count)) {
    if (count > 0 && pattern[0] != 0) {
      uint32_t i = 0;
      for (; i < 33 && i < count && pattern[i] != 0; ++i) App.SearchString[i] = pattern[i];
      App.SearchString[i] = 0;
    }
    MemFree(pattern);
  }

  App.font.Size = ReadNumberSetting(SettingsKey, u"FontSize", 0);
  App.font.LetterBase = ReadNumberSetting(SettingsKey, u"FontAsciiBase", 1488);
  App.LastPosition = static_cast<uint16_t>(ReadNumberSetting(SettingsKey, u"LastPosition", 0));
  App.Flags = static_cast<uint32_t>(ReadNumberSetting(SettingsKey, u"Flags", static_cast<int>(DefaultFlags)));
  App.Lesson = static_cast<uint16_t>(ReadNumberSetting(SettingsKey, u"Lesson", 0));

  for (int i = 0; i < 3; ++i) {
    FreeBitmap(App.IndexBitmaps[i]);
    App.IndexBitmaps[i] = LoadBitmapResource(201 + i);
  }

  App.BottomSection = ReadNumberSetting(SettingsKey, u"BottomSection", 12);
  App.BottomSectionLastPosition =
      static_cast<uint16_t>(ReadNumberSetting(SettingsKey, u"BottomSectionLastPosition", 0));

  LoadBookmarks();
  App.SettingsLoaded = 1;
}

void SaveSettings() {
  for (Bitmap*& bitmap : App.IndexBitmaps) {
    FreeBitmap(bitmap);
    bitmap = nullptr;
  }

  const bool write = App.SettingsLoaded != 0;
  App.SettingsLoaded = 0;

  if (write && App.SearchString[0] != 0) {
    uint8_t pattern[sizeof App.SearchString];
    std::memcpy(pattern, App.SearchString, sizeof pattern);
    pattern[sizeof pattern - 1] = 0;
    WriteBinarySetting(u"SearchString", pattern);
  }
  if (write && App.font.Face[0] != 0) {
    char16_t face[32];
    std::memcpy(face, App.font.Face, sizeof face);
    face[31] = 0;
    WriteTextSetting(u"FontName", face);
  }
  if (write && App.font.Size != 0) WriteNumberSetting(u"FontSize", static_cast<uint32_t>(App.font.Size));
  if (write && App.font.LetterBase != 0)
    WriteNumberSetting(u"FontAsciiBase", static_cast<uint32_t>(App.font.LetterBase));
  if (write && App.TopPane) WriteNumberSetting(u"LastPosition", App.TopPane->FirstVisible);
  if (write) WriteNumberSetting(u"Flags", App.Flags);
  if (write && App.Lesson != 0) WriteNumberSetting(u"Lesson", App.Lesson);

  if (App.TopPane) {
    if (App.ActivePane == App.TopPane) App.ActivePane = nullptr;
    DestroyTextPane(App.TopPane);
    App.TopPane = nullptr;
  }

  if (write) WriteNumberSetting(u"BottomSection", static_cast<uint32_t>(App.BottomSection));
  if (App.BottomPane) {
    if (write) WriteNumberSetting(u"BottomSectionLastPosition", App.BottomPane->FirstVisible);
    if (App.ActivePane == App.BottomPane) App.ActivePane = nullptr;
    DestroyTextPane(App.BottomPane);
    App.BottomPane = nullptr;
  }

  if (write) SaveBookmarks();
  FreeBookmarks();

  PostQuit(0);
}
