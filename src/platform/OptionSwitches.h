#pragma once

#include "base/Texts.h"
#include "platform/OptionValues.h"

#include <array>
#include <string_view>

// The options dialog's plain check boxes, top to bottom in their panel and in the tab order:
// the control's value, its caption (with its access key), its identifier (the e2e driver finds
// it by that), its width at 96 dpi, the key of [File] that keeps the switch it edits (the
// settings table's row of that key), and its panel.
enum class TSwitchPanel { Switches, Capture }; // the switches panel, the capture column beside
struct TOptionSwitch {
    bool TOptionValues::*Control;
    TText Caption;
    int Id;
    int Width;
    std::string_view SettingKey;
    TSwitchPanel Panel = TSwitchPanel::Switches;
};

inline constexpr std::array kOptionSwitches = {
    TOptionSwitch{&TOptionValues::chkPosiAppli, TText::CheckCaptAtSameTime, 1030, 209,
                  "CaptAtSameTime"},
    TOptionSwitch{&TOptionValues::chkPrtSc, TText::CheckPrtSc, 1031, 313, "SavePrtScrKey"},
    TOptionSwitch{&TOptionValues::chkAltPrtSc, TText::CheckAltPrtSc, 1032, 313, "SaveAltPrtScrKey"},
    TOptionSwitch{&TOptionValues::chkUpdate, TText::CheckUpdate, 1033, 301, "IsUpdate"},
    TOptionSwitch{&TOptionValues::chkAppli, TText::CheckAppli, 1034, 237, "ExecApplication"},
    TOptionSwitch{&TOptionValues::chkClipboard, TText::CheckCopyToClipboard, 1036, 237,
                  "CopyToClipboard"},
    TOptionSwitch{&TOptionValues::chkNotify, TText::CheckNotifySaved, 1037, 237, "NotifySaved"},
    TOptionSwitch{&TOptionValues::chkCursor, TText::CheckCaptureCursor, 1038, 158, "CaptureCursor",
                  TSwitchPanel::Capture},
    TOptionSwitch{&TOptionValues::chkMarkup, TText::CheckMarkup, 1039, 150, "Markup",
                  TSwitchPanel::Capture},
};

// The rows of a panel.
constexpr int SwitchRows(TSwitchPanel panel) {
    int rows = 0;
    for (const TOptionSwitch& check : kOptionSwitches) {
        rows += check.Panel == panel;
    }
    return rows;
}

// The switches the dialog has always had; each one after them adds a row to the dialog.
inline constexpr int kFirstOptionSwitches = 5;
