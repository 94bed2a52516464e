#include "resources/dialog_templates.h"
#include "resources/resources.h"
#include "resources/shell_resources.h"

// Strings of the menu-bar buttons.
static const char16_t String302[] = u"Go";
static const char16_t String304[] = u"Marginel";

const ResourceEntry ProgramResources[] = {
    {ResourceString, 302, String302, 0},
    {ResourceString, 304, String304, 0},
    {ResourceMenu, 102, &Menu102, 0},
    {ResourceBar, 102, &Bar102, 0},
    {ResourceBitmap, 114, &Bitmap114, 0},
    {ResourceBitmap, 201, &Bitmap201, 0},
    {ResourceBitmap, 202, &Bitmap202, 0},
    {ResourceBitmap, 203, &Bitmap203, 0},
    {ResourceIcon, 101, &Icon101, 0},
    {ResourceBitmap, 113, &Bitmap113, 0},
    {ResourceDialog, 103, &Dialog103, 0},
    {ResourceDialog, 105, &Dialog105, 0},
    {ResourceDialog, 115, &Dialog115, 0},
    {ResourceDialog, 118, &Dialog118, 0},
    {0, 0, nullptr, 0},
};
