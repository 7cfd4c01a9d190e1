#pragma once

#include "base/CaptureRegion.h"
#include "base/Texts.h"
#include "keys/KeyChord.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a key of the user's choice does, in the order the settings and the keys dialog list them.
enum class TKeyAction {
    Capture,
    CaptureWindow,
    SelectRegion,
    CaptureScreen,
    ScrollCapture,
    ReadText
};
inline constexpr int kKeyActionCount = 6;

// The actions, one row each: where the settings file keeps the key ([Keys]), the keys dialog's
// caption, the key an action has until the user chooses another, and the [File] switch that
// turns it on and off (none: always on). The settings, the keys dialog, the tray menu and the
// watcher all read this table.
struct TKeyActionRow {
    TKeyAction Action;
    std::string_view FileKey;
    TText Caption;
    TKeyChord Default;
    std::string_view Switch;
};
inline constexpr std::array<TKeyActionRow, kKeyActionCount> kKeyActions = {{
    {TKeyAction::Capture, "Capture", TText::KeyCapture, {kKeyPrintScreen, 0}, "SavePrtScrKey"},
    {TKeyAction::CaptureWindow,
     "CaptureWindow",
     TText::KeyCaptureWindow,
     {kKeyPrintScreen, kModAlt},
     "SaveAltPrtScrKey"},
    {TKeyAction::SelectRegion,
     "SelectRegion",
     TText::KeySelectRegion,
     {kKeyPrintScreen, kModCtrl},
     {}},
    {TKeyAction::CaptureScreen,
     "CaptureScreen",
     TText::KeyCaptureScreen,
     {kKeyPrintScreen, kModShift},
     {}},
    {TKeyAction::ScrollCapture,
     "ScrollCapture",
     TText::KeyScrollCapture,
     {kKeyPrintScreen, kModCtrl | kModShift},
     {}},
    {TKeyAction::ReadText,
     "ReadText",
     TText::KeyReadText,
     {kKeyPrintScreen, kModCtrl | kModAlt},
     {}},
}};

constexpr bool ActionsInOrder() {
    for (int i = 0; i < kKeyActionCount; ++i) {
        if (static_cast<int>(kKeyActions[i].Action) != i) {
            return false;
        }
    }
    return true;
}
static_assert(ActionsInOrder(), "each action's row is at its own index");

// The action's name, as its caption gives it without the access key: "現在の矩形範囲を保存".
std::string ActionName(TKeyAction action);

// Each action's key, and whether each is on, in action order.
using TActionKeys = std::array<TKeyChord, kKeyActionCount>;
using TActionsOn = std::array<bool, kKeyActionCount>;

struct TKeyBinding {
    TKeyAction Action;
    TKeyChord Chord;
};
// The keys in use: actions that are on and have a key, no key twice.
using TKeyBindings = std::vector<TKeyBinding>;

// The keys in use: the actions that are on and have a key, a key that two share going to the
// first of them.
TKeyBindings ActiveBindings(const TActionKeys& keys, const TActionsOn& on);

// A key two actions that are on share belongs to the first: the later one's is cleared. An
// action that is off keeps its key, whatever the others have.
void ClearSharedKeys(TActionKeys& keys, const TActionsOn& on);

// The key bound to that action; none when it has none in use.
TKeyChord BoundKey(const TKeyBindings& bindings, TKeyAction action);
