#include "searchforms.h"

#include <QApplication>
#include <QWidget>

bool SearchForms(const QString &name)
{
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [&](const QWidget *w) { return w->isVisible() && w->objectName() == name; });
}
