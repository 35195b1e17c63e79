#pragma once

// The keys a US keyboard sends, as X11 key codes and keysyms: characters stand for themselves
// and <name> for the named keys below.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace uskeys {

struct Key {
    int code;        // X11 key code
    uint32_t keysym; // X11 keysym
    bool shift;
};

struct NamedKey {
    const char *name;
    int code;
    uint32_t keysym;
};

constexpr NamedKey kNamedKeys[] = {
    {"space", 65, 0x0020}, {"enter", 36, 0xff0d},    {"esc", 9, 0xff1b},
    {"left", 113, 0xff51}, {"right", 114, 0xff53},   {"bs", 22, 0xff08},
    {"tab", 23, 0xff09},   {"jiscolon", 48, 0x003a}, // the JIS ":" key, "'" on a US keyboard
};

constexpr const char *kRows[] = {"1234567890-=", "qwertyuiop[]", "asdfghjkl;'", "zxcvbnm,./"};
constexpr const char *kShiftedRows[] = {"!@#$%^&*()_+", "QWERTYUIOP{}", "ASDFGHJKL:\"",
                                        "ZXCVBNM<>?"};
constexpr int kRowCodes[] = {10, 24, 38, 52};

inline Key keyOf(char ch)
{
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; kRows[row][column]; ++column) {
            const int code = kRowCodes[row] + column;
            if (kRows[row][column] == ch)
                return {code, uint32_t(uint8_t(ch)), false};
            if (kShiftedRows[row][column] == ch)
                return {code, uint32_t(uint8_t(ch)), true};
        }
    }
    if (ch == '\\')
        return {51, 0x005c, false};
    return {0, uint32_t(uint8_t(ch)), false};
}

// The keys of `sequence`, in order.
inline std::vector<Key> keysOf(const QString &sequence)
{
    std::vector<Key> keys;
    const QByteArray bytes = sequence.toLatin1();
    for (int i = 0; i < bytes.size(); ++i) {
        const int end = bytes.indexOf('>', i);
        if (bytes[i] == '<' && end > i + 1) {
            const QByteArray name = bytes.mid(i + 1, end - i - 1);
            for (const NamedKey &named : kNamedKeys) {
                if (name == named.name)
                    keys.push_back({named.code, named.keysym, false});
            }
            i = end;
            continue;
        }
        keys.push_back(keyOf(bytes[i]));
    }
    return keys;
}

} // namespace uskeys
