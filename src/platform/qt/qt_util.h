// Small conversions shared by the Qt platform files.
#pragma once

#include <QString>
#include <string>

// A zero-terminated UTF-16 text as a QString (nullptr gives an empty one).
inline QString FromU16(const char16_t* text) {
  return text ? QString::fromUtf16(text) : QString();
}

inline std::u16string ToU16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}
