#pragma once

#include <QDialog>

// "バージョン情報": the program's name and version, its web page, the Qt it was built with,
// and the folders of the settings and the word books, which users are asked for when they
// seek help.
class TVersionFrm : public QDialog {
    Q_OBJECT

public:
    explicit TVersionFrm(QWidget *mainWindow);
};
