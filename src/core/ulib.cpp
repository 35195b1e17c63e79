#include "ulib.h"

UsrVars Usr;
SysVars Sys;
FolderVars Dirs;
bool TerminateFlg = false;

void InitSysVars()
{
    Sys = SysVars{};
    Sys.BaseName = QStringLiteral("日本語");
    Sys.UFolder = Dirs.UsrTextFolder;
    Sys.SortFlags1.fill(1);
    Sys.SortFlags2.fill(1);
    Usr.SmallChangeFlg = false;
}
