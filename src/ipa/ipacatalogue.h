#pragma once

#include <QChar>
#include <QString>
#include <span>

// The catalogue of IPA symbols: for each symbol (one UTF-16 code unit) its English name, its
// Japanese name and a Japanese description. Read once, on first use, from the table embedded
// in the program.

struct IpaRecord {
    char16_t code = 0;
    QString english;
    QString japanese;
    QString description;
};

// All records in the order of the embedded table.
std::span<const IpaRecord> IpaCatalogue();

// The names and description of `ch`; three empty strings when it is not in the catalogue.
void GetIPAInfo(QChar ch, QString &english, QString &japanese, QString &description);

// How the pad and the input method explain `ch`: "【Japanese name】description", with both
// empty when it is not in the catalogue.
QString IpaExplanation(QChar ch);
