#include "resources/dialog_templates.h"

#include "resources/logo_113.xpm"

const char16_t ProductTitle[] = u"Darvo Reader";
const char16_t ProductNotice[] = u"\u00A9 Orvanta Software";
const char16_t HomePageAddress[] = u"https://www.orvanta.example/";
const char16_t UpdateServiceAddress[] = u"https://www.orvanta.example/";

namespace {

const DialogControlResource About103Controls[] = {
    {ControlKindLabel, NoControlId, 7, 7, 81, 8, 0, ProductTitle, 0},
    {ControlKindPicture, NoControlId, 88, 7, 0, 0, 0, nullptr, 113},
    {ControlKindLabel, NoControlId, 7, 24, 45, 8, 0, u"Version 1.84a", 0},
    {ControlKindLabel, NoControlId, 7, 41, 80, 8, 0, ProductNotice, 0},
    {ControlKindOwnerDrawn, 1025, 7, 58, 100, 8, ControlTabStop, u"www.orvanta.example", 0},
};

constexpr uint32_t FaceListStyle = ControlBorder | ControlVerticalScroll | ControlSorted | ControlNotify | ControlTabStop;
constexpr uint32_t SizeListStyle = ControlBorder | ControlVerticalScroll | ControlNotify | ControlTabStop;

const DialogControlResource FontChooser105Controls[] = {
    {ControlKindListBox, 1001, 7, 7, 107, 94, FaceListStyle, nullptr, 0},
    {ControlKindListBox, 1006, 120, 44, 25, 56, SizeListStyle, nullptr, 0},
    {ControlKindEditBox, 1002, 7, 106, 138, 50,
     ControlMultiLine | ControlRightAligned | ControlBorder | ControlTabStop, nullptr, 0},
    {ControlKindRadioButton, 1004, 116, 19, 29, 10, ControlTabStop, u"224", 0},
    {ControlKindRadioButton, 1005, 116, 31, 29, 10, 0, u"5D0", 0},
};

const DialogControlResource Search115Controls[] = {
    {ControlKindLabel, NoControlId, 7, 7, 112, 8, ControlCentred | ControlNoPrefix, u"Search", 0},
    {ControlKindEditBox, 1013, 7, 21, 112, 43,
     ControlRightAligned | ControlHorizontalScroll | ControlBorder | ControlTabStop, nullptr, 0},
    {ControlKindPicture, NoControlId, 7, 71, 0, 0, 0, nullptr, 119},
};

}  // namespace

const DialogResource Dialog103 = {u"Darvo", 130, 85, u"System", 8, TemplateCaptionOk, About103Controls, 5};
const DialogResource Dialog105 = {u"Choose Font", 152, 167, u"System", 8, TemplateCaptionOk, FontChooser105Controls, 5};
const DialogResource Dialog115 = {u"Darvo", 126, 131, u"System", 8, TemplateCaptionOk | TemplateCentred,
                                  Search115Controls, 3};
const DialogResource Dialog118 = {u"Choose Section", 160, 160, u"System", 8, TemplateCaptionOk | TemplateCentred,
                                  nullptr, 0};

const BitmapResource Bitmap113 = {63, 40, nullptr, Logo113Xpm};
