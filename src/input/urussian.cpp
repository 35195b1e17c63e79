#include "urussian.h"

#include <QStringView>

namespace {

// A character or a group of characters with one name: a letter's upper- and lower-case form,
// or symbols that share a Japanese name. Symbols have no IPA name.
struct CharInfo {
    const char16_t *chars;
    const char16_t *japaneseName;
    const char16_t *ipaName;
};

// IPA names are transcribed as in the sample books: ˈ before the stressed syllable of a name
// of more than one syllable, ʲ for a soft consonant, t͡ɕ, ʂ, ʐ, ɕː for ч, ш, ж, щ.
constexpr CharInfo kCharInfo[] = {
    {u"Аа", u"アー", u"a"},
    {u"Бб", u"ベー", u"bɛ"},
    {u"Вв", u"ヴェー", u"vɛ"},
    {u"Гг", u"ゲー", u"ɡɛ"},
    {u"Дд", u"デー", u"dɛ"},
    {u"Ее", u"ィエー", u"je"},
    {u"Ёё", u"ヨー", u"jo"},
    {u"Жж", u"ジェー", u"ʐɛ"},
    {u"Зз", u"ゼー", u"zɛ"},
    {u"Ии", u"イー", u"i"},
    {u"Йй", u"ｲ　ｸﾗﾄｶﾔ（短いイ）", u"i ˈkratkəjə"},
    {u"Кк", u"カー", u"ka"},
    {u"Лл", u"エル", u"ɛlʲ"},
    {u"Мм", u"エム", u"ɛm"},
    {u"Нн", u"エヌ", u"ɛn"},
    {u"Оо", u"オー", u"o"},
    {u"Пп", u"ペー", u"pɛ"},
    {u"Рр", u"エル", u"ɛr"},
    {u"Сс", u"エス", u"ɛs"},
    {u"Тт", u"テー", u"tɛ"},
    {u"Уу", u"ウー", u"u"},
    {u"Фф", u"エフ", u"ɛf"},
    {u"Хх", u"ハー", u"xa"},
    {u"Цц", u"ツェー", u"t͡sɛ"},
    {u"Чч", u"チェー", u"t͡ɕe"},
    {u"Шш", u"シャー", u"ʂa"},
    {u"Щщ", u"シシャー", u"ɕːa"},
    {u"Ъъ", u"ﾄﾋﾞｮｰﾙﾄﾞｩｲ　ｽﾞﾅｰｸ（硬音記号）", u"ˈtvʲɵrdɨj znak"},
    {u"Ыы", u"ゥイー", u"ɨ"},
    {u"Ьь", u"ﾐｬｰﾌｷｲ　ｽﾞﾅｰｸ（軟音記号）", u"ˈmʲæxʲkʲɪj znak"},
    {u"Ээ", u"エー", u"ɛ"},
    {u"Юю", u"ユー", u"ju"},
    {u"Яя", u"ヤー", u"ja"},
    {u"#", u" ﾊｯｼｭﾀｸﾞ", u""},
    {u"$", u"ドル", u""},
    {u"'", u"Sｸｵｰﾄ", u""},
    {u"@", u"ｱｯﾄﾏｰｸ", u""},
    {u"¥", u"円記号", u""},
    {u"«»", u"ギュメ", u""},
    {u"\u0300", u"副ｱｸｾﾝﾄ", u""},
    {u"\u0301", u"ｱｸｾﾝﾄ", u""},
    {u"–", u"ENﾀﾞｯｼｭ", u""},
    {u"—", u"EMﾀﾞｯｼｭ", u""},
    {u"‘’“”„", u"引用符", u""},
    {u"•", u"ﾋﾞｭﾚｯﾄ", u""},
    {u"…", u"3点ﾘｰﾀﾞ", u""},
    {u"€", u"ﾕｰﾛ", u""},
    {u"₽", u"ﾙｰﾌﾞﾙ", u""},
};

// Splits a text into cells of one code unit each; cells past the text stay empty.
template <std::size_t N> std::array<QString, N> cellsOf(QStringView units)
{
    std::array<QString, N> cells;
    for (qsizetype i = 0; i < units.size() && i < qsizetype(N); ++i)
        cells[i] = units[i];
    return cells;
}

} // namespace

QString AccentFilter(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c != u'\u0301' && c != u'\u0300')
            out += c;
    }
    return out;
}

void GetRusCharInfo(QChar ch, QString &japaneseName, QString &ipaName)
{
    japaneseName.clear();
    ipaName.clear();
    // Code 0 is what the chart passes for a cell without exactly one code unit.
    if (ch.isNull())
        return;
    for (const CharInfo &info : kCharInfo) {
        if (QStringView(info.chars).contains(ch)) {
            japaneseName = QString::fromUtf16(info.japaneseName);
            ipaName = QString::fromUtf16(info.ipaName);
            return;
        }
    }
}

const std::array<QString, 33> RusLower = cellsOf<33>(u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
const std::array<QString, 33> RusUpper = cellsOf<33>(u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");

// U+201C stands twice in the standard set, in cells 1 and 18.
const RusSymbolSet RusSym = cellsOf<20>(u"„“«»\u0301•–—…@#'₽$€¥‘’“”");
const RusSymbolSet RusSym1 = cellsOf<20>(u"ҐґЄєІіЇї");
const RusSymbolSet RusSym2 = cellsOf<20>(u"ІіЎў");
const RusSymbolSet RusSym3 = cellsOf<20>(u"ЂђЈјЉљЊњЋћЏџ");
const RusSymbolSet RusSym4 = cellsOf<20>(u"ЃѓЅѕЈјЉљЊњЌќЏџ");

const std::array<QString, 5> RusSymNames{QStringLiteral("記号標準"), QStringLiteral("ｳｸﾗｲﾅ語"),
                                         QStringLiteral("ﾍﾞﾗﾙｰｼ語"), QStringLiteral("ｾﾙﾋﾞｱ語"),
                                         QStringLiteral("ﾏｹﾄﾞﾆｱ語")};

const RusSymbolSet &RusSymSet(int symIndex)
{
    static const std::array<const RusSymbolSet *, 5> sets{&RusSym, &RusSym1, &RusSym2, &RusSym3,
                                                          &RusSym4};
    if (symIndex < 0 || symIndex >= int(sets.size()))
        return RusSym;
    return *sets[symIndex];
}
