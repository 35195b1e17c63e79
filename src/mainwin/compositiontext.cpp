#include "compositiontext.h"

#include "core/codecs.h"
#include "core/textdocument.h"
#include "input/urussian.h"

namespace {

QString prefixOf(bool russianArea, const char16_t *russian, const char16_t *ipa)
{
    return QString::fromUtf16(russianArea ? russian : ipa);
}

} // namespace

qsizetype AreaLength(QStringView text)
{
    return text.size() + text.count(u'\n');
}

QString CounterText(qsizetype count, bool russianArea)
{
    return prefixOf(russianArea, u"ロシア語 文字数：　", u"発音記号 文字数：　") +
           QString::number(count) + QStringLiteral("個");
}

QString CodeCheckerText(QStringView text, bool russianArea, bool hexadecimal)
{
    if (text.isEmpty())
        return {};
    QString codes;
    const auto append = [&](char16_t unit) {
        codes += u'/';
        codes += hexadecimal ? HexCode4(unit) : QString::number(uint(unit));
    };
    for (QChar c : text) {
        if (c == u'\n')
            append(u'\r');
        append(c.unicode());
    }
    return prefixOf(russianArea, u"ロシア語 コード： ", u"発音記号 コード： ") + codes;
}

std::optional<QString> RemoveAccentsResult(QStringView text)
{
    const QStringView trimmed = TrimLowChars(text);
    if (trimmed.isEmpty())
        return std::nullopt;
    return AccentFilter(trimmed);
}
