#pragma once

#include "base/CaptureRegion.h"
#include "base/Mark.h"

#include <cstddef>
#include <optional>
#include <vector>

// One change of the marks, as take back and put back undo and redo it: a mark placed (nothing
// before), deleted (nothing after), or changed (moved, resized, recoloured, retyped).
struct TMarkChange {
    std::size_t Index = 0;
    std::optional<TMark> Before;
    std::optional<TMark> After;
};

// The marks drawn on the frozen screen before a capture is saved: the list in the order placed,
// each change one step that take back and put back undo and redo, and the step numbers.
class TMarkup {
public:
    explicit TMarkup(const TCaptureRegion& selection) : FSelection(selection) {}

    // Places a mark at the end, its points held within the selection; a step gets the number
    // after the highest. Returns its index. What was taken back can no longer be put back.
    std::size_t Place(TMark mark);
    // The mark at `index` becomes `mark` (points held within the selection), or goes; each is
    // one step.
    void Change(std::size_t index, TMark mark);
    void Delete(std::size_t index);
    // The last change taken back, or put back again; nothing when there is none.
    std::optional<TMarkChange> TakeBack();
    std::optional<TMarkChange> PutBack();

    const std::vector<TMark>& Marks() const { return FMarks; }
    const TCaptureRegion& Selection() const { return FSelection; }
    // The number the next step mark gets: one more than the highest shown, so that the steps
    // keep their numbers when one of them goes.
    int NextStep() const;
    // The point held within the selection (its last pixel at most).
    TScreenPoint Within(TScreenPoint point) const;

private:
    TMark HeldWithin(TMark mark) const;
    void Apply(const TMarkChange& change, bool forward);
    std::optional<TMarkChange> Replay(std::vector<TMarkChange>& from, std::vector<TMarkChange>& to,
                                      bool forward);
    void Record(TMarkChange change);

    TCaptureRegion FSelection;
    std::vector<TMark> FMarks;
    std::vector<TMarkChange> FDone;      // the last done last
    std::vector<TMarkChange> FTakenBack; // the last taken back last
};
