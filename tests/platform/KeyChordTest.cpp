#include "platform/KeyBindings.h"
#include "platform/KeyChord.h"

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

TEST(KeyFilter, ABoundKeyIsSwallowedDownAndUpAndNothingElse) {
    TKeyFilter filter;
    filter.SetBindings({{TKeyAction::Capture, {0x2C, 0}},
                        {TKeyAction::SelectRegion, {0x2C, kModCtrl}},
                        {TKeyAction::CaptureWindow, {0x2C, kModAlt}}});
    struct Row {
        const char* what;
        std::uint32_t message;
        std::uint16_t key;
        std::uint8_t modifiers;
        bool swallowed;
        std::optional<TKeyAction> action;
        bool mask = false;
    } rows[] = {
        {"PrintScreen down", kKeyDown, 0x2C, 0, true, TKeyAction::Capture},
        {"its repeat", kKeyDown, 0x2C, 0, true, TKeyAction::Capture},
        {"its up", kKeyUp, 0x2C, 0, true, std::nullopt},
        {"an up with no swallowed down", kKeyUp, 0x2C, 0, false, std::nullopt},
        {"Ctrl down", kKeyDown, 0xA2, kModCtrl, false, std::nullopt},
        {"Ctrl+PrintScreen", kKeyDown, 0x2C, kModCtrl, true, TKeyAction::SelectRegion},
        {"its up, Ctrl let go first", kKeyUp, 0x2C, 0, true, std::nullopt},
        {"Alt+PrintScreen", kSysKeyDown, 0x2C, kModAlt, true, TKeyAction::CaptureWindow, true},
        {"its up", kSysKeyUp, 0x2C, kModAlt, true, std::nullopt},
        {"Shift+PrintScreen: not bound", kKeyDown, 0x2C, kModShift, false, std::nullopt},
        {"its up", kKeyUp, 0x2C, kModShift, false, std::nullopt},
        {"another key", kKeyDown, 'A', 0, false, std::nullopt},
    };
    for (const Row& row : rows) {
        const TKeyVerdict verdict =
            filter.OnEvent(kHookAction, row.message, row.key, row.modifiers);
        EXPECT_EQ(verdict.Swallow, row.swallowed) << row.what;
        EXPECT_EQ(verdict.Action, row.action) << row.what;
        EXPECT_EQ(verdict.MaskModifiers, row.mask) << row.what;
    }
    EXPECT_FALSE(filter.OnEvent(1, kKeyDown, 0x2C, 0).Swallow); // not an action code
}

TEST(KeyFilter, OnlyActionsThatAreOnAndHaveAKeyAreBoundAndAKeyOnce) {
    const TKeyChord chords[kKeyActionCount] = {{0x2C, 0}, {0x2C, kModAlt}, {0x2C, 0}, {}};
    const bool on[kKeyActionCount] = {true, false, true, true};
    const TKeyBindings bindings = ActiveBindings(chords, on);
    ASSERT_EQ(bindings.size(), 1u); // the window's is off, the region's taken, the screen's none
    EXPECT_EQ(bindings[0].Action, TKeyAction::Capture);
}

} // namespace
