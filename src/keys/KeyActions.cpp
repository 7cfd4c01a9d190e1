#include "keys/KeyActions.h"

#include <algorithm>

std::string ActionName(TKeyAction action) {
    const std::string& caption = Text(kKeyActions[static_cast<int>(action)].Caption);
    return caption.substr(0, caption.find("(&"));
}

void ClearSharedKeys(TActionKeys& keys, const TActionsOn& on) {
    for (int i = 0; i < kKeyActionCount; ++i) {
        for (int j = 0; j < i; ++j) {
            if (on[i] && on[j] && !keys[i].None() && keys[i] == keys[j]) {
                keys[i] = TKeyChord{};
            }
        }
    }
}

TKeyBindings ActiveBindings(const TActionKeys& keys, const TActionsOn& on) {
    TActionKeys shared = keys;
    ClearSharedKeys(shared, on);
    TKeyBindings bindings;
    for (int i = 0; i < kKeyActionCount; ++i) {
        if (on[i] && !shared[i].None()) {
            bindings.push_back({static_cast<TKeyAction>(i), shared[i]});
        }
    }
    return bindings;
}

TKeyChord BoundKey(const TKeyBindings& bindings, TKeyAction action) {
    const auto bound = std::find_if(bindings.begin(), bindings.end(),
                                    [action](const TKeyBinding& b) { return b.Action == action; });
    return bound == bindings.end() ? TKeyChord{} : bound->Chord;
}
