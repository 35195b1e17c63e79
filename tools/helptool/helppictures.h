#pragma once

#include <QString>

// Renders every picture of the help document from the program's own windows, offscreen, with a
// fresh home folder and the staged installation data in `programsFolder` (the folder holding
// Harnwick/Kalvo). Writes <name>.png into `outFolder` at twice the windows' size. Returns an
// empty string, or what went wrong.
QString RenderHelpPictures(const QString &programsFolder, const QString &outFolder);
