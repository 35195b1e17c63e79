#include "mainactions.h"

#include <QAction>
#include <QWidget>

namespace {

struct ActionRow {
    QAction *MainActions::*member;
    const char *name;
    const char16_t *text;
    Qt::Key shortcut;
};

// Every action with its menu caption and function key (Qt::Key_unknown: none).
constexpr ActionRow kActions[] = {
    {&MainActions::ImePause, "ImePause", u"英数字入力", Qt::Key_F3},
    {&MainActions::Transfer, "Transfer", u"転送", Qt::Key_F9},
    {&MainActions::RegWord, "RegWord", u"単語登録", Qt::Key_F4},
    {&MainActions::ModWord, "ModWord", u"単語編集", Qt::Key_F5},
    {&MainActions::SearchWord, "SearchWord", u"検索", Qt::Key_F6},
    {&MainActions::MoveWord, "MoveWord", u"単語移動", Qt::Key_unknown},
    {&MainActions::DelWord, "DelWord", u"単語削除", Qt::Key_unknown},
    {&MainActions::NewWB, "NewWB", u"単語帳の新規作成", Qt::Key_unknown},
    {&MainActions::OpenWB, "OpenWB", u"単語帳を開く", Qt::Key_unknown},
    {&MainActions::ChangeWBProperty, "ChangeWBProperty", u"単語帳のプロパティ変更",
     Qt::Key_unknown},
    {&MainActions::DeleteWB, "DeleteWB", u"単語帳の削除", Qt::Key_unknown},
    {&MainActions::CloseWB, "CloseWB", u"単語帳を閉じる", Qt::Key_unknown},
    {&MainActions::ImportWB, "ImportWB", u"単語帳のインポート…", Qt::Key_unknown},
    {&MainActions::ExportWB, "ExportWB", u"単語帳のエクスポート…", Qt::Key_unknown},
    {&MainActions::PrintWB, "PrintWB", u"単語帳の印刷…", Qt::Key_unknown},
};

} // namespace

MainActions::MainActions(QWidget *window)
    : QObject(window)
{
    for (const ActionRow &row : kActions) {
        auto *action = new QAction(QString::fromUtf16(row.text), window);
        action->setObjectName(QLatin1StringView(row.name));
        if (row.shortcut != Qt::Key_unknown) {
            action->setShortcut(row.shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        window->addAction(action);
        this->*row.member = action;
    }
    InitWB();
}

void MainActions::InitWB()
{
    for (QAction *action : {ChangeWBProperty, RegWord, ModWord, DeleteWB, CloseWB, MoveWord,
                            DelWord, ExportWB, PrintWB})
        action->setEnabled(false);
    NewWB->setEnabled(true);
    ImportWB->setEnabled(true);
    SearchWord->setEnabled(true);
}
