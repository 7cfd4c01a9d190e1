#include "keys/KeyChord.h"
#include "keys/KeyFilter.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyChord, ReadInAnyCaseSpacingAndOrderWrittenOneWay) {
    struct Row {
        const char* text;
        std::optional<TKeyChord> chord;
        const char* written;
    } rows[] = {
        {"PrintScreen", TKeyChord{0x2C, 0}, "PrintScreen"},
        {"ctrl+shift+f9", TKeyChord{0x78, kModCtrl | kModShift}, "Ctrl+Shift+F9"},
        {" Shift + Ctrl +F9 ", TKeyChord{0x78, kModCtrl | kModShift}, "Ctrl+Shift+F9"},
        {"Win+Alt+Shift+Ctrl+F24", TKeyChord{0x87, 15}, "Ctrl+Alt+Shift+Win+F24"},
        {"alt+prtsc", TKeyChord{0x2C, kModAlt}, "Alt+PrintScreen"}, // a spelling read only
        {"Control+a", TKeyChord{'A', kModCtrl}, "Ctrl+A"},
        {"Ctrl+7", TKeyChord{'7', kModCtrl}, "Ctrl+7"},
        {"Pause", TKeyChord{0x13, 0}, "Pause"},
        {"Ctrl+Num5", TKeyChord{0x65, kModCtrl}, "Ctrl+Num5"},
        {"", TKeyChord{}, ""}, // no key
        {"  ", TKeyChord{}, ""},
        // Nothing: an unknown name, a modifier alone or twice, two keys, F0 and F25.
        {"Ctrl+Banana", std::nullopt, nullptr},
        {"Ctrl", std::nullopt, nullptr},
        {"Ctrl+", std::nullopt, nullptr},
        {"Ctrl+Ctrl+A", std::nullopt, nullptr},
        {"A+B", std::nullopt, nullptr},
        {"F0", std::nullopt, nullptr},
        {"F25", std::nullopt, nullptr},
        {"+A", std::nullopt, nullptr},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseKeyChord(row.text), row.chord) << row.text;
        if (row.chord) {
            EXPECT_EQ(KeyChordText(*row.chord), row.written) << row.text;
        }
    }
}

TEST(KeyChord, AKeyOfQuorlansMayNotTypeAlone) {
    struct Row {
        TKeyChord chord;
        bool usable;
    } rows[] = {
        {{}, true}, // no key
        {{kKeyPrintScreen, 0}, true},
        {{kKeyF1 + 8, 0}, true},   // F9
        {{0x13, kModShift}, true}, // Shift+Pause
        {{'A', kModCtrl}, true},
        {{'A', kModWin}, true},
        {{'A', 0}, false},
        {{'A', kModShift}, false}, // Shift still types: a capital
        {{kKeySpace, 0}, false},
        {{kKeyEnter, kModShift}, false},
        {{kKeyEscape, 0}, false},
        {{kKeyLeft, 0}, false},
        {{0x62, 0}, false},        // Num2
        {{0xA2, kModAlt}, false},  // a modifier is never the key
        {{0xBA, kModCtrl}, false}, // a key without a name
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsUsableChord(row.chord), row.usable) << KeyChordText(row.chord);
    }
}

