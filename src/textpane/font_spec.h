// The font descriptor shared by the panes, the index view, the font chooser and the settings.
#pragma once

#include <cstdint>

struct FontSpec {
  char16_t Face[32];   // face name, zero-terminated inside the field; may be empty
  int32_t Size;        // height in pixels; 0 lets the platform choose
  int32_t LetterBase;  // display code of the first letter: 97, 224 or 1488
};
