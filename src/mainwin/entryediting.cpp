#include "entryediting.h"

#include "compositionareas.h"
#include "core/ulib.h"
#include "mainbody.h"
#include "widgets/exactfields.h"
#include "widgets/mainactions.h"
#include "widgets/messagebox.h"
#include "wordbook/reportview.h"
#include "wordbook/tmodfrm.h"
#include "wordbook/tregfrm.h"
#include "wordbook/tsearchfrm.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookpage.h"
#include "wordbook/wordlistmodel.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTabWidget>

EntryEditing::EntryEditing(WordBookCommands *wordBooks, MainBody *body)
    : QObject(body)
    , m_wordBooks(wordBooks)
    , m_body(body)
{
    MainActions *actions = wordBooks->actions();
    connect(actions->RegWord, &QAction::triggered, this, &EntryEditing::RegWordExecute);
    connect(actions->ModWord, &QAction::triggered, this, &EntryEditing::ModWordExecute);
    connect(actions->SearchWord, &QAction::triggered, this, &EntryEditing::SearchWordExecute);
}

void EntryEditing::RegWordExecute()
{
    CompositionAreas *areas = m_body->areas();
    areas->completePendingInput();
    TRegFrm dialog(m_wordBooks, ExactPlainText(areas->russianArea()), areas->ipaLine()->text());
    connect(&dialog, &TRegFrm::registered, areas, [areas] {
        if (Usr.RegClearFlg)
            areas->clearAreas();
    });
    dialog.exec();
}

void EntryEditing::ModWordExecute()
{
    TModFrm dialog(m_wordBooks);
    dialog.exec();
}

void EntryEditing::SearchWordExecute()
{
    TSearchFrm dialog(m_wordBooks->window());
    connect(&dialog, &TSearchFrm::inputRequested, m_body->areas(), &CompositionAreas::OutputString);
    connect(&dialog, &TSearchFrm::editRequested, this,
            [this, &dialog](int classRoom, int bookFolder, const QString &title, int index) {
                CallModFrm1(classRoom, bookFolder, title, index, &dialog);
            });
    dialog.exec();
}

void EntryEditing::CallModFrm1(int classRoom, int bookFolder, const QString &title, int index,
                               QWidget *searchWindow)
{
    if (classRoom != Usr.ClassRoom) {
        Usr.ClassRoom = classRoom;
        m_wordBooks->page()->showClassRoom(classRoom);
        m_wordBooks->SubFunction();
    }
    m_wordBooks->page()->selectBookFolder(bookFolder);
    CallWord2(title, index, searchWindow);
}

bool EntryEditing::openEntryForEditing(const QString &title, int index)
{
    Sys.CallFlg = true;
    const auto endOfCall = qScopeGuard([] { Sys.CallFlg = false; });
    m_body->pageControl()->setCurrentIndex(0);
    m_wordBooks->SelectWB(title);
    if (Sys.TC_Title != title)
        return false;
    WordListModel *words = m_wordBooks->page()->wordListModel();
    if (index < 0 || index >= words->rowCount())
        return false;
    ReportView *list = m_wordBooks->page()->wordList();
    list->selectRow(index);
    list->scrollTo(words->index(index, 0));
    m_wordBooks->ListView1Click();
    m_wordBooks->actions()->ModWord->trigger();
    return true;
}

void EntryEditing::CallWord2(const QString &title, int index, QWidget *searchWindow)
{
    openEntryForEditing(title, index);
    if (searchWindow)
        searchWindow->close();
}

bool EntryEditing::CallWord3(const QString &title, int index)
{
    return openEntryForEditing(title, index);
}

void EntryEditing::CallModFrm3()
{
    QWidget *window = m_wordBooks->window();
    window->show();
    window->raise();
    window->activateWindow();
    if (Sys.Pnumber < 1 || Sys.PTitle.isEmpty())
        return;
    if (Usr.ClassRoom != Usr.PClassRoom) {
        Usr.ClassRoom = Usr.PClassRoom;
        m_wordBooks->page()->showClassRoom(Usr.ClassRoom);
        m_wordBooks->SubFunction();
    }
    m_wordBooks->page()->selectBookFolder(Usr.PFIndex);
    // The practice window has closed; the user is told why no dialog follows.
    if (!CallWord3(Sys.PTitle, Sys.Pnumber - 1))
        ShowWarning(QStringLiteral("練習していた単語帳「%1」の%2番の単語が見つかりませんでした。")
                        .arg(Sys.PTitle)
                        .arg(Sys.Pnumber),
                    window);
}
