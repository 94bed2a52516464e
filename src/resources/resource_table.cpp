#include "resources/resources.h"

// Strings of the menu-bar buttons.
static const char16_t String302[] = u"Go";
static const char16_t String304[] = u"Marginel";

const ResourceEntry ProgramResources[] = {
    {ResourceString, 302, String302, 0},
    {ResourceString, 304, String304, 0},
    {0, 0, nullptr, 0},
};
