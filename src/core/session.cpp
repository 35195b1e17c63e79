#include "session.h"

#include "rngfile.h"
#include "ulib.h"

#include <QFile>

void RequestSmallLayout()
{
    Usr.SmallPCFlg = true;
    Usr.SmallChangeFlg = true;
}

bool RequestSettingsReset()
{
    QFile file(RngFilePath());
    if (file.exists() && !file.remove())
        return false;
    Sys.RngSaveFlg = false;
    return true;
}

void ApplySmallLayoutRequest()
{
    if (!Usr.SmallChangeFlg || !Usr.SmallPCFlg)
        return;
    Usr.PCon1Height = 224;
    Usr.RegModWidth = 600;
    Usr.RegModHeight = 570;
    Usr.RegModLeft = -1;
    Usr.RegModTop = -1;
}

QString RngFilePath()
{
    return Dirs.SysFolder + u'/' + RngFileName;
}
