#pragma once

#include <QObject>
#include <QString>

class QProcess;

// Opens documents in the desktop's viewer for their type, through xdg-open, and says when no
// program could show one. Outside a desktop environment xdg-open runs the viewer itself and
// ends with it, so the answer may come only when the viewer is closed; inside one it hands the
// file to the desktop and ends at once.
class DocumentViewer : public QObject {
    Q_OBJECT

public:
    explicit DocumentViewer(QObject *parent = nullptr);
    // A viewer still open stays open: only xdg-open, waiting for it, is ended.
    ~DocumentViewer() override;

    void open(const QString &path);

Q_SIGNALS:
    // xdg-open is missing, or found no program for the document (or that program failed).
    void cannotShow(const QString &path);

private:
    void finish(QProcess *process, const QString &path, bool shown);
};
