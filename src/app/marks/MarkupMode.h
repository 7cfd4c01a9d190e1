#pragma once

// The marks room: the marks drawn on the selection (Markup.h), their sheet with its undo and
// selection, the picture they make as the overlay shows it and the file takes it, their geometry,
// the toolbar, and this mode with its use of the frozen screen (Marking.h).

#include "app/marks/MarkSheet.h"
#include "app/marks/MarkToolbar.h"
#include "base/PointerPicture.h"
#include "keys/KeyCodes.h"
#include "platform/MainWindow.h"
#include "platform/Overlay.h"

#include <optional>
#include <vector>

// What the toolbar asked of the program, beyond the marks themselves.
enum class TMarkupAnswer { None, ReadText, Pin, Save, Leave };

// The marks' mode of the overlay: after a release with Markup on, the selection of the frozen
// screen stays up with the toolbar beside it, and the pointer and the keys draw marks on it, or,
// with the select tool or a selected mark's handles, move, resize, recolour, retype and delete
// them.
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

    TMarkupAnswer MouseDown(TScreenPoint at, TShiftState shift);
    void MouseMove(TScreenPoint at, TShiftState shift);
    void MouseUp(TScreenPoint at, TShiftState shift);
    // The toolbar's keys, Tab and Delete; the arrow keys move a selected mark (false when none
    // is selected: they move the pointer).
    TMarkupAnswer KeyDown(TKeyCode key, TShiftState shift);
    bool Nudge(TKeyCode key, TShiftState shift);
    // The text being typed becomes a mark, or the selected text's new words.
    void FinishTyping();

    // The marks, and the selection as they make it (null while not marking).
    const TMarkup* Marks() const { return FState ? &FState->Sheet.Marks() : nullptr; }
    const TMarkedPicture* Picture() const { return FState ? &FState->Sheet.Picture() : nullptr; }

private:
    // What a press began: a new mark drawn, the selected one moved or resized by a handle.
    enum class TDrag { None, Draw, Move, Resize };
    struct TState {
        TState(const TScreenPixels& snapshot, const TCaptureRegion& selection,
               const std::optional<TPointerPicture>& pointer, const TMarkStyle& style,
               IOverlay& overlay)
            : Sheet(snapshot, selection, pointer, style, overlay) {}
        TMarkSheet Sheet;
        TMonitor Monitor;
        std::vector<TToolbarButton> Toolbar;
        std::optional<TMarkTool> Tool = TMarkTool::Frame; // none: the select tool
        std::uint32_t Colour = kMarkColours[0];
        TDrag Drag = TDrag::None;
        TScreenPoint PressedAt;
        TMark Drawn;                          // the mark being drawn, or the one dragged
        int Handle = 0;                       // the handle dragged
        bool Dragged = false;                 // beyond a click's slack
        std::optional<TScreenPoint> TypingAt; // where the text being typed goes
        bool Retyping = false;                // the words of the selected text
        std::optional<std::size_t> Hovered;   // the button under the pointer
    };
    TMarkupAnswer PressButton(const TToolbarButton& button);
    void StartDrag(TDrag drag, TScreenPoint at, const TMark& mark);
    void StopDrag();
    void Type(const TMark& text);
    void ShowToolbar();

    IOverlay& FOverlay;
    std::optional<TState> FState;
};
