#include "core/settingstable.h"
#include "core/ulib.h"
#include "mainwin/compositionareas.h"
#include "practice/questionarea.h"
#include "testenv.h"
#include "wordbook/bookprinting.h"
#include "wordbook/reportview.h"
#include "wordbook/tframe6.h"
#include "wordbook/wordlistdelegate.h"
#include "wordbook/wordlistmodel.h"

#include <QLineEdit>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace {

using Render = std::function<QImage(const QString &)>;

// The box around the pixels where two pictures of one place differ: the ink that the longer
// text adds.
QRect inkAdded(const QImage &with, const QImage &without)
{
    QRect ink;
    const QImage a = with.convertToFormat(QImage::Format_RGB32);
    const QImage b = without.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return {};
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 60)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// Empty when the acute on the vowel of "кни́га" (or of "本 кни́га") lies over и: its centre
// over the middle of и's ink, its foot near the letter's top; else what is wrong.
QString stressOnVowel(const Render &render, const QString &lead)
{
    const QString before = lead + u"кн"_qs;
    const QRect vowel = inkAdded(render(before + u'и'), render(before));
    const QRect mark = inkAdded(render(before + u"и\u0301га"_qs), render(before + u"ига"_qs));
    if (vowel.isEmpty() || mark.isEmpty())
        return u"no ink for the vowel or the mark"_qs;
    const double shift = std::abs(mark.center().x() - vowel.center().x());
    const QString where = u" (mark %1..%2 foot %3, и %4..%5 top %6)"_qs.arg(
        QString::number(mark.left()), QString::number(mark.right()), QString::number(mark.bottom()),
        QString::number(vowel.left()), QString::number(vowel.right()),
        QString::number(vowel.top()));
    // A pixel of rounding either way at screen sizes.
    if (shift > std::max(1.5, vowel.width() / 4.0))
        return u"the mark is not over its vowel"_qs + where;
    if (mark.bottom() > vowel.top() + vowel.height() / 3 ||
        mark.bottom() < vowel.top() - vowel.height())
        return u"the mark sinks into its vowel or floats above it"_qs + where;
    return {};
}

// Left-aligned, so that a longer text leaves the shorter one where it was.
Render lineEditRender(QLineEdit *edit)
{
    edit->setAlignment(Qt::AlignLeft);
    return [edit](const QString &text) {
        edit->setText(text);
        edit->setCursorPosition(0);
        return edit->grab().toImage();
    };
}

Render wordListRender(QWidget *root, EntryField field)
{
    auto *view = new ReportView(28, true, root);
    auto *model = new WordListModel(view);
    view->setModel(model);
    view->setItemDelegate(new WordListDelegate(model, 28, view));
    view->resize(1400, 120);
    return [view, model, field](const QString &text) {
        WordEntry entry;
        entry[field] = text;
        model->setEntries({entry});
        return view->viewport()->grab().toImage();
    };
}

// The page as a viewer shows it, at 200 dpi.
Render printRender(const QString &folder, EntryField field)
{
    return [folder, field](const QString &text) {
        const QString pdf = folder + u"/list.pdf"_qs;
        {
            QPdfWriter writer(pdf);
            WordEntry entry;
            entry[EntryField::Russian] = u"да"_qs;
            entry[field] = text;
            if (!PrintWordBook(&writer, {u"本"_qs, u"組"_qs, QuestionType::Vocabulary, {entry}},
                               BlankColumn::None))
                return QImage();
        }
        QProcess::execute(u"pdftoppm"_qs, {u"-r"_qs, u"200"_qs, u"-singlefile"_qs, u"-gray"_qs, pdf,
                                           folder + u"/page"_qs});
        return QImage(folder + u"/page.pgm"_qs);
    };
}

} // namespace

class TestStressMarks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void stressSitsOnItsVowel_data();
    void stressSitsOnItsVowel();

private:
    std::unique_ptr<TempHome> m_home;
};

void TestStressMarks::initTestCase()
{
    m_home = std::make_unique<TempHome>();
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
}

void TestStressMarks::stressSitsOnItsVowel_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("lead");
    const char *const japanese[] = {"word list 日本語", "word list 備考",  "register 日本語",
                                    "register 備考",    "practice 日本語", "practice 指示文",
                                    "printed 日本語"};
    for (const char *place : japanese)
        QTest::newRow(place) << QString::fromUtf8(place) << u"本 "_qs;
    const char *const russian[] = {"word list ロシア語", "Russian area", "practice 解答欄",
                                   "printed ロシア語"};
    for (const char *place : russian)
        QTest::newRow(place) << QString::fromUtf8(place) << QString();
}

void TestStressMarks::stressSitsOnItsVowel()
{
    QFETCH(QString, place);
    QFETCH(QString, lead);
    QWidget root;
    QTemporaryDir folder;
    Render render;
    if (place.startsWith(u"word list"_qs)) {
        const EntryField field = place.endsWith(u"日本語"_qs) ? EntryField::Japanese
                                 : place.endsWith(u"備考"_qs) ? EntryField::Remarks
                                                              : EntryField::Russian;
        render = wordListRender(&root, field);
    } else if (place.startsWith(u"printed"_qs)) {
        render = printRender(folder.path(), place.endsWith(u"日本語"_qs) ? EntryField::Japanese
                                                                         : EntryField::Russian);
    } else if (place.startsWith(u"register"_qs)) {
        auto *frame = new TFrame6(&root);
        frame->resize(800, 400);
        if (place.endsWith(u"日本語"_qs)) {
            render = lineEditRender(frame->japaneseField());
        } else {
            auto *memo = frame->findChild<QPlainTextEdit *>();
            render = [memo](const QString &text) {
                memo->setPlainText(text);
                return memo->viewport()->grab().toImage();
            };
        }
    } else if (place == u"Russian area"_qs) {
        auto *areas = new CompositionAreas(&root);
        QPlainTextEdit *memo = areas->russianArea();
        memo->resize(600, 200);
        render = [memo](const QString &text) {
            memo->setPlainText(text);
            return memo->viewport()->grab().toImage();
        };
    } else {
        auto *area = new QuestionArea(&root);
        area->resize(900, 600);
        const char *name = place.endsWith(u"日本語"_qs)   ? "Edit2"
                           : place.endsWith(u"指示文"_qs) ? "Edit6"
                                                          : "Edit4";
        render = lineEditRender(area->findChild<QLineEdit *>(QLatin1StringView(name)));
    }
    root.resize(1400, 900);
    root.show();
    QVERIFY(QTest::qWaitForWindowExposed(&root));
    const QString fault = stressOnVowel(render, lead);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(TestStressMarks)
#include "tst_stressmarks.moc"
