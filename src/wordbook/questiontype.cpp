#include "questiontype.h"

namespace {

struct TypeRow {
    QuestionType type;
    const char16_t *storedName;
    const char16_t *englishName;
    const char16_t *abbreviation;
    const char16_t *cueCaption;
};

constexpr TypeRow kTypes[] = {
    {QuestionType::Vocabulary, u"単語理解", u"Vocabulary_Building", u"VB", u"発音記号"},
    {QuestionType::FillInBlank, u"空欄補充", u"Fill_in_the_Blank", u"FB", u"空欄文"},
    {QuestionType::Composition, u"作文問題", u"Composition", u"CO", u"指示文"},
};

const TypeRow &rowOf(QuestionType type)
{
    for (const TypeRow &row : kTypes) {
        if (row.type == type)
            return row;
    }
    return kTypes[0];
}

} // namespace

QuestionType QuestionTypeOf(QStringView typeLine)
{
    for (const TypeRow &row : kTypes) {
        if (typeLine == QStringView(row.storedName) || typeLine == QStringView(row.englishName))
            return row.type;
    }
    return QuestionType::Vocabulary;
}

QString StoredName(QuestionType type)
{
    return QString::fromUtf16(rowOf(type).storedName);
}

QString QuestionAbbreviation(QuestionType type)
{
    return QString::fromUtf16(rowOf(type).abbreviation);
}

QString CueCaption(QuestionType type)
{
    return QString::fromUtf16(rowOf(type).cueCaption);
}
