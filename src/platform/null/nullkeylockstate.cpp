#include "nullkeylockstate.h"

#include <QKeyEvent>

bool NullKeyLockState::capsLock(const QKeyEvent *current) const
{
    return current && (current->nativeModifiers() & 0x2) != 0;
}
