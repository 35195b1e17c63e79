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

PasteResult NullForeignWindows::sendPaste(quintptr, PasteKey)
{
    return PasteResult::Failed;
}
