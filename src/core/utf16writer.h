#pragma once

#include <QByteArray>
#include <QStringView>

// Writes text as UTF-16 little-endian into a byte array sized once for all of it: the
// expected size and a margin of 1/32 for what it could not foresee, such as escapes in a few
// fields. Only a write past that grows the array.
class Utf16Writer {
public:
    explicit Utf16Writer(qsizetype expectedUnits);

    void put(QStringView text);
    void put(char16_t unit) { put(QStringView(&unit, 1)); }
    // The bytes written; the writer is empty afterwards.
    QByteArray take();

private:
    void makeRoom(qsizetype bytes);

    QByteArray m_bytes;
    qsizetype m_used = 0;
};
