#pragma once

class QLineEdit;
class QPlainTextEdit;

// What the transfer needs of the window's composition areas: the two fields whose text it
// transfers, and emptying both after a paste.
class TransferAreas {
public:
    virtual ~TransferAreas() = default;

    virtual QPlainTextEdit *russianArea() const = 0;
    virtual QLineEdit *ipaLine() const = 0;
    // Types a pending dead key letter of the Russian area into it, so it is transferred too;
    // areas without a layout engine have nothing pending.
    virtual void completePendingInput() {}
    // Empties the IPA line, then the Russian area.
    virtual void clearAreas() = 0;
};