TEST(KeyFilter, ABoundKeyIsSwallowedDownAndUpAndNothingElse) {
    TKeyFilter filter;
    filter.SetBindings({{TKeyAction::Capture, {0x2C, 0}},
                        {TKeyAction::SelectRegion, {0x2C, kModCtrl}},
                        {TKeyAction::CaptureWindow, {0x2C, kModAlt}},
                        {TKeyAction::CaptureScreen, {kKeyF1 + 8, kModCtrl}}});
    constexpr TListening kNone = TListening::None, kBox = TListening::KeyBox,
                         kDialog = TListening::Dialog;
    struct Row {
        const char* what;
        bool down;
        TKeyCode key;
        std::uint8_t modifiers;
        TListening listening;
        bool swallowed;
        std::optional<TKeyAction> action;
        bool mask = false;
        bool handed = false;
    } rows[] = {
        {"PrintScreen down", true, 0x2C, 0, kNone, true, TKeyAction::Capture},
        {"its repeat", true, 0x2C, 0, kNone, true, TKeyAction::Capture},
        {"its up", false, 0x2C, 0, kNone, true, std::nullopt},
        {"an up with no swallowed down", false, 0x2C, 0, kNone, false, std::nullopt},
        {"Ctrl down", true, 0xA2, kModCtrl, kNone, false, std::nullopt},
        {"Ctrl+PrintScreen", true, 0x2C, kModCtrl, kNone, true, TKeyAction::SelectRegion},
        {"its up, Ctrl let go first", false, 0x2C, 0, kNone, true, std::nullopt},
        {"Alt+PrintScreen", true, 0x2C, kModAlt, kNone, true, TKeyAction::CaptureWindow, true},
        {"its up", false, 0x2C, kModAlt, kNone, true, std::nullopt},
        {"Shift+PrintScreen: not bound", true, 0x2C, kModShift, kNone, false, std::nullopt},
        {"its up", false, 0x2C, kModShift, kNone, false, std::nullopt},
        {"another key", true, 'A', 0, kNone, false, std::nullopt},
        {"only the low byte is the key", true, 0x12C, 0, kNone, true, TKeyAction::Capture},
        {"its up", false, 0x2C, 0, kNone, true, std::nullopt},
        // The keys dialog choosing a key: a key box gets every press but the dialog's own.
        {"a bound chord in a key box", true, kKeyF1 + 8, kModCtrl, kBox, true, std::nullopt, false,
         true},
        {"its up", false, kKeyF1 + 8, 0, kBox, true, std::nullopt},
        {"a letter in a key box", true, 'A', 0, kBox, true, std::nullopt, false, true},
        {"Alt+A in a key box, Alt masked", true, 'A', kModAlt, kBox, true, std::nullopt, true,
         true},
        {"Tab moves on", true, kKeyTab, 0, kBox, false, std::nullopt},
        {"Shift+Tab too", true, kKeyTab, kModShift, kBox, false, std::nullopt},
        {"Ctrl+Tab is a key", true, kKeyTab, kModCtrl, kBox, true, std::nullopt, false, true},
        {"Enter presses OK", true, kKeyEnter, 0, kBox, false, std::nullopt},
        {"Esc cancels", true, kKeyEscape, 0, kBox, false, std::nullopt},
        {"a modifier alone passes", true, 0xA0, kModShift, kBox, false, std::nullopt},
        // Elsewhere in the dialog a bound key is only swallowed; others reach its buttons.
        {"a bound key on the dialog's buttons", true, 0x2C, 0, kDialog, true, std::nullopt},
        {"its up", false, 0x2C, 0, kDialog, true, std::nullopt},
        {"Space presses a button", true, kKeySpace, 0, kDialog, false, std::nullopt},
    };
    for (const Row& row : rows) {
        const TKeyVerdict verdict = filter.OnKey(row.down, row.key, row.modifiers, row.listening);
        EXPECT_EQ(verdict.Swallow, row.swallowed) << row.what;
        EXPECT_EQ(verdict.Action, row.action) << row.what;
        EXPECT_EQ(verdict.MaskModifiers, row.mask) << row.what;
        EXPECT_EQ(verdict.HandToKeyBox, row.handed) << row.what;
    }
}

TEST(KeyActions, AKeyIsUsedOnceAmongTheActionsThatAreOn) {
    struct Row {
        const char* what;
        TActionKeys keys;
        TActionsOn on;
        TActionKeys cleared;
        std::vector<TKeyAction> bound;
    } rows[] = {
        {"the first of two keeps it",
         {{{0x2C, 0}, {0x2C, kModAlt}, {0x2C, 0}, {}}},
         {true, true, true, true},
         {{{0x2C, 0}, {0x2C, kModAlt}, {}, {}}},
         {TKeyAction::Capture, TKeyAction::CaptureWindow}},
        {"an action that is off keeps its key, and does not take another's",
         {{{0x2C, 0}, {0x2C, kModAlt}, {0x2C, 0}, {}}},
         {false, false, true, true},
         {{{0x2C, 0}, {0x2C, kModAlt}, {0x2C, 0}, {}}},
         {TKeyAction::SelectRegion}},
        {"none is nobody's", {{{}, {}, {}, {}}}, {true, true, true, true}, {{{}, {}, {}, {}}}, {}},
    };
    for (const Row& row : rows) {
        TActionKeys keys = row.keys;
        ClearSharedKeys(keys, row.on);
        EXPECT_EQ(keys, row.cleared) << row.what;
        std::vector<TKeyAction> bound;
        for (const TKeyBinding& binding : ActiveBindings(row.keys, row.on)) {
            bound.push_back(binding.Action);
        }
        EXPECT_EQ(bound, row.bound) << row.what;
    }
}

} // namespace
