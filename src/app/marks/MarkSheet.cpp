#include "app/marks/MarkSheet.h"

#include "app/marks/MarkGeometry.h"

#include <utility>

TMarkSheet::TMarkSheet(const TScreenPixels& snapshot, const TCaptureRegion& selection,
                       const std::optional<TPointerPicture>& pointer, const TMarkStyle& style,
                       IOverlay& overlay)
    : FOverlay(overlay), FStyle(style), FMarks(selection),
      FPicture(std::make_shared<TMarkedPicture>(snapshot, selection, pointer)) {
    Show({});
}

void TMarkSheet::Show(const std::vector<TCaptureRegion>& changed) {
    FOverlay.SetOverlayMarks(FPicture, changed);
}

std::vector<TMark> TMarkSheet::Shown() const {
    std::vector<TMark> marks = FMarks.Marks();
    if (FReshaped && FSelected) {
        marks[*FSelected] = *FReshaped;
    }
    return marks;
}

void TMarkSheet::Repaint(const std::optional<TMark>& before, const std::optional<TMark>& after) {
    std::vector<TCaptureRegion> areas;
    for (const std::optional<TMark>* mark : {&before, &after}) {
        if (*mark) {
            for (const TCaptureRegion& area : AreasOf(**mark, FStyle, FOverlay)) {
                areas.push_back(area);
            }
        }
    }
    Show(FPicture->Repaint(Shown(), std::move(areas), FStyle, FOverlay));
}

void TMarkSheet::Preview(const TMark& mark) {
    Show(FPicture->Preview(mark, FStyle, FOverlay));
}

void TMarkSheet::PlacePreview(const TMark& mark) {
    FSelected = FMarks.Place(mark);
    FPicture->Place(); // painted already, as its last preview
}

void TMarkSheet::EndPreview() {
    Show(FPicture->EndPreview());
}

void TMarkSheet::Place(const TMark& mark) {
    const std::size_t index = FMarks.Place(mark);
    // Painted over the others, as the last mark is.
    Show(FPicture->Preview(FMarks.Marks()[index], FStyle, FOverlay));
    FPicture->Place();
    FSelected = index;
}

void TMarkSheet::Select(std::optional<std::size_t> index) {
    DropReshaped();
    FSelected = index && *index < FMarks.Marks().size() ? index : std::nullopt;
}

void TMarkSheet::SelectNext(int direction) {
    const auto count = static_cast<std::ptrdiff_t>(FMarks.Marks().size());
    if (count == 0) {
        return;
    }
    const std::ptrdiff_t from =
        FSelected ? static_cast<std::ptrdiff_t>(*FSelected) : (direction > 0 ? -1 : count);
    Select(static_cast<std::size_t>(((from + direction) % count + count) % count));
}

std::optional<std::size_t> TMarkSheet::MarkAt(TScreenPoint at) {
    const std::vector<TMark> marks = Shown();
    for (std::size_t i = marks.size(); i-- > 0;) {
        const TMark& mark = marks[i];
        const bool letters = mark.Tool == TMarkTool::Text;
        if (HitsMark(mark, at, FStyle,
                     letters ? FOverlay.LettersBox(mark, FStyle) : TCaptureRegion{})) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<TMark> TMarkSheet::SelectedMark() const {
    if (!FSelected) {
        return std::nullopt;
    }
    return FReshaped ? *FReshaped : FMarks.Marks()[*FSelected];
}

std::vector<TCaptureRegion> TMarkSheet::Handles() const {
    std::vector<TCaptureRegion> boxes;
    if (const std::optional<TMark> mark = SelectedMark()) {
        for (const TScreenPoint& point : HandlePoints(*mark)) {
            boxes.push_back(HandleBox(point, FStyle));
        }
    }
    return boxes;
}

void TMarkSheet::Reshape(const TMark& mark) {
    if (!FSelected) {
        return;
    }
    const std::optional<TMark> before = SelectedMark();
    FReshaped = mark;
    Repaint(before, mark);
}

void TMarkSheet::KeepReshaped() {
    if (FSelected && FReshaped) {
        const TMark reshaped = *std::exchange(FReshaped, std::nullopt);
        if (reshaped != FMarks.Marks()[*FSelected]) {
            FMarks.Change(*FSelected, reshaped);
        }
    }
}

void TMarkSheet::DropReshaped() {
    if (FSelected && FReshaped) {
        const TMark reshaped = *std::exchange(FReshaped, std::nullopt);
        Repaint(reshaped, FMarks.Marks()[*FSelected]);
    }
}

void TMarkSheet::ChangeSelected(const TMark& mark) {
    if (!FSelected) {
        return;
    }
    DropReshaped();
    const TMark before = FMarks.Marks()[*FSelected];
    FMarks.Change(*FSelected, mark);
    Repaint(before, FMarks.Marks()[*FSelected]);
}

void TMarkSheet::DeleteSelected() {
    if (!FSelected) {
        return;
    }
    DropReshaped();
    const TMark before = FMarks.Marks()[*FSelected];
    FMarks.Delete(*std::exchange(FSelected, std::nullopt));
    Repaint(before, std::nullopt);
}

void TMarkSheet::TakeBack() {
    DropReshaped();
    if (const std::optional<TMarkChange> change = FMarks.TakeBack()) {
        FSelected = change->Before ? std::optional(change->Index) : std::nullopt;
        Repaint(change->After, change->Before);
    }
}

void TMarkSheet::PutBack() {
    DropReshaped();
    if (const std::optional<TMarkChange> change = FMarks.PutBack()) {
        FSelected = change->After ? std::optional(change->Index) : std::nullopt;
        Repaint(change->Before, change->After);
    }
}
