#include "keys/KeyFilter.h"

#include <algorithm>

namespace {

// The keys a dialog moves and ends by, which a key box leaves to it.
bool IsDialogKey(TKeyCode key, std::uint8_t modifiers) {
    return (key == kKeyTab && (modifiers & ~kModShift) == 0) ||
           ((key == kKeyEnter || key == kKeyEscape) && modifiers == 0);
}

} // namespace

TKeyVerdict TKeyFilter::OnKey(bool down, TKeyCode virtualKey, std::uint8_t modifiers,
                              TListening listening) {
    TKeyVerdict verdict;
    const std::size_t key = virtualKey & 0xFFu;
    if (!down) {
        if (FSwallowedDown.test(key)) {
            FSwallowedDown.reset(key);
            verdict.Swallow = true;
        }
        return verdict;
    }
    if (IsModifierKey(virtualKey)) {
        return verdict;
    }
    const TKeyChord pressed{static_cast<TKeyCode>(key), modifiers};
    const auto bound = std::find_if(FBindings.begin(), FBindings.end(),
                                    [&](const TKeyBinding& b) { return b.Chord == pressed; });
    if (listening == TListening::KeyBox && !IsDialogKey(pressed.VirtualKey, modifiers)) {
        verdict.Swallow = verdict.HandToKeyBox = true;
    } else if (FEscape && pressed.VirtualKey == kKeyEscape && modifiers == 0) {
        verdict.Swallow = verdict.Escape = true;
    } else if (bound != FBindings.end()) {
        verdict.Swallow = true;
        if (listening == TListening::None) {
            verdict.Action = bound->Action;
        }
    }
    FSwallowedDown.set(key, verdict.Swallow); // a press that went on: so does its key-up
    verdict.MaskModifiers = verdict.Swallow && (modifiers & (kModAlt | kModWin)) != 0;
    return verdict;
}
