#include "tchangefrm.h"

#include "core/ulib.h"
#include "wordbookcommands.h"

#include <QPushButton>

namespace {

const BookHeaderTexts kTexts{
    QStringLiteral("単語帳のプロパティ変更"),
    {QStringLiteral("項目を変更した後、反映ボタンを押して下さい。")},
    QString(),
    QStringLiteral("反　映"),
};

// The header lines of the open book as Sys holds them.
struct HeaderLines {
    QString title;
    QString group;
    QString type;
};

HeaderLines currentHeader()
{
    return {Sys.TC_Title, Sys.TC_Group, Sys.TC_Type};
}

void setCurrentHeader(const HeaderLines &header)
{
    Sys.TC_Title = header.title;
    Sys.TC_Group = header.group;
    Sys.TC_Type = header.type;
}

} // namespace

TChangeFrm::TChangeFrm(WordBookCommands *commands)
    : BookHeaderForm(kTexts, commands->window())
    , m_commands(commands)
{
    showHeader({Sys.TC_Title, Sys.TC_Group, QuestionTypeOf(Sys.TC_Type)});
    connect(commitButton(), &QPushButton::clicked, this, &TChangeFrm::ChangePropWB);
}

void TChangeFrm::ChangePropWB()
{
    const std::optional<BookHeader> header = enteredHeader();
    if (!header)
        return;
    const HeaderLines old = currentHeader();
    setCurrentHeader({header->title, header->group, StoredName(header->type)});
    // SaveCurrentWB has said why it failed; the open book keeps the header of its file, and the
    // dialog what was entered, to be applied again.
    if (!m_commands->SaveCurrentWB(
            QStringLiteral("タイトル・グループ・問題タイプは変更前のままです。\n"
                           "入力した内容はこの画面に残っています。"))) {
        setCurrentHeader(old);
        return;
    }
    const QString fileName = Sys.TC_File;
    m_commands->SearchCatFolder();
    m_commands->WBMenuClick(fileName);
    accept();
}
