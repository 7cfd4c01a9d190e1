#include "app/marks/Markup.h"

#include <algorithm>

TScreenPoint TMarkup::Within(TScreenPoint point) const {
    // The selection's last pixel, right and bottom being exclusive; an empty one holds its corner.
    return {std::clamp(point.X, FSelection.Left, std::max(FSelection.Left, FSelection.Right - 1)),
            std::clamp(point.Y, FSelection.Top, std::max(FSelection.Top, FSelection.Bottom - 1))};
}

int TMarkup::NextStep() const {
    int highest = 0;
    for (const TMark& mark : FMarks) {
        if (mark.Tool == TMarkTool::Step) {
            highest = std::max(highest, mark.Step);
        }
    }
    return highest + 1;
}

TMark TMarkup::HeldWithin(TMark mark) const {
    mark.From = Within(mark.From);
    mark.To = Within(mark.To);
    for (TScreenPoint& point : mark.Points) {
        point = Within(point);
    }
    return mark;
}

std::size_t TMarkup::Place(TMark mark) {
    mark = HeldWithin(std::move(mark));
    mark.Step = mark.Tool == TMarkTool::Step ? NextStep() : 0;
    Record({FMarks.size(), std::nullopt, std::move(mark)});
    return FMarks.size() - 1;
}

void TMarkup::Change(std::size_t index, TMark mark) {
    Record({index, FMarks.at(index), HeldWithin(std::move(mark))});
}

void TMarkup::Delete(std::size_t index) {
    Record({index, FMarks.at(index), std::nullopt});
}

void TMarkup::Record(TMarkChange change) {
    Apply(change, true);
    FDone.push_back(std::move(change));
    FTakenBack.clear();
}

// Forward, the change is made; backward, it is undone.
void TMarkup::Apply(const TMarkChange& change, bool forward) {
    const std::optional<TMark>& from = forward ? change.Before : change.After;
    const std::optional<TMark>& to = forward ? change.After : change.Before;
    const auto at = FMarks.begin() + static_cast<std::ptrdiff_t>(change.Index);
    if (from && to) {
        *at = *to;
    } else if (to) {
        FMarks.insert(at, *to);
    } else {
        FMarks.erase(at);
    }
}

std::optional<TMarkChange> TMarkup::TakeBack() {
    return Replay(FDone, FTakenBack, false);
}

std::optional<TMarkChange> TMarkup::PutBack() {
    return Replay(FTakenBack, FDone, true);
}

// The last change of `from` undone (or done again), and kept at the end of `to`.
std::optional<TMarkChange> TMarkup::Replay(std::vector<TMarkChange>& from,
                                           std::vector<TMarkChange>& to, bool forward) {
    if (from.empty()) {
        return std::nullopt;
    }
    TMarkChange change = std::move(from.back());
    from.pop_back();
    Apply(change, forward);
    to.push_back(change);
    return change;
}
