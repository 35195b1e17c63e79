#include "accentkeys.h"

#include "accentrules.h"
#include "core/ulib.h"
#include "platform/platformservices.h"
#include "truspad.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The Caps Lock key's virtual key number.
constexpr int kCapsLock = 20;

void insertText(QWidget *field, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(field))
        line->insert(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(field))
        plain->insertPlainText(text);
}

} // namespace

AccentKeys *AccentKeys::install(QWidget *field, TRusPad *pad)
{
    auto *keys = new AccentKeys(field, pad);
    field->installEventFilter(keys);
    return keys;
}

AccentKeys::AccentKeys(QWidget *field, TRusPad *pad)
    : QObject(field)
    , m_field(field)
    , m_pad(pad)
{}

bool AccentKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field)
        return false;
    if (event->type() == QEvent::FocusOut)
        releaseShift();
    const bool down = event->type() == QEvent::KeyPress;
    if (!down && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    followShift(key, down);
    return down && typeAccent(key);
}

bool AccentKeys::typeAccent(const QKeyEvent *key)
{
    if (!Usr.AccentFlg || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (key->text().size() != 1)
        return false;
    const QStringView accent = AccentOfKey(key->text().front());
    if (accent.isEmpty())
        return false;
    insertText(m_field, accent.toString());
    return true;
}

void AccentKeys::followShift(const QKeyEvent *key, bool down)
{
    if (!m_pad || key->key() != Qt::Key_Shift || key->isAutoRepeat())
        return;
    m_shiftHeld = down;
    m_pad->followShift(down, GetKeyLock(kCapsLock, key));
}

// Once the focus has left the field (Shift+Tab), Shift comes up elsewhere; the pad shows the
// page without Shift now, as that release would have made it.
void AccentKeys::releaseShift()
{
    if (!m_shiftHeld || !m_pad)
        return;
    m_shiftHeld = false;
    m_pad->followShift(false, GetKeyLock(kCapsLock));
}
