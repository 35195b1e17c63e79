#pragma once

#include <QObject>

class QAction;
class QWidget;

// The main window's named actions. Menu items, tool buttons and context menus share them, so an
// action that is disabled is disabled everywhere, also for its function key.
class MainActions : public QObject {
    Q_OBJECT

public:
    // The actions are added to `window`, so their shortcuts work anywhere in it.
    explicit MainActions(QWidget *window);

    QAction *ImePause;
    QAction *Transfer;
    QAction *RegWord;
    QAction *ModWord;
    QAction *SearchWord;
    QAction *MoveWord;
    QAction *DelWord;
    QAction *NewWB;
    QAction *OpenWB;
    QAction *ChangeWBProperty;
    QAction *DeleteWB;
    QAction *CloseWB;
    QAction *ImportWB;
    QAction *ExportWB;
    QAction *PrintWB;

    // The enabled state when no word book is open.
    void InitWB();
};
