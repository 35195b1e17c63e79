#pragma once

#include <QString>
#include <array>

// Process-wide values that cross windows. `Usr` holds the settings of the settings file and
// the run-only values set with them; `Sys` holds the other shared state; `Dirs` the folder
// paths built once at start-up. Everything runs on the user-interface thread.

// An RGB colour as 0xRRGGBB; the core has no GUI types.
using Rgb = quint32;

struct UsrVars {
    // Saved in the settings file; the order of the file is the table in settingstable.cpp.
    int MainLeft = -1;
    int MainTop = -1;
    int MainWidth = 860;
    int MainHeight = 640;
    int PCon1Height = 256;
    int ClassRoom = 0;
    int SClassRoom = 0;
    int PClassRoom = 0;
    int CFIndex = 0;
    int SFIndex = 0;
    int PFIndex = 2;
    int TransIndex = 1;
    int SColumn = 3;
    int MainFontSize = 20;
    int IPAFontSize = 14;
    int FParamMain = 80;
    int FParamIPA = 88;
    int FParamJp = 81;
    int ChartMainParam = 70;
    std::array<int, 7> Lv1ColumnWidth{180, 60, 120, 120, 180, 200, 1};
    bool UnderStretchFlg = true;
    bool LastVisibleFlg = false;
    bool ResetInputFlg = false;
    bool RegClearFlg = true;
    bool KanaFlg = false;
    bool AutoPasteFlg = true;
    bool EiwaFlg = true;
    bool TransClearFlg = false;
    bool ShowHintFlg = true;
    bool NarrowFontsFlg = true;
    bool AutoDoorFlg = true;
    bool SmallPCFlg = false;
    bool SmallChangeFlg = false;
    bool ScrollFlg = false;
    QString UsrMainFont;
    QString UsrIPAFont;
    QString UsrJpFont;
    QString UsrEngFont;
    int RusImeIndex = 3;
    bool AccentFlg = true;
    bool AcIgnoreFlg = true;
    bool AlphabetFlg = true;

    // Derived from ChartMainParam.
    int ChartMainFSize = 6;

    // Run-only: set with the defaults, never written.
    int Panel3Width = 420;
    int PlayLeft = -1;
    int PlayTop = -1;
    int PlayWidth = 740;
    int PlayHeight = 640;
    int RegModLeft = -1;
    int RegModTop = -1;
    int RegModWidth = 600;
    int RegModHeight = 590;
    Rgb RusPadColor = 0x99FF99;
    Rgb IpaPadColor = 0xFFFFE1;
};

struct SysVars {
    QString LeafFile;
    int OBNFSize = -1;
    int IPAFSize = -1;
    int JPNFSize = -1;
    int EngFSize = -1;
    int SeleIndex = -1;
    int CandMax = 0;
    int SelTot = 0;
    int SelNumber = 0;
    // The practice window's hand-off to the modify dialog: the entry number in book PTitle.
    int Pnumber = -1;
    // The character chart's symbol set, 0 to 4; kept while the chart is off, not saved.
    int SymIndex = 0;
    bool LvDrawFlg = true;
    bool PasteEnableFlg = false;
    bool MS_EdgeFlg = false;
    bool SlowPasteFlg = false;
    bool ImeNumFlg = false;
    bool TransMainFlg = true;
    bool WBMenuSFlg = true;
    bool JpMsFlg = true;
    bool CallFlg = false;
    bool CandState = false;
    bool RngSaveFlg = true;
    bool HelpOpenFlg = false;
    bool Check4State = false;
    QString BaseName;
    QString Ufname;
    QString UFolder;
    QString TC_File;
    QString TC_Title;
    QString TC_Group;
    QString TC_Type;
    QString PTitle;
    // The transfer target: a native window id, 0 for none.
    quintptr ForWin = 0;
    Rgb LvBkColor = 0xFFFCF6;
    std::array<int, 8> SortFlags1{};
    std::array<int, 3> SortFlags2{};
    // The ten IPA candidate slots, 0 to 9; filled slots run unbroken from slot 0.
    std::array<QString, 10> arrIPA;
};

struct FolderVars {
    QString SysFolder;
    QString TblFolder;
    QString UsrFolder;
    QString UsrTextFolder;
    QString ICatFolder;
    QString IDicFolder;
    QString IStdFolder;
    QString CatFolder;
    QString ProgFolder;
    QString HelpFolder;
};

extern UsrVars Usr;
extern SysVars Sys;
extern FolderVars Dirs;

// Set when the practice window ends the program; survives InitSysVars.
extern bool TerminateFlg;

// The program version and the class folder names, index = class number.
inline const QString KalvoVersion = QStringLiteral(KALVO_VERSION);
inline const std::array<QString, 6> EUName{QStringLiteral("Class0"), QStringLiteral("Class1"),
                                           QStringLiteral("Class2"), QStringLiteral("Class3"),
                                           QStringLiteral("Class4"), QStringLiteral("Class5")};

// Resets the shared state to its start values (not the folders, not TerminateFlg).
void InitSysVars();
