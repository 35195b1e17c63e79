#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;
class TRusPad;

// The key rules every Russian text field shares: while Usr.AccentFlg holds, "/" types the
// combining acute accent U+0301 and "\" the grave accent U+0300 in place of the selection
// (Ctrl and Alt combinations pass); and the Russian pad, when one is attached, turns to its
// shifted page while Shift is held in the field. Works on line edits and plain text edits; owned by
// the field. Install it before RussianField, so it sees the characters the layout engine types.
class AccentKeys : public QObject {
    Q_OBJECT

public:
    static AccentKeys *install(QWidget *field, TRusPad *pad = nullptr);

    void setPad(TRusPad *pad) { m_pad = pad; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AccentKeys(QWidget *field, TRusPad *pad);
    bool typeAccent(const QKeyEvent *key);
    void followShift(const QKeyEvent *key, bool down);
    void releaseShift();

    QWidget *m_field;
    QPointer<TRusPad> m_pad;
    // Shift went down in the field and has not come up there.
    bool m_shiftHeld = false;
};
