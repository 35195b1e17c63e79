#pragma once

#include <QObject>

class CompositionAreas;
class MainBody;
class QWidget;
class WordBookCommands;

// The main window's register and modify commands (F4 and F5) and the calls that open the
// modify dialog on an entry from another window. The register dialog starts from the
// composition areas' texts and, with "登録後クリア", empties them after registering.
class EntryEditing : public QObject {
    Q_OBJECT

public:
    EntryEditing(WordBookCommands *wordBooks, MainBody *body);

    void RegWordExecute();
    void ModWordExecute();
    // F6: the search window; a hit goes into the Russian area or into the modify dialog.
    void SearchWordExecute();

    // Opens the book titled `title` on the shelf and the modify dialog on its entry at
    // `index` (0-based); CallFlg holds meanwhile. CallWord2 is the search window's call and
    // closes `searchWindow` once the dialog has closed; CallWord3 the practice window's.
    void CallWord2(const QString &title, int index, QWidget *searchWindow);
    // False when the book or the entry is not there.
    bool CallWord3(const QString &title, int index);
    // The practice window's request: the class and book folder of the practised book (PClassRoom,
    // PFIndex), then its entry Pnumber of PTitle.
    void CallModFrm3();

    // The search window's hit in class `classRoom`, book folder `bookFolder` (0 A, 1 G, 2 S):
    // the main window follows them, then CallWord2.
    void CallModFrm1(int classRoom, int bookFolder, const QString &title, int index,
                     QWidget *searchWindow);

private:
    // False when the book or the entry is not there.
    bool openEntryForEditing(const QString &title, int index);

    WordBookCommands *m_wordBooks;
    MainBody *m_body;
};
