#include "placement.h"

#include "ulib.h"

#include <algorithm>

namespace {

QSize defaultSize()
{
    return Usr.SmallPCFlg ? QSize(790, 570) : QSize(860, 640);
}

QRect centred(QSize size, QSize screen)
{
    return QRect(QPoint((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2),
                 size);
}

bool savedPlaceUsable(QSize screen)
{
    return Usr.MainLeft >= 0 && Usr.MainTop >= 0 &&
           Usr.MainLeft + Usr.MainWidth <= screen.width() &&
           Usr.MainTop + Usr.MainHeight <= screen.height();
}

} // namespace

MainPlacement PlaceMainWindow(QSize screen)
{
    const int panel3Width = Usr.SmallPCFlg ? 390 : 420;
    if (Usr.SmallChangeFlg) {
        Usr.SmallChangeFlg = false;
        return {centred(defaultSize(), screen), panel3Width, Usr.SmallPCFlg ? 224 : 256};
    }
    const QRect frame = savedPlaceUsable(screen)
                            ? QRect(Usr.MainLeft, Usr.MainTop, Usr.MainWidth, Usr.MainHeight)
                            : centred(defaultSize(), screen);
    return {frame, panel3Width, Usr.PCon1Height};
}

QPoint GetMessageDlgPos(const QRect &owner)
{
    return {owner.left() + (owner.width() - 378) / 2, owner.top() + (owner.height() - 234) / 2};
}

QRect KeptInside(const QRect &window, const QRect &area)
{
    const auto axis = [](int start, int length, int areaStart, int areaLength) {
        return std::max(areaStart, std::min(start, areaStart + areaLength - length));
    };
    QRect kept = window;
    kept.moveTo(axis(window.left(), window.width(), area.left(), area.width()),
                axis(window.top(), window.height(), area.top(), area.height()));
    return kept;
}
