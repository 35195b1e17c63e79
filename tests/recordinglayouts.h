#pragma once

#include "input/keyboardlayouts.h"

#include <QStringList>

// Records the layout switches instead of making them; starts on the Japanese layout.
class RecordingLayouts final : public KeyboardLayouts {
public:
    QString currentLayoutName() const override { return active; }
    void activateLayout(const QString &identifier) override
    {
        active = identifier;
        calls.append(identifier);
    }
    QString active = QStringLiteral("00000411");
    QStringList calls;
};
