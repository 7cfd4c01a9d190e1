#include "platform/KeyBindings.h"

#include <algorithm>

TKeyVerdict TKeyFilter::OnEvent(int code, std::uint32_t message, std::uint16_t virtualKey,
                                std::uint8_t modifiers) {
    TKeyVerdict verdict;
    const std::size_t key = virtualKey & 0xFFu;
    if (code != kHookAction) {
        return verdict;
    }
    if (message == kKeyDown || message == kSysKeyDown) {
        if (IsModifierKey(virtualKey)) {
            return verdict;
        }
        const TKeyChord pressed{static_cast<std::uint16_t>(key), modifiers};
        const auto bound = std::find_if(FBindings.begin(), FBindings.end(),
                                        [&](const TKeyBinding& b) { return b.Chord == pressed; });
        if (bound != FBindings.end()) {
            FSwallowedDown.set(key);
            verdict.Swallow = true;
            verdict.Action = bound->Action;
            verdict.MaskModifiers = (modifiers & (kModAlt | kModWin)) != 0;
        } else {
            FSwallowedDown.reset(key); // this press went on: so does its key-up
        }
        return verdict;
    }
    if ((message == kKeyUp || message == kSysKeyUp) && FSwallowedDown.test(key)) {
        FSwallowedDown.reset(key);
        verdict.Swallow = true;
    }
    return verdict;
}

TKeyBindings ActiveBindings(const TKeyChord (&chords)[kKeyActionCount],
                            const bool (&on)[kKeyActionCount]) {
    TKeyBindings bindings;
    for (int i = 0; i < kKeyActionCount; ++i) {
        const bool taken = std::any_of(bindings.begin(), bindings.end(),
                                       [&](const TKeyBinding& b) { return b.Chord == chords[i]; });
        if (on[i] && !chords[i].None() && !taken) {
            bindings.push_back({static_cast<TKeyAction>(i), chords[i]});
        }
    }
    return bindings;
}
