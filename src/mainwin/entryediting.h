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

    // Opens the book titled `title` on the shelf and the modify dialog on its entry at
    // `index` (0-based); CallFlg holds meanwhile. CallWord2 is the search window's call and
    // closes `searchWindow` once the dialog has closed; CallWord3 the practice window's.
    void CallWord2(const QString &title, int index, QWidget *searchWindow);
    void CallWord3(const QString &title, int index);
    // The practice window's request: the class and book folder of the practised book (PClassRoom,
    // PFIndex), then its entry Pnumber of PTitle.
    void CallModFrm3();

private:
    void openEntryForEditing(const QString &title, int index);

    WordBookCommands *m_wordBooks;
    MainBody *m_body;
};
