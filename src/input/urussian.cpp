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

// IPA names carry the stress as U+0301 right after the stressed vowel; ʼ is U+02BC.
constexpr CharInfo kCharInfo[] = {
    {u"Аа", u"アー", u"a\u0301"},
    {u"Бб", u"ベー", u"bɛ\u0301"},
    {u"Вв", u"ヴェー", u"vɛ\u0301"},
    {u"Гг", u"ゲー", u"gɛ\u0301"},
    {u"Дд", u"デー", u"dɛ\u0301"},
    {u"Ее", u"ィエー", u"jɛ\u0301"},
    {u"Ёё", u"ヨー", u"jo\u0301"},
    {u"Жж", u"ジェー", u"ʒɛ\u0301"},
    {u"Зз", u"ゼー", u"zɛ\u0301"},
    {u"Ии", u"イー", u"i\u0301"},
    {u"Йй", u"ｲ　ｸﾗﾄｶﾔ（短いイ）", u"i kra\u0301tkəjə"},
    {u"Кк", u"カー", u"ka\u0301"},
    {u"Лл", u"エル", u"ɛ\u0301l"},
    {u"Мм", u"エム", u"ɛ\u0301m"},
    {u"Нн", u"エヌ", u"ɛ\u0301n"},
    {u"Оо", u"オー", u"o\u0301"},
    {u"Пп", u"ペー", u"pɛ\u0301"},
    {u"Рр", u"エル", u"ɛ\u0301r"},
    {u"Сс", u"エス", u"ɛ\u0301s"},
    {u"Тт", u"テー", u"tɛ\u0301"},
    {u"Уу", u"ウー", u"u\u0301"},
    {u"Фф", u"エフ", u"ɛ\u0301f"},
    {u"Хх", u"ハー", u"xa\u0301"},
    {u"Цц", u"ツェー", u"ʦɛ\u0301"},
    {u"Чч", u"チェー", u"ʧɛ\u0301"},
    {u"Шш", u"シャー", u"ʃa\u0301"},
    {u"Щщ", u"シシャー", u"ʃʼʃʼa\u0301"},
    {u"Ъъ", u"ﾄﾋﾞｮｰﾙﾄﾞｩｲ　ｽﾞﾅｰｸ（硬音記号）", u"tʼvʼo\u0301rdɨj zna\u0301k"},
    {u"Ыы", u"ゥイー", u"ɨ\u0301"},
    {u"Ьь", u"ﾐﾔｰﾌｷｨ　ｽﾞﾅｰｸ（軟音記号）", u"mʼa\u0301xkʼij zna\u0301k"},
    {u"Ээ", u"エー", u"ɛ\u0301"},
    {u"Юю", u"ユー", u"ju\u0301"},
    {u"Яя", u"ヤー", u"ja\u0301"},
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
