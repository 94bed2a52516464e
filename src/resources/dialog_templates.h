// Dialog templates: the dialogs' captions, sizes and controls in dialog units
// (a quarter of the dialog font's average character width across, an eighth
// of its height down), from which the platform builds each dialog.
#pragma once

#include <cstdint>

#include "resources/resources.h"

// What a template control is.
enum DialogControlKind : uint8_t {
  ControlKindLabel = 1,        // static text
  ControlKindPicture = 2,      // a bitmap resource at its natural size
  ControlKindListBox = 3,      // a list of text items
  ControlKindEditBox = 4,      // text the user can edit
  ControlKindRadioButton = 5,  // an automatic radio button
  ControlKindOwnerDrawn = 6,   // a push button the program draws (MsgDrawItem)
};

// Style bits of a template control.
enum DialogControlStyle : uint32_t {
  ControlBorder = 0x001,
  ControlVerticalScroll = 0x002,
  ControlHorizontalScroll = 0x004,
  ControlSorted = 0x008,        // list boxes: kept in order by the platform
  ControlNotify = 0x010,        // list boxes: report selection and focus changes
  ControlMultiLine = 0x020,     // edit boxes
  ControlRightAligned = 0x040,  // edit boxes
  ControlCentred = 0x080,       // labels
  ControlNoPrefix = 0x100,      // labels: '&' is an ordinary character
  ControlTabStop = 0x200,
};

// Flags of a whole template.
enum DialogTemplateFlag : uint32_t {
  TemplateCaptionOk = 0x1,  // the platform's OK button in the caption
  TemplateCentred = 0x2,    // centred over its owner
};

// The id of a control the program never addresses.
constexpr uint16_t NoControlId = 0xFFFF;

// One control: kind, id, place and size in dialog units, style, text (labels,
// buttons, edit boxes; may be nullptr) and the bitmap of a picture.
struct DialogControlResource {
  uint8_t Kind;
  uint16_t Id;
  int16_t X;
  int16_t Y;
  int16_t Width;   // pictures: 0, the bitmap's own size
  int16_t Height;
  uint32_t Style;
  const char16_t* Text;
  uint16_t BitmapId;
};

// A dialog template (ResourceDialog): caption, client size in dialog units,
// font face and point size, flags and the controls in tab order.
struct DialogResource {
  const char16_t* Caption;
  int16_t Width;
  int16_t Height;
  const char16_t* FontFace;
  int16_t FontPoints;
  uint32_t Flags;
  const DialogControlResource* Controls;
  int Count;
};

// The About box (103), the font chooser (105), the search dialog (115) and the
// Choose Section dialog (118).
extern const DialogResource Dialog103;
extern const DialogResource Dialog105;
extern const DialogResource Dialog115;
extern const DialogResource Dialog118;
// The About box logo (113).
extern const BitmapResource Bitmap113;

// The program's texts shown in the About box and the maker's addresses.
extern const char16_t ProductTitle[];
extern const char16_t ProductNotice[];
extern const char16_t HomePageAddress[];
extern const char16_t UpdateServiceAddress[];  // scheme and host, ending in '/'
