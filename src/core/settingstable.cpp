#include "settingstable.h"

#include <array>

namespace {

// The row's key is the member's own name.
#define KEY(member) QLatin1StringView(#member), &UsrVars::member

constexpr SettingDef integerBySize(QLatin1StringView key, int UsrVars::*m, int def, int small,
                                   int fallback, int minimum, int maximum)
{
    return {.key = key,
            .member = m,
            .intDefault = def,
            .intDefaultSmall = small,
            .fallback = fallback,
            .minimum = minimum,
            .maximum = maximum};
}

constexpr SettingDef integer(QLatin1StringView key, int UsrVars::*m, int def, int fallback,
                             int minimum, int maximum)
{
    return integerBySize(key, m, def, def, fallback, minimum, maximum);
}

// Window places and sizes in pixels: no screen is larger. A negative place centres the
// window; a negative size (the fallback -1) opens it at its minimum size.
constexpr int kFarthestPixel = 10000;

// A class, 0 to 5, or a book folder, 0 (A) to 2 (S).
constexpr SettingDef classIndex(QLatin1StringView key, int UsrVars::*m)
{
    return integer(key, m, 0, 0, 0, 5);
}

constexpr SettingDef folderIndex(QLatin1StringView key, int UsrVars::*m, int def, int fallback)
{
    return integer(key, m, def, fallback, 0, 2);
}

// A choice whose values outside the list keep a meaning of their own (RusImeIndex: no layout
// is activated; TransIndex: nothing is transferred), so they are kept as read; only values no
// program ever wrote are refused.
constexpr SettingDef looseChoice(QLatin1StringView key, int UsrVars::*m, int def)
{
    return integer(key, m, def, def, -999, 999);
}

// A font scale in percent, within what the font size dialog's slider allows.
constexpr SettingDef scale(QLatin1StringView key, int UsrVars::*m, int def)
{
    return integer(key, m, def, def, kSmallestFontScale, kLargestFontScale);
}

constexpr SettingDef flag(QLatin1StringView key, bool UsrVars::*m, bool def)
{
    return {.key = key, .member = m, .flagDefault = def};
}

constexpr SettingDef text(QLatin1StringView key, QString UsrVars::*m, const char16_t *def)
{
    return {.key = key, .member = m, .stringDefault = def};
}

constexpr SettingDef columnWidth(QLatin1StringView key, int index, int def)
{
    return {.key = key,
            .member = ColumnWidthSlot{index},
            .intDefault = def,
            .intDefaultSmall = def,
            .fallback = 50,
            .minimum = 0,
            .maximum = kFarthestPixel};
}

SettingDef screenFlag(QLatin1StringView key, bool UsrVars::*m)
{
    SettingDef def = flag(key, m, false);
    def.defaultFromScreen = true;
    return def;
}

const std::array<SettingDef, 48> &table()
{
    static const std::array<SettingDef, 48> rows{
        integer(KEY(MainLeft), -1, -1, -kFarthestPixel, kFarthestPixel),
        integer(KEY(MainTop), -1, -1, -kFarthestPixel, kFarthestPixel),
        integerBySize(KEY(MainWidth), 860, 790, -1, -1, kFarthestPixel),
        integerBySize(KEY(MainHeight), 640, 570, -1, -1, kFarthestPixel),
        integerBySize(KEY(PCon1Height), 256, 226, 247, 0, kFarthestPixel),
        classIndex(KEY(ClassRoom)),
        classIndex(KEY(SClassRoom)),
        classIndex(KEY(PClassRoom)),
        folderIndex(KEY(CFIndex), 0, 0),
        folderIndex(KEY(SFIndex), 0, 1),
        folderIndex(KEY(PFIndex), 2, 0),
        // Rich text, decimal references, hexadecimal references, Unicode text.
        looseChoice(KEY(TransIndex), 1),
        // The search window's five fields.
        integer(KEY(SColumn), 3, 3, 0, 4),
        // The toolbar offers 8 to 60 points; larger ones may be typed.
        integer(KEY(MainFontSize), 20, 20, 1, kLargestMainFontSize),
        // The options dialog takes 1 to 72 points.
        integer(KEY(IPAFontSize), 14, 14, kSmallestIpaFontSize, kLargestIpaFontSize),
        scale(KEY(FParamMain), 80),
        scale(KEY(FParamIPA), 88),
        scale(KEY(FParamJp), 81),
        scale(KEY(ChartMainParam), 70),
        columnWidth(QLatin1StringView("Lv1ColumnWidth0"), 0, 180),
        columnWidth(QLatin1StringView("Lv1ColumnWidth1"), 1, 60),
        columnWidth(QLatin1StringView("Lv1ColumnWidth2"), 2, 120),
        columnWidth(QLatin1StringView("Lv1ColumnWidth3"), 3, 120),
        columnWidth(QLatin1StringView("Lv1ColumnWidth4"), 4, 180),
        columnWidth(QLatin1StringView("Lv1ColumnWidth5"), 5, 200),
        columnWidth(QLatin1StringView("Lv1ColumnWidth6"), 6, 1),
        flag(KEY(UnderStretchFlg), true),
        flag(KEY(LastVisibleFlg), false),
        flag(KEY(ResetInputFlg), false),
        flag(KEY(RegClearFlg), true),
        flag(KEY(KanaFlg), false),
        flag(KEY(AutoPasteFlg), true),
        flag(KEY(EiwaFlg), true),
        flag(KEY(TransClearFlg), false),
        flag(KEY(ShowHintFlg), true),
        flag(KEY(NarrowFontsFlg), true),
        flag(KEY(AutoDoorFlg), true),
        screenFlag(KEY(SmallPCFlg)),
        flag(KEY(SmallChangeFlg), false),
        flag(KEY(ScrollFlg), false),
        text(KEY(UsrMainFont), u"Times New Roman"),
        text(KEY(UsrIPAFont), u"Segoe UI"),
        text(KEY(UsrJpFont), u"游ゴシック Medium"),
        text(KEY(UsrEngFont), u"Segoe UI"),
        // Standard, typewriter, mnemonic.
        looseChoice(KEY(RusImeIndex), 3),
        flag(KEY(AccentFlg), true),
        flag(KEY(AcIgnoreFlg), true),
        flag(KEY(AlphabetFlg), true),
    };
    return rows;
}

#undef KEY

void setDefault(const SettingDef &def, bool smallScreen)
{
    std::visit(
        [&](auto *value) {
            using T = std::remove_pointer_t<decltype(value)>;
            if constexpr (std::is_same_v<T, int>)
                *value = smallScreen ? def.intDefaultSmall : def.intDefault;
            else if constexpr (std::is_same_v<T, bool>)
                *value = def.defaultFromScreen ? smallScreen : def.flagDefault;
            else
                *value = QString::fromUtf16(def.stringDefault);
        },
        ResolveSetting(def, Usr));
}

void setRunOnlyDefaults(bool smallScreen, Rgb toolTipBase)
{
    Usr.Panel3Width = smallScreen ? 390 : 420;
    Usr.PlayLeft = -1;
    Usr.PlayTop = -1;
    Usr.PlayWidth = 740;
    Usr.PlayHeight = 640;
    Usr.RegModLeft = -1;
    Usr.RegModTop = -1;
    Usr.RegModWidth = 600;
    Usr.RegModHeight = smallScreen ? 570 : 590;
    Usr.RusPadColor = 0x99FF99;
    Usr.IpaPadColor = toolTipBase;
}

} // namespace

std::span<const SettingDef> SettingsTable()
{
    return table();
}

SettingRef ResolveSetting(const SettingDef &def, UsrVars &vars)
{
    return std::visit(
        [&](auto member) -> SettingRef {
            if constexpr (std::is_same_v<decltype(member), ColumnWidthSlot>)
                return &vars.Lv1ColumnWidth[size_t(member.index)];
            else
                return &(vars.*member);
        },
        def.member);
}

bool IsSmallScreen(int screenWidth, int screenHeight)
{
    return screenWidth < 900 || screenHeight < 680;
}

int ComputeChartMainFSize(int chartMainParam)
{
    return (chartMainParam - 70) / 5 + 6;
}

void InitUsrVars(bool smallScreen, Rgb toolTipBase)
{
    for (const SettingDef &def : table())
        setDefault(def, smallScreen);
    Usr.ChartMainFSize = ComputeChartMainFSize(Usr.ChartMainParam);
    setRunOnlyDefaults(smallScreen, toolTipBase);
}
