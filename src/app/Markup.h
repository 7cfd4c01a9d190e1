#pragma once

#include "base/CaptureRegion.h"
#include "base/Mark.h"

#include <cstdint>
#include <string>
#include <vector>

// The marks drawn on the frozen screen before a capture is saved: the list in the order placed,
// take back and put back, the step numbers.
class TMarkup {
public:
    explicit TMarkup(const TCaptureRegion& selection) : FSelection(selection) {}

    // Places a mark, its points held within the selection; a step gets the next number. What
    // was taken back can no longer be put back.
    const TMark& Place(TMark mark);
    // The last mark taken back, or put back again; false when there is none.
    bool TakeBack();
    bool PutBack();

    const std::vector<TMark>& Marks() const { return FMarks; }
    const TCaptureRegion& Selection() const { return FSelection; }
    // The number the next step mark gets: one more than the steps shown.
    int NextStep() const;
    // The point held within the selection (its last pixel at most).
    TScreenPoint Within(TScreenPoint point) const;

private:
    TCaptureRegion FSelection;
    std::vector<TMark> FMarks;
    std::vector<TMark> FTakenBack; // the last taken back last
};
