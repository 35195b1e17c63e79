#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QPlainTextEdit;
class QWidget;

// The text document the Russian area is opened from and saved to: the "ファイル" menu's
// "開く", "上書き保存", "名前を付けて保存" and "閉じる". The document's name and folder are
// Sys.Ufname and Sys.UFolder.
class TextDocuments : public QObject {
    Q_OBJECT

public:
    // Chooses the file to open, starting in `folder`; empty when cancelled.
    using OpenChooser = std::function<QString(QWidget *parent, const QString &folder)>;
    // Chooses the file to save to, starting in `folder` and proposing `name`; empty when
    // cancelled.
    using SaveChooser =
        std::function<QString(QWidget *parent, const QString &folder, const QString &name)>;

    TextDocuments(QPlainTextEdit *area, QWidget *window);

    // Replaces the file dialogs (tests).
    void setOpenChooser(OpenChooser chooser);
    void setSaveChooser(SaveChooser chooser);

    // "開く": the chosen file's text replaces the area's, the caret goes to the end.
    void openDocument();
    // "上書き保存": writes the area into the current document when that file still exists.
    void saveDocument();
    // "名前を付けて保存": the Japanese layout while the name is chosen, the Russian one after.
    void saveDocumentAs();
    // "閉じる": runs the clear command, then forgets the document's name.
    void closeDocument(const std::function<void()> &clearAreas);
    // Whether "上書き保存" is enabled: a document has a name.
    bool canSave() const;

Q_SIGNALS:
    // The document got a name or lost it: canSave() may have changed.
    void nameChanged();

private:
    // The area's text with a LF between lines, no-break spaces kept.
    QString areaText() const;
    void saveAsWithoutLayout();
    bool write(const QString &path, const QString &text);

    QPlainTextEdit *m_area;
    QWidget *m_window;
    OpenChooser m_chooseOpenPath;
    SaveChooser m_chooseSavePath;
};
