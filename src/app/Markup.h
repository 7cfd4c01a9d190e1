#pragma once

#include "base/CaptureRegion.h"

#include <cstdint>
#include <string>
#include <vector>

// The marks drawn on the frozen screen before a capture is saved, as data: what each is, where,
// in which colour; take back and put back; the step numbers. Positions are screen pixels.
enum class TMarkTool { Frame, Arrow, Text, Step, Highlighter, Mosaic };

// The colours a mark can have, red first.
inline constexpr std::uint32_t kMarkColours[] = {0xE81123, 0x0078D7, 0x107C10,
                                                 0xFFB900, 0x000000, 0xFFFFFF};

struct TMark {
    TMarkTool Tool = TMarkTool::Frame;
    std::uint32_t Colour = kMarkColours[0]; // red << 16 | green << 8 | blue
    TScreenPoint From;                      // where the drag began (a step's or a text's place)
    TScreenPoint To;                        // where it ended
    std::string Text;                       // a text mark's words
    int Step = 0;                           // a step mark's number, from 1

    bool operator==(const TMark&) const = default;
};

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

private:
    TScreenPoint Within(TScreenPoint point) const;

    TCaptureRegion FSelection;
    std::vector<TMark> FMarks;
    std::vector<TMark> FTakenBack; // the last taken back last
};
