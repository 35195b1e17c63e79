#pragma once

#include <QIcon>

// The program's icon, drawn from its SVG at the sizes docks, task switchers and title bars
// ask for, so it needs no SVG icon plugin.
QIcon ApplicationIcon();
