#pragma once

#include <QString>
#include <QStringView>

// What the second field of a word book's entries holds, and so how practice asks and how the
// word list draws and captions that column.
enum class QuestionType {
    Vocabulary,  // the pronunciation in IPA
    FillInBlank, // a Russian sentence with a blank that the entry's Russian fills
    Composition, // a Japanese instruction for composing the Russian
};

// The type a word book's type line names: either stored name of a type, compared exactly;
// any other text, the empty line included, is the vocabulary type.
QuestionType QuestionTypeOf(QStringView typeLine);

// The name written into the type line ("単語理解", "空欄補充", "作文問題").
QString StoredName(QuestionType type);
// The shelf's abbreviation ("VB", "FB", "CO").
QString QuestionAbbreviation(QuestionType type);
// The word list's caption of the cue column ("発音記号", "空欄文", "指示文").
QString CueCaption(QuestionType type);
