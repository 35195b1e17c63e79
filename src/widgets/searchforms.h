#pragma once

#include <QString>

// True when an open window of the program has this objectName.
bool SearchForms(const QString &name);
