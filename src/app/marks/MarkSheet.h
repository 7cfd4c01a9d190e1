#pragma once

#include "app/marks/MarkedPicture.h"
#include "app/marks/Markup.h"
#include "base/Mark.h"
#include "platform/Overlay.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

// The marks on the selection and the picture they make, kept in step and shown: a mark being
// drawn over the others, placed, the selected one reshaped while it is dragged and then changed
// in one step, recoloured, retyped or deleted, each change taken back and put back. Only the
// parts a change touches are painted again, exactly as painting everything would paint them.
class TMarkSheet {
public:
    TMarkSheet(const TScreenPixels& snapshot, const TCaptureRegion& selection,
               const std::optional<TPointerPicture>& pointer, const TMarkStyle& style,
               IOverlay& overlay);

    const TMarkup& Marks() const { return FMarks; }
    const TMarkedPicture& Picture() const { return *FPicture; }
    const TMarkStyle& Style() const { return FStyle; }

    // A new mark being drawn, shown over all the others; then placed (and selected) as its last
    // preview shows it, or dropped.
    void Preview(const TMark& mark);
    void PlacePreview(const TMark& mark);
    void EndPreview();
    // A mark placed at once (a step, a text), and selected.
    void Place(const TMark& mark);

    // The selected mark, if any, and the one the others are chosen by.
    std::optional<std::size_t> Selected() const { return FSelected; }
    void Select(std::optional<std::size_t> index);
    // The next or the previous mark in the order placed, around.
    void SelectNext(int direction);
    // The topmost mark a press at `at` takes.
    std::optional<std::size_t> MarkAt(TScreenPoint at);
    // What the selected mark is now (while reshaped, as shown).
    std::optional<TMark> SelectedMark() const;
    // Its handles' boxes.
    std::vector<TCaptureRegion> Handles() const;

    // The selected mark shown as `mark` while it is dragged; Keep makes that one step, Drop
    // shows it as it was.
    void Reshape(const TMark& mark);
    void KeepReshaped();
    void DropReshaped();
    // The selected mark changed (or deleted) at once, one step.
    void ChangeSelected(const TMark& mark);
    void DeleteSelected();
    void TakeBack();
    void PutBack();

private:
    // The marks as shown: the model's, the one being reshaped in its new shape.
    std::vector<TMark> Shown() const;
    // Paints again where `before` and `after` lie (either may be none) and shows it.
    void Repaint(const std::optional<TMark>& before, const std::optional<TMark>& after);
    void Show(const std::vector<TCaptureRegion>& changed);

    IOverlay& FOverlay;
    TMarkStyle FStyle;
    TMarkup FMarks;
    std::shared_ptr<TMarkedPicture> FPicture;
    std::optional<std::size_t> FSelected;
    std::optional<TMark> FReshaped; // the selected mark as dragged, not yet a step
};
