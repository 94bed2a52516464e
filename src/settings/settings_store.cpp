#include "settings/settings_store.h"

// Filled in with the registry layout.
void LoadSettings() {}
void SaveSettings() {}
