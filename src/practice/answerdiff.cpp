#include "answerdiff.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace {

// Longer answers are compositions; their table would grow with the square of the length.
constexpr qsizetype kMaxCells = 4'000'000;

QList<QStringView> characters(QStringView text)
{
    QList<QStringView> out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), int(text.size()));
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        out.append(text.sliced(start, end - start));
        start = end;
    }
    return out;
}

// Marks the expected characters that an edit of least cost from the expected to the typed
// answer changes (a different character) or drops (a missing one); a character the typed
// answer has too many marks the expected one beside it.
std::vector<bool> unmatched(const QList<QStringView> &expected, const QList<QStringView> &typed)
{
    const qsizetype n = expected.size();
    const qsizetype m = typed.size();
    // cost(i, j): edits that turn expected[i..] into typed[j..].
    std::vector<int> costs(size_t((n + 1) * (m + 1)), 0);
    auto cost = [&](qsizetype i, qsizetype j) -> int & { return costs[size_t(i * (m + 1) + j)]; };
    for (qsizetype i = n; i >= 0; --i) {
        for (qsizetype j = m; j >= 0; --j) {
            if (i == n || j == m)
                cost(i, j) = int((n - i) + (m - j));
            else
                cost(i, j) = std::min({cost(i + 1, j + 1) + (expected[i] == typed[j] ? 0 : 1),
                                       cost(i + 1, j) + 1, cost(i, j + 1) + 1});
        }
    }
    std::vector<bool> marks(size_t(n), false);
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < n || j < m) {
        const bool same = i < n && j < m && expected[i] == typed[j];
        if (i < n && j < m && cost(i, j) == cost(i + 1, j + 1) + (same ? 0 : 1)) {
            if (!same)
                marks[size_t(i)] = true;
            ++i;
            ++j;
        } else if (i < n && cost(i, j) == cost(i + 1, j) + 1) {
            marks[size_t(i)] = true;
            ++i;
        } else {
            if (n > 0)
                marks[size_t(std::min(i, n - 1))] = true;
            ++j;
        }
    }
    return marks;
}

// Compares only what lies between the common beginning and the common end of both answers;
// a middle too long to compare is marked whole.
std::vector<bool> differingCharacters(const QList<QStringView> &want, const QList<QStringView> &got)
{
    qsizetype head = 0;
    while (head < want.size() && head < got.size() && want[head] == got[head])
        ++head;
    qsizetype tail = 0;
    while (tail < want.size() - head && tail < got.size() - head &&
           want[want.size() - 1 - tail] == got[got.size() - 1 - tail])
        ++tail;
    const QList<QStringView> wantMiddle = want.mid(head, want.size() - head - tail);
    const QList<QStringView> gotMiddle = got.mid(head, got.size() - head - tail);
    std::vector<bool> marks(size_t(want.size()), false);
    if (wantMiddle.isEmpty()) {
        // Only characters too many: the expected one beside them is marked.
        if (!want.isEmpty())
            marks[size_t(qMin(head, want.size() - 1))] = true;
        return marks;
    }
    std::vector<bool> middle(size_t(wantMiddle.size()), true);
    if ((wantMiddle.size() + 1) * (gotMiddle.size() + 1) <= kMaxCells)
        middle = unmatched(wantMiddle, gotMiddle);
    std::copy(middle.begin(), middle.end(), marks.begin() + head);
    return marks;
}

} // namespace

QList<AnswerPiece> DiffAnswer(QStringView expected, QStringView typed)
{
    const QList<QStringView> want = characters(expected);
    const QList<QStringView> got = characters(typed);
    std::vector<bool> marks(size_t(want.size()), false);
    if (!typed.isEmpty() && expected != typed)
        marks = differingCharacters(want, got);
    QList<AnswerPiece> pieces;
    for (qsizetype i = 0; i < want.size(); ++i) {
        if (!pieces.isEmpty() && pieces.last().differs == marks[size_t(i)])
            pieces.last().text += want[i];
        else
            pieces.append({want[i].toString(), marks[size_t(i)]});
    }
    return pieces;
}

QString AnswerMarkup(QStringView expected, QStringView typed, QStringView markColour)
{
    const QString markStart = QStringLiteral("<span style=\"color:%1\">").arg(markColour);
    // Blanks kept as typed, so a missing or doubled blank shows.
    QString html = QStringLiteral("<span style=\"white-space:pre\">");
    for (const AnswerPiece &piece : DiffAnswer(expected, typed)) {
        const QString text = piece.text.toHtmlEscaped();
        html += piece.differs ? markStart + text + QStringLiteral("</span>") : text;
    }
    return html + QStringLiteral("</span>");
}
