#include "keytables.h"

#include <array>

namespace {

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kGreen = 0x008000; // mnemonic letters typed by a key sequence
constexpr Rgb kBlue = 0x0000FF;  // the mnemonic layout's extra keys

// A key's text on the lower page (page 1) and on the upper page (every other page).
struct Face {
    const char16_t *lower;
    const char16_t *upper;

    const char16_t *onPage(int page) const { return page == 1 ? lower : upper; }
};

// A JIS key of the standard and typewriter layouts: the key's own label, which is the
// sub-caption in both layouts, and the captions of each layout.
struct JisRow {
    Face label;
    Face standard;
    Face typewriter;
};

struct Key {
    const char16_t *caption;
    const char16_t *subCaption;
};

// A key of the mnemonic layout: each page's caption and sub-caption, one colour for both.
struct MnemonicRow {
    Key lower;
    Key upper;
    Rgb color;
};

// Rows in key index order (see keytables.h): label, standard, typewriter; lower then upper.
constexpr std::array<JisRow, 47> kJisTable{{
    {{u"半全", u"半全"}, {u"ё", u"Ё"}, {u"|", u"+"}}, // 0
    {{u"1", u"1"}, {u"1", u"!"}, {u"№", u"1"}},       // 1
    {{u"2", u"2"}, {u"2", u"\""}, {u"-", u"2"}},      // 2
    {{u"3", u"3"}, {u"3", u"№"}, {u"/", u"3"}},       // 3
    {{u"4", u"4"}, {u"4", u";"}, {u"\"", u"4"}},      // 4
    {{u"5", u"5"}, {u"5", u"%"}, {u":", u"5"}},       // 5
    {{u"6", u"6"}, {u"6", u":"}, {u",", u"6"}},       // 6
    {{u"7", u"7"}, {u"7", u"?"}, {u".", u"7"}},       // 7
    {{u"8", u"8"}, {u"8", u"*"}, {u"_", u"8"}},       // 8
    {{u"9", u"9"}, {u"9", u"("}, {u"?", u"9"}},       // 9
    {{u"0", u"0"}, {u"0", u")"}, {u"%", u"0"}},       // 10
    {{u"-", u"="}, {u"-", u"_"}, {u"!", u"="}},       // 11
    {{u"^", u"~"}, {u"=", u"+"}, {u";", u"\\"}},      // 12
    {{u"Q", u"Q"}, {u"й", u"Й"}, {u"й", u"Й"}},       // 13
    {{u"W", u"W"}, {u"ц", u"Ц"}, {u"ц", u"Ц"}},       // 14
    {{u"E", u"E"}, {u"у", u"У"}, {u"у", u"У"}},       // 15
    {{u"R", u"R"}, {u"к", u"К"}, {u"к", u"К"}},       // 16
    {{u"T", u"T"}, {u"е", u"Е"}, {u"е", u"Е"}},       // 17
    {{u"Y", u"Y"}, {u"н", u"Н"}, {u"н", u"Н"}},       // 18
    {{u"U", u"U"}, {u"г", u"Г"}, {u"г", u"Г"}},       // 19
    {{u"I", u"I"}, {u"ш", u"Ш"}, {u"ш", u"Ш"}},       // 20
    {{u"O", u"O"}, {u"щ", u"Щ"}, {u"щ", u"Щ"}},       // 21
    {{u"P", u"P"}, {u"з", u"З"}, {u"з", u"З"}},       // 22
    {{u"@", u"`"}, {u"х", u"Х"}, {u"х", u"Х"}},       // 23
    {{u"[", u"{"}, {u"ъ", u"Ъ"}, {u"ъ", u"Ъ"}},       // 24
    {{u"A", u"A"}, {u"ф", u"Ф"}, {u"ф", u"Ф"}},       // 25
    {{u"S", u"S"}, {u"ы", u"Ы"}, {u"ы", u"Ы"}},       // 26
    {{u"D", u"D"}, {u"в", u"В"}, {u"в", u"В"}},       // 27
    {{u"F", u"F"}, {u"а", u"А"}, {u"а", u"А"}},       // 28
    {{u"G", u"G"}, {u"п", u"П"}, {u"п", u"П"}},       // 29
    {{u"H", u"H"}, {u"р", u"Р"}, {u"р", u"Р"}},       // 30
    {{u"J", u"J"}, {u"о", u"О"}, {u"о", u"О"}},       // 31
    {{u"K", u"K"}, {u"л", u"Л"}, {u"л", u"Л"}},       // 32
    {{u"L", u"L"}, {u"д", u"Д"}, {u"д", u"Д"}},       // 33
    {{u";", u"+"}, {u"ж", u"Ж"}, {u"ж", u"Ж"}},       // 34
    {{u":", u"*"}, {u"э", u"Э"}, {u"э", u"Э"}},       // 35
    {{u"]", u"}"}, {u"\\", u"/"}, {u")", u"("}},      // 36
    {{u"Z", u"Z"}, {u"я", u"Я"}, {u"я", u"Я"}},       // 37
    {{u"X", u"X"}, {u"ч", u"Ч"}, {u"ч", u"Ч"}},       // 38
    {{u"C", u"C"}, {u"с", u"С"}, {u"с", u"С"}},       // 39
    {{u"V", u"V"}, {u"м", u"М"}, {u"м", u"М"}},       // 40
    {{u"B", u"B"}, {u"и", u"И"}, {u"и", u"И"}},       // 41
    {{u"N", u"N"}, {u"т", u"Т"}, {u"т", u"Т"}},       // 42
    {{u"M", u"M"}, {u"ь", u"Ь"}, {u"ь", u"Ь"}},       // 43
    {{u",", u"<"}, {u"б", u"Б"}, {u"б", u"Б"}},       // 44
    {{u".", u">"}, {u"ю", u"Ю"}, {u"ю", u"Ю"}},       // 45
    {{u"/", u"/"}, {u".", u","}, {u"ё", u"Ё"}},       // 46
}};

// Rows in key index order; the last five are the extra keys 47 to 51.
constexpr std::array<MnemonicRow, 52> kMnemonicTable{{
    {{u"ъ", u"半全"}, {u"Ъ", u"半全"}, kBlack},           // 0
    {{u"1", u"1"}, {u"!", u"1"}, kBlack},                 // 1
    {{u"2", u"2"}, {u"\"", u"2"}, kBlack},                // 2
    {{u"3", u"3"}, {u"№", u"3"}, kBlack},                 // 3
    {{u"4", u"4"}, {u";", u"4"}, kBlack},                 // 4
    {{u"5", u"5"}, {u"%", u"5"}, kBlack},                 // 5
    {{u"6", u"6"}, {u":", u"6"}, kBlack},                 // 6
    {{u"7", u"7"}, {u"?", u"7"}, kBlack},                 // 7
    {{u"8", u"8"}, {u"*", u"8"}, kBlack},                 // 8
    {{u"9", u"9"}, {u"(", u"9"}, kBlack},                 // 9
    {{u"0", u"0"}, {u")", u"0"}, kBlack},                 // 10
    {{u"-", u"-"}, {u"_", u"="}, kBlack},                 // 11
    {{u"=", u"^"}, {u"+", u"~"}, kBlack},                 // 12
    {{u"я", u"q,ja"}, {u"Я", u"Q,Ja"}, kGreen},           // 13
    {{u"ш", u"w"}, {u"Ш", u"W"}, kBlack},                 // 14
    {{u"е", u"e"}, {u"Е", u"E"}, kBlack},                 // 15
    {{u"р", u"r"}, {u"Р", u"R"}, kBlack},                 // 16
    {{u"т", u"t"}, {u"Т", u"T"}, kBlack},                 // 17
    {{u"ы", u"y+ \u033A"}, {u"Ы", u"Y+ \u033A"}, kGreen}, // 18
    {{u"у", u"u"}, {u"У", u"U"}, kBlack},                 // 19
    {{u"и", u"i"}, {u"И", u"I"}, kBlack},                 // 20
    {{u"о", u"o"}, {u"О", u"O"}, kBlack},                 // 21
    {{u"п", u"p"}, {u"П", u"P"}, kBlack},                 // 22
    {{u"[", u"@"}, {u"{", u"`"}, kBlack},                 // 23
    {{u"]", u"["}, {u"}", u"{"}, kBlack},                 // 24
    {{u"а", u"a"}, {u"А", u"A"}, kBlack},                 // 25
    {{u"с", u"s+ \u033A"}, {u"С", u"S+ \u033A"}, kGreen}, // 26
    {{u"д", u"d"}, {u"Д", u"D"}, kBlack},                 // 27
    {{u"ф", u"f"}, {u"Ф", u"F"}, kBlack},                 // 28
    {{u"г", u"g"}, {u"Г", u"G"}, kBlack},                 // 29
    {{u"х", u"h"}, {u"Х", u"H"}, kBlack},                 // 30
    {{u"й", u"j+ \u033A"}, {u"Й", u"J+ \u033A"}, kGreen}, // 31
    {{u"к", u"k"}, {u"К", u"K"}, kBlack},                 // 32
    {{u"л", u"l"}, {u"Л", u"L"}, kBlack},                 // 33
    {{u";", u";"}, {u":", u"+"}, kBlack},                 // 34
    {{u"ь", u":"}, {u"Ь", u"*"}, kBlack},                 // 35
    {{u"\\", u"]"}, {u"/", u"}"}, kBlack},                // 36
    {{u"з", u"z"}, {u"З", u"Z"}, kBlack},                 // 37
    {{u"ж", u"x"}, {u"Ж", u"X"}, kBlack},                 // 38
    {{u"ц", u"c+ \u033A"}, {u"Ц", u"C+ \u033A"}, kGreen}, // 39
    {{u"в", u"v"}, {u"В", u"V"}, kBlack},                 // 40
    {{u"б", u"b"}, {u"Б", u"B"}, kBlack},                 // 41
    {{u"н", u"n"}, {u"Н", u"N"}, kBlack},                 // 42
    {{u"м", u"m"}, {u"М", u"M"}, kBlack},                 // 43
    {{u",", u","}, {u"<", u"<"}, kBlack},                 // 44
    {{u".", u"."}, {u">", u">"}, kBlack},                 // 45
    {{u"/", u"/"}, {u"?", u"/"}, kBlack},                 // 46
    {{u"ё", u"jo"}, {u"Ё", u"Jo"}, kBlue},                // 47
    {{u"щ", u"sc"}, {u"Щ", u"Sc"}, kBlue},                // 48
    {{u"ч", u"ch"}, {u"Ч", u"Ch"}, kBlue},                // 49
    {{u"э", u"je"}, {u"Э", u"Je"}, kBlue},                // 50
    {{u"ю", u"ju"}, {u"Ю", u"Ju"}, kBlue},                // 51
}};

// The values equal the RusImeIndex of the layout.
enum class Table { Standard = 1, Typewriter = 2, Mnemonic = 3 };

struct Entry {
    Rgb color = kBlack;
    const char16_t *caption = u"";
    const char16_t *subCaption = u"";
};

// The one lookup of all three tables: page 1 is the lower page, every other page the upper;
// an index outside the table gives black and two empty texts.
Entry entryOf(Table table, int page, int index)
{
    const bool mnemonic = table == Table::Mnemonic;
    const int count = int(mnemonic ? kMnemonicTable.size() : kJisTable.size());
    if (index < 0 || index >= count)
        return {};
    if (mnemonic) {
        const MnemonicRow &row = kMnemonicTable[index];
        const Key &key = page == 1 ? row.lower : row.upper;
        return {row.color, key.caption, key.subCaption};
    }
    const JisRow &row = kJisTable[index];
    const Face &caption = table == Table::Standard ? row.standard : row.typewriter;
    return {kBlack, caption.onPage(page), row.label.onPage(page)};
}

KeyCap keyCapOf(Table table, int page, int index)
{
    const Entry entry = entryOf(table, page, index);
    return {entry.color, QString::fromUtf16(entry.caption), QString::fromUtf16(entry.subCaption)};
}

// Saved settings hold RusImeIndex, so the order 1, 2, 3 must stay. Built on first use, so
// that lookups from other files' start-up code find it ready.
const std::array<RussianLayout, 3> &layouts()
{
    static const std::array<RussianLayout, 3> table{{
        {1, QStringLiteral("00000419"), QStringLiteral("ロシア語 標準"), GetColAndCap1,
         int(kJisTable.size())},
        {2, QStringLiteral("00010419"), QStringLiteral("ロシア語タイプライター"), GetColAndCap2,
         int(kJisTable.size())},
        {3, QStringLiteral("00020419"), QStringLiteral("ロシア語ニーモニック"), GetColAndCap3,
         int(kMnemonicTable.size())},
    }};
    return table;
}

} // namespace

KeyCap GetColAndCap1(int page, int index)
{
    return keyCapOf(Table::Standard, page, index);
}

KeyCap GetColAndCap2(int page, int index)
{
    return keyCapOf(Table::Typewriter, page, index);
}

KeyCap GetColAndCap3(int page, int index)
{
    return keyCapOf(Table::Mnemonic, page, index);
}

const RussianLayout *LayoutByIndex(int rusImeIndex)
{
    const auto &table = layouts();
    if (rusImeIndex < 1 || rusImeIndex > int(table.size()))
        return nullptr;
    return &table[rusImeIndex - 1];
}

const RussianLayout &PadLayout(int rusImeIndex)
{
    const RussianLayout *layout = LayoutByIndex(rusImeIndex);
    return layout ? *layout : layouts().front();
}

QString RusImeName(int rusImeIndex)
{
    return PadLayout(rusImeIndex).name;
}

QStringView KeyCaption(int rusImeIndex, int page, int index)
{
    return entryOf(Table(PadLayout(rusImeIndex).rusImeIndex), page, index).caption;
}
