#pragma once

#include <QString>

#include <array>

// The fields of a word book entry, in the order of an entry line. The sixth field of a line
// is reserved: always written empty and ignored when read, so it is not held.
enum class EntryField { Russian, Cue, Kana, Japanese, Remarks };
inline constexpr int kEntryFields = 5;

// One entry of a word book. Line breaks of the remarks are held as "#$0D", so every field is
// one line; a quotation mark is an ordinary character here and "#$22" only in the file.
struct WordEntry {
    std::array<QString, kEntryFields> fields;

    QString &operator[](EntryField field) { return fields[size_t(field)]; }
    const QString &operator[](EntryField field) const { return fields[size_t(field)]; }
    bool operator==(const WordEntry &other) const = default;
};
Q_DECLARE_TYPEINFO(WordEntry, Q_RELOCATABLE_TYPE);
