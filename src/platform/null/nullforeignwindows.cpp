#include "nullforeignwindows.h"

bool NullForeignWindows::available() const
{
    return false;
}

ForeignWindow NullForeignWindows::foregroundWindow()
{
    return ForeignWindow{.shell = true};
}

bool NullForeignWindows::activate(quintptr)
{
    return false;
}

bool NullForeignWindows::sendPaste(bool)
{
    return false;
}
