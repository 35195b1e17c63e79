#include "bookmanagement.h"

#include "tchangefrm.h"
#include "tdeletefrm.h"
#include "widgets/mainactions.h"
#include "wordbookcommands.h"

#include <QAction>

BookManagement::BookManagement(WordBookCommands *commands, SaveFileChooser chooser)
    : QObject(commands)
    , m_commands(commands)
    , m_chooser(std::move(chooser))
{
    const MainActions *actions = commands->actions();
    connect(actions->NewWB, &QAction::triggered, this, &BookManagement::NewWBExecute);
    connect(actions->ChangeWBProperty, &QAction::triggered, this,
            &BookManagement::ChangeWBPropertyExecute);
    connect(actions->DeleteWB, &QAction::triggered, this, &BookManagement::DeleteWBExecute);
}

void BookManagement::NewWBExecute()
{
    TNewFrm dialog(m_commands, m_chooser);
    dialog.exec();
}

void BookManagement::ChangeWBPropertyExecute()
{
    TChangeFrm dialog(m_commands);
    dialog.exec();
}

void BookManagement::DeleteWBExecute()
{
    TDeleteFrm dialog(m_commands);
    dialog.exec();
}
