#include "utf16writer.h"

#include <QSysInfo>
#include <QtEndian>

#include <cstring>
#include <utility>

Utf16Writer::Utf16Writer(qsizetype expectedUnits)
    : m_bytes((expectedUnits + expectedUnits / 32) * 2, Qt::Uninitialized)
{}

void Utf16Writer::put(QStringView text)
{
    const qsizetype bytes = text.size() * 2;
    if (bytes == 0)
        return;
    if (m_bytes.size() - m_used < bytes)
        makeRoom(bytes);
    char *out = m_bytes.data() + m_used;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(out, text.utf16(), size_t(bytes));
    } else {
        for (qsizetype i = 0; i < text.size(); ++i)
            qToLittleEndian<char16_t>(text[i].unicode(), out + 2 * i);
    }
    m_used += bytes;
}

QByteArray Utf16Writer::take()
{
    m_bytes.resize(m_used);
    m_used = 0;
    return std::exchange(m_bytes, {});
}

void Utf16Writer::makeRoom(qsizetype bytes)
{
    m_bytes.resize(qMax(m_used + bytes, 2 * m_bytes.size()));
}
