#include "compositionareas.h"

#include "compositiontext.h"
#include "core/ulib.h"
#include "input/accentkeys.h"
#include "input/imeswitch.h"
#include "input/inputmethodgate.h"
#include "input/russianfield.h"
#include "input/truspad.h"
#include "ipa/candidatefilter.h"
#include "ipa/tipapad.h"
#include "transfer/areafonts.h"
#include "widgets/exactfields.h"
#include "widgets/fixedcolours.h"
#include "widgets/messagebox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolTip>

namespace {

// The areas' names, as the help calls them; screen readers say them.
const QString kRussianAreaName = QStringLiteral("ロシア語入力エリア");
const QString kIpaLineName = QStringLiteral("発音記号入力欄");

// The area's font is the font its rich transfer carries, so a paste looks like the area.
QFont areaFont(const RichFont &rich, QFont::StyleHint hint)
{
    QFont font(rich.family);
    font.setStyleHint(hint);
    font.setPointSize(rich.pointSize);
    return font;
}

// A modifier key alone types nothing, and neither area nor any widget above them acts on it.
// The filters that follow Shift have seen it when this one runs, the last of the areas'; it
// stops here instead of being offered to every parent up to the window, at each capital.
bool IsModifierKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    switch (static_cast<const QKeyEvent *>(event)->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

// Tab and Shift+Tab move the focus out of the Russian area (tabChangesFocus), and so they do with
// Ctrl: a tab character has no place in a Russian word or sentence.
bool IsTabKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

} // namespace

CompositionAreas::CompositionAreas(QWidget *parent)
    : QObject(parent)
    , m_memo(new QPlainTextEdit(parent))
    , m_edit(WithoutLengthLimit(new QLineEdit(parent)))
{
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_memo->setAccessibleName(kRussianAreaName);
    m_edit->setAccessibleName(kIpaLineName);
    m_memo->setTabChangesFocus(true);
    // Top to bottom: the IPA line, then the Russian area and its pad. Tab from the IPA line
    // would show the IPA pad, so the Russian pad's "AC" is reached from the Russian area.
    QWidget::setTabOrder(m_edit, m_memo);
    m_memo->installEventFilter(this);
    m_accentKeys = AccentKeys::install(m_memo);
    m_russianField = RussianField::install(m_memo);
    m_edit->installEventFilter(this);
    // The IPA line types candidates itself; in kana mode it is a Japanese field.
    m_ipaGate = InputMethodGate::install(m_edit, [] { return !Usr.KanaFlg; });
    installIpaCandidates(m_edit, {[this] {
                                      if (m_ipaPad)
                                          m_ipaPad->DispArrIPA();
                                  },
                                  [this](const QString &s) { OutputIPAString(s); }});
    applyFonts();
    applyScrollBars();
    showImeNumResponse();
}

void CompositionAreas::attachPads(TRusPad *rusPad, TIPAPad *ipaPad, QTabWidget *padPages)
{
    m_ipaPad = ipaPad;
    m_padPages = padPages;
    m_accentKeys->setPad(rusPad);
    connect(rusPad, &TRusPad::keyText, this, &CompositionAreas::OutputString);
    connect(ipaPad, &TIPAPad::candidateClicked, this, &CompositionAreas::OutputIPAString);
}

void CompositionAreas::OutputString(const QString &s)
{
    QTextCursor cursor = m_memo->textCursor();
    cursor.insertText(s);
    m_memo->setFocus();
    m_memo->setTextCursor(cursor);
    Memo1Enter();
}

void CompositionAreas::OutputIPAString(const QString &s)
{
    InsertIpaText(m_edit, s);
    Edit1Enter();
}

void CompositionAreas::applyFonts()
{
    m_memo->setFont(areaFont(RussianRichFont(), QFont::Serif));
    m_edit->setFont(areaFont(IpaRichFont(), QFont::SansSerif));
}

void CompositionAreas::setKanaMode(bool on)
{
    Usr.KanaFlg = on;
    m_ipaGate->refresh();
    applyFonts();
    m_edit->clear();
}

void CompositionAreas::ImePauseExecute()
{
    Sys.ImeNumFlg = !Sys.ImeNumFlg;
    showImeNumResponse();
    if (Sys.ImeNumFlg)
        LoadInitIme();
    else
        LoadGaIme();
}

void CompositionAreas::showImeNumResponse()
{
    SetFixedBackground(m_memo, QPalette::Base,
                       Sys.ImeNumFlg ? QToolTip::palette().color(QPalette::ToolTipBase)
                                     : QColor(Qt::white));
}

void CompositionAreas::takeEntry(const QString &russian, const QString &ipaText)
{
    m_edit->setText(ipaText);
    m_edit->setCursorPosition(0);
    if (russian.isEmpty())
        return;
    m_memo->setFocus();
    if (Usr.ResetInputFlg) {
        m_memo->setPlainText(russian);
        m_memo->moveCursor(QTextCursor::End);
    } else {
        m_memo->insertPlainText(russian);
    }
}

void CompositionAreas::completePendingInput()
{
    m_russianField->flushPending();
}

void CompositionAreas::clearAreas()
{
    m_edit->clear();
    m_memo->clear();
}

void CompositionAreas::applyScrollBars()
{
    const auto policy = Usr.ScrollFlg ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    m_memo->setVerticalScrollBarPolicy(policy);
    m_memo->setHorizontalScrollBarPolicy(policy);
    m_memo->setLineWrapMode(Usr.ScrollFlg ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
}

void CompositionAreas::RemoveAc()
{
    const auto result = RemoveAccentsResult(ExactPlainText(m_memo));
    if (!result)
        return;
    if (!Confirm(kRussianAreaName +
                     QStringLiteral("のアクセント記号をすべて取りますがよろしいですか？"),
                 m_memo))
        return;
    m_memo->setPlainText(*result);
    m_memo->moveCursor(QTextCursor::End);
}

QString CompositionAreas::activeText() const
{
    return Sys.TransMainFlg ? ExactPlainText(m_memo) : m_edit->text();
}

void CompositionAreas::showCharacterCount()
{
    ShowInformation(CounterText(AreaLength(activeText()), Sys.TransMainFlg), m_memo);
}

void CompositionAreas::showCodes(bool hexadecimal)
{
    const QString message = CodeCheckerText(activeText(), Sys.TransMainFlg, hexadecimal);
    if (!message.isEmpty())
        ShowInformation(message, m_memo);
}

void CompositionAreas::Memo1Enter()
{
    if (m_padPages)
        m_padPages->setCurrentIndex(0);
    LoadGaIme();
    Sys.TransMainFlg = true;
    Q_EMIT activeAreaChanged(true);
}

void CompositionAreas::Edit1Enter()
{
    if (m_padPages)
        m_padPages->setCurrentIndex(1);
    Sys.TransMainFlg = false;
    Q_EMIT activeAreaChanged(false);
    LoadInitIme();
}

bool CompositionAreas::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_memo)
            Memo1Enter();
        else if (watched == m_edit)
            Edit1Enter();
    }
    if (watched == m_memo && IsTabKey(event))
        return moveFocusOnTab(static_cast<QKeyEvent *>(event));
    return IsModifierKey(event);
}

// With Ctrl held the area would type the tab; the key goes on without Ctrl, which moves the
// focus as Tab and Shift+Tab do.
bool CompositionAreas::moveFocusOnTab(const QKeyEvent *key)
{
    if (!(key->modifiers() & Qt::ControlModifier))
        return false;
    QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ControlModifier);
    QCoreApplication::sendEvent(m_memo, &plain);
    return true;
}
