#pragma once

#include "app/MarkToolbar.h"
#include "app/MarkedPicture.h"
#include "app/Markup.h"
#include "base/PointerPicture.h"
#include "keys/KeyCodes.h"
#include "platform/MainWindow.h"
#include "platform/Overlay.h"

#include <memory>
#include <optional>
#include <vector>

// What the toolbar asked of the program, beyond the marks themselves.
enum class TMarkupAnswer { None, Save, Leave };

// The marks' mode of the overlay: after a release with Markup on, the selection of the frozen
// screen stays up with the toolbar beside it, and the pointer and the keys draw marks on it.
class TMarkupMode {
public:
    explicit TMarkupMode(IOverlay& overlay) : FOverlay(overlay) {}

    // Over `selection` of the snapshot (the pointer drawn in when it is captured), the toolbar
    // beside it on the monitor under its centre.
    void Enter(const TScreenPixels& snapshot, const TCaptureRegion& selection,
               const std::optional<TPointerPicture>& pointer,
               const std::vector<TMonitor>& monitors);
    // Ends it: a text being typed is dropped, the pointer let go.
    void Leave();
    bool Active() const { return FState.has_value(); }

    TMarkupAnswer MouseDown(TScreenPoint at);
    void MouseMove(TScreenPoint at);
    void MouseUp(TScreenPoint at);
    TMarkupAnswer KeyDown(TKeyCode key, TShiftState shift);
    // The text being typed becomes a mark (an empty one none).
    void FinishTyping();

    // The marks, and the selection as they make it (null while not marking).
    const TMarkup* Marks() const { return FState ? &FState->Marks : nullptr; }
    const TMarkedPicture* Picture() const { return FState ? FState->Picture.get() : nullptr; }

private:
    struct TState {
        explicit TState(const TCaptureRegion& selection) : Marks(selection) {}
        TMarkup Marks;
        std::shared_ptr<TMarkedPicture> Picture;
        TMarkStyle Style;
        TMonitor Monitor;
        std::vector<TToolbarButton> Toolbar;
        TMarkTool Tool = TMarkTool::Frame;
        std::uint32_t Colour = kMarkColours[0];
        std::vector<std::vector<TCaptureRegion>> Areas; // what each mark shown painted
        std::optional<TMark> Drawing;                   // the mark being dragged
        bool Dragged = false;                           // beyond a click's slack
        std::optional<TScreenPoint> TypingAt;           // where the text being typed goes
        std::optional<std::size_t> Hovered;             // the button under the pointer
    };
    TMarkupAnswer PressButton(const TToolbarButton& button);
    void PlaceMark(const TMark& mark);
    void ShowLastMark();
    void ShowMarks(const std::vector<TCaptureRegion>& changed);
    void TakeBack();
    void PutBack();
    void ShowToolbar();

    IOverlay& FOverlay;
    std::optional<TState> FState;
};
