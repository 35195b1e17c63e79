#pragma once

#include "ulib.h"

#include <QLatin1StringView>
#include <limits>
#include <span>
#include <variant>

// One row of the settings file: its key, where the value lives and its defaults.
// Existing settings files depend on the keys and on the order of the rows.
struct ColumnWidthSlot {
    int index;
};
using SettingMember =
    std::variant<int UsrVars::*, bool UsrVars::*, QString UsrVars::*, ColumnWidthSlot>;

// The ranges the dialogs offer and the settings file takes back, so that what a dialog sets
// survives the next start: the Russian area's font size in points (the tool bar's size box),
// the IPA line's (the options dialog), and the font scales in percent (the font size
// dialog's sliders).
inline constexpr int kLargestMainFontSize = 500;
inline constexpr int kSmallestIpaFontSize = 1;
inline constexpr int kLargestIpaFontSize = 72;
inline constexpr int kSmallestFontScale = 60;
inline constexpr int kLargestFontScale = 100;

struct SettingDef {
    QLatin1StringView key;
    SettingMember member;
    int intDefault = 0;
    int intDefaultSmall = 0;
    int fallback = 0;
    bool flagDefault = false;
    const char16_t *stringDefault = u"";
    // The default follows the screen size (the small-screen flag).
    bool defaultFromScreen = false;
    // The integers a setting may take; a value read outside keeps the default.
    int minimum = std::numeric_limits<int>::min();
    int maximum = std::numeric_limits<int>::max();
    // The longest text a string setting may take; a longer one keeps the default.
    int maxLength = 256;
};

std::span<const SettingDef> SettingsTable();

// The value of one row, as a reference into `vars`.
using SettingRef = std::variant<int *, bool *, QString *>;
SettingRef ResolveSetting(const SettingDef &def, UsrVars &vars);

// True when a screen of this size asks for the small layout.
bool IsSmallScreen(int screenWidth, int screenHeight);

// Sets every setting and run-only value to its default. `smallScreen` is the screen-size
// default of the small-layout flag; `toolTipBase` is the system's tooltip background.
void InitUsrVars(bool smallScreen, Rgb toolTipBase);

// (ChartMainParam - 70) / 5 truncated toward zero, plus 6.
int ComputeChartMainFSize(int chartMainParam);
