#pragma once

// Made-up word book entries for the benchmarks: Russian words of one to four syllables with
// their IPA and kana, one to three Japanese meanings, and remarks on some. The same seed
// gives the same book on every run.

#include "wordbook/wordbookfile.h"

#include <QString>

#include <iterator>
#include <random>

namespace bookmaker {

// A syllable in its three spellings; stressed, it takes U+0301, "ˈ" and a long mark.
struct Syllable {
    const char16_t *russian;
    const char16_t *ipa;
    const char16_t *kana;
};

inline constexpr Syllable kSyllables[] = {
    {u"ка", u"ka", u"カ"},         {u"ро", u"ro", u"ロ"},     {u"ли", u"lʲi", u"リ"},
    {u"мо", u"mo", u"モ"},         {u"ни", u"nʲi", u"ニ"},    {u"ва", u"va", u"ヴァ"},
    {u"сте", u"sʲtʲe", u"スチェ"}, {u"пра", u"pra", u"プラ"}, {u"ду", u"du", u"ドゥ"},
    {u"жи", u"ʐɨ", u"ジ"},         {u"зна", u"zna", u"ズナ"}, {u"чи", u"tɕi", u"チ"},
    {u"бо", u"bo", u"ボ"},         {u"гу", u"ɡu", u"グ"},     {u"ше", u"ʂɛ", u"シェ"},
    {u"ры", u"rɨ", u"ルィ"},
};

inline constexpr Syllable kEndings[] = {
    {u"", u"", u""},     {u"ть", u"tʲ", u"チ"}, {u"й", u"j", u"イ"},
    {u"к", u"k", u"ク"}, {u"м", u"m", u"ム"},
};

inline constexpr const char16_t *kMeanings[] = {
    u"本",   u"読む",   u"話す", u"大きい", u"家",   u"学校",   u"先生", u"水",
    u"友達", u"美しい", u"速く", u"働く",   u"仕事", u"天気",   u"今日", u"考える",
    u"駅",   u"新しい", u"手紙", u"覚える", u"町",   u"静かな", u"買う", u"窓",
};

inline constexpr const char16_t *kRemarks[] = {
    u"不完了体",   u"完了体",   u"男性名詞", u"女性名詞", u"中性名詞",
    u"複数形のみ", u"生格支配", u"口語",     u"第2変化",  u"不規則変化",
};

} // namespace bookmaker

// Entry i of the made-up book: every tenth a two-word phrase, every seventh capitalised,
// remarks on every third, a quotation mark and a line break in a few.
class BookMaker {
public:
    WordEntry entry(int i)
    {
        WordEntry entry;
        addWord(entry, i % 7 == 0);
        if (i % 10 == 0) {
            entry[EntryField::Russian] += u' ';
            entry[EntryField::Cue] += u' ';
            entry[EntryField::Kana] += u'・';
            addWord(entry, false);
        }
        addMeanings(entry[EntryField::Japanese]);
        QString &remarks = entry[EntryField::Remarks];
        if (i % 3 == 0)
            remarks = QString::fromUtf16(bookmaker::kRemarks[pick(std::size(bookmaker::kRemarks))]);
        if (i % 97 == 0)
            remarks += QStringLiteral("、\"") + entry[EntryField::Russian] + u'"';
        if (i % 89 == 0)
            remarks += QStringLiteral("#$0D例: Я читаю книгу.");
        return entry;
    }

private:
    int pick(size_t n) { return int(m_random() % n); }

    void addMeanings(QString &japanese)
    {
        for (int n = 1 + pick(3); n > 0; --n) {
            japanese +=
                QString::fromUtf16(bookmaker::kMeanings[pick(std::size(bookmaker::kMeanings))]);
            if (n > 1)
                japanese += u'、';
        }
    }

    void addWord(WordEntry &entry, bool capital)
    {
        const int syllables = 1 + pick(4);
        const int stressed = pick(size_t(syllables));
        QString russian;
        for (int s = 0; s < syllables; ++s) {
            const bookmaker::Syllable &syllable =
                bookmaker::kSyllables[pick(std::size(bookmaker::kSyllables))];
            russian += QString::fromUtf16(syllable.russian);
            if (s == stressed) {
                russian += QChar(0x0301);
                entry[EntryField::Cue] += u'ˈ';
            }
            entry[EntryField::Cue] += QString::fromUtf16(syllable.ipa);
            entry[EntryField::Kana] += QString::fromUtf16(syllable.kana);
            if (s == stressed)
                entry[EntryField::Kana] += u'ー';
        }
        const bookmaker::Syllable &ending =
            bookmaker::kEndings[pick(std::size(bookmaker::kEndings))];
        russian += QString::fromUtf16(ending.russian);
        entry[EntryField::Cue] += QString::fromUtf16(ending.ipa);
        entry[EntryField::Kana] += QString::fromUtf16(ending.kana);
        if (capital)
            russian[0] = russian[0].toUpper();
        entry[EntryField::Russian] += russian;
    }

    std::mt19937 m_random{1};
};

// A vocabulary book of `entries` made-up entries.
inline WordBook MakeBook(int entries, const QString &title = QStringLiteral("ロシア語 10万語"))
{
    WordBook book{title, QStringLiteral("ベンチ"), QuestionType::Vocabulary, {}};
    BookMaker maker;
    book.entries.reserve(entries);
    for (int i = 0; i < entries; ++i)
        book.entries.append(maker.entry(i));
    return book;
}
