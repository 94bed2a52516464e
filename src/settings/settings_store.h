// The settings store: every value the program keeps under the current user,
// read once at start and written once at exit.
#pragma once

// Reads the settings into AppState (once, at start).
void LoadSettings();

// Writes the settings and bookmarks, destroys both panes and posts the quit
// signal (once, on the way out).
void SaveSettings();
