#pragma once

#include <QString>

// The settings requests of the options dialog and their effect at the next start.

// The small layout at the next start: sets the small-screen flag and the one-shot request;
// the caller then closes the main window, whose shutdown saves both.
void RequestSmallLayout();

// Back to the defaults at the next start: deletes the settings file and stops the shutdown
// from writing it; the caller then closes the main window. False, with nothing changed, when
// the file exists and cannot be deleted.
bool RequestSettingsReset();

// At creation, a pending small-layout request shrinks the word-book page control and the
// register and modify dialogs.
void ApplySmallLayoutRequest();

// Where the settings file lives.
QString RngFilePath();
