#pragma once

#include "regmoddialog.h"

// "単語編集": the selected entry of the open book, changed in place with "反映 (F8)".
class TModFrm : public RegModDialog {
    Q_OBJECT

public:
    explicit TModFrm(WordBookCommands *commands);

    void ModifyWord();

private:
    void buildBottomBar();
    void InitialDataSet();
};
