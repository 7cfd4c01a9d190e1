#include "app/Markup.h"

#include <algorithm>

TScreenPoint TMarkup::Within(TScreenPoint point) const {
    // The selection's last pixel, right and bottom being exclusive; an empty one holds its corner.
    return {std::clamp(point.X, FSelection.Left, std::max(FSelection.Left, FSelection.Right - 1)),
            std::clamp(point.Y, FSelection.Top, std::max(FSelection.Top, FSelection.Bottom - 1))};
}

int TMarkup::NextStep() const {
    return 1 + static_cast<int>(std::count_if(FMarks.begin(), FMarks.end(), [](const TMark& m) {
               return m.Tool == TMarkTool::Step;
           }));
}

const TMark& TMarkup::Place(TMark mark) {
    mark.From = Within(mark.From);
    mark.To = Within(mark.To);
    mark.Step = mark.Tool == TMarkTool::Step ? NextStep() : 0;
    FTakenBack.clear();
    FMarks.push_back(std::move(mark));
    return FMarks.back();
}

namespace {

// The last mark of one list moved to the end of the other; false when there is none.
bool MoveLast(std::vector<TMark>& from, std::vector<TMark>& to) {
    if (from.empty()) {
        return false;
    }
    to.push_back(std::move(from.back()));
    from.pop_back();
    return true;
}

} // namespace

bool TMarkup::TakeBack() {
    return MoveLast(FMarks, FTakenBack);
}

bool TMarkup::PutBack() {
    return MoveLast(FTakenBack, FMarks);
}
