#pragma once

#include <QString>
#include <functional>

// The three base folders the tree is built on.
struct BaseFolders {
    QString appData;   // per-user configuration folder, e.g. ~/.config
    QString documents; // per-user documents folder, e.g. ~/Documents
    QString programs;  // parent of the installation data folder Harnwick/Kalvo
};

// Shows a warning text to the user; the core has no message boxes of its own.
using WarnFn = std::function<void(const QString &)>;

// The base folders of this platform: XDG config home, the documents folder, and the share
// folder that holds the installation data beside the executable.
BaseFolders PlatformBaseFolders(const QString &executableDir);

// Builds every folder path of Dirs from the base folders and creates the missing folders,
// reporting each folder that cannot be created.
void SetFolderVars(const BaseFolders &base, const WarnFn &warn);

// Creates `path` with all missing parents; true when it exists afterwards.
bool ForceDirectories(const QString &path);
