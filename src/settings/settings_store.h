// The settings store: every value the program keeps under the current user,
// read once at start and written once at exit, and the small typed read and
// write operations the rest of the program uses.
#pragma once

#include <cstdint>

// The program's own key: reading state, font, options, search string, bookmarks.
inline constexpr char16_t SettingsKey[] = u"Software\\Orvanta\\Darvo";
// The key shared by all programs of the same maker: global options, only read.
inline constexpr char16_t GlobalKey[] = u"software\\Orvanta";

// Flags when none is stored: scroll bars, key and tap paging by the painted
// lines, taps page vertically.
inline constexpr uint32_t DefaultFlags = 0xD1140040;

// A number under key: a 32-bit number value as stored, any other type taken as
// UTF-16 decimal text (each unit up to the first zero: times 10 plus unit - '0',
// no sign, no digit check, wrapping at 32 bits). defaultValue when the key or
// value is missing or cannot be read.
int ReadNumberSetting(const char16_t* key, const char16_t* name, int defaultValue);

// A text under SettingsKey, whatever its stored type, as a new buffer the caller
// frees with MemFree (always ending with a zero unit), or nullptr when missing.
char16_t* ReadTextSetting(const char16_t* name);

// The bytes of a value under SettingsKey as a new buffer the caller frees with
// MemFree, or nullptr when missing; the second form also gives the byte count.
uint8_t* ReadBinarySetting(const char16_t* name);
uint8_t* ReadBinarySetting(const char16_t* name, uint32_t* count);

// Writes under SettingsKey, creating it when needed; true when the value was set.
bool WriteNumberSetting(const char16_t* name, uint32_t value);
// Stores the text and its zero unit, (length + 1) * 2 bytes, as a text value.
bool WriteTextSetting(const char16_t* name, const char16_t* text);
// Stores count bytes as a binary value.
bool WriteBinarySetting(const char16_t* name, const void* bytes, uint32_t count);
// Stores a zero-terminated byte string, its bytes and the zero, as a binary value.
bool WriteBinarySetting(const char16_t* name, const uint8_t* string);

// Reads the settings, the index icons and the bookmarks into AppState (once,
// at start), and writes "Program Path".
void LoadSettings();

// Releases the index icons, writes the settings and bookmarks, destroys both
// panes, frees the bookmarks and posts the quit signal (once, on the way out).
// Values are written only when LoadSettings has run and no save has followed
// it, so an abort during the load or a second save cannot overwrite the store
// with half-loaded or emptied state.
void SaveSettings();
