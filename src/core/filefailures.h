#pragma once

#include <QFileDevice>
#include <QString>

// The Japanese text of a failed file operation, for the message boxes. The system's own texts
// are English ("File too large"), and Qt's are too, so neither is shown: `errorNumber` is the
// errno the failing call left (0 when unknown), and where it has no text of its own the kind
// of failure Qt reports (`error`) gives one.
QString FileFailureText(int errorNumber, QFileDevice::FileError error);
