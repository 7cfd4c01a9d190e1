#pragma once

// What the latency benchmark's measures share: the clock, a line of a report, a pointer event
// sent with the clock running, and Quorlan's overlay opened over the pattern.

#include "Driver.h"

#include <functional>
#include <string>
#include <vector>

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to);

// The median of the times, and their range.
struct TSpread {
    double Median = 0, Low = 0, High = 0;
};
TSpread SpreadOf(std::vector<double> times);

// One line of a measure on the screen's size: its median and range over so many `what`.
void Report(const char* name, const std::vector<double>& times, const char* what);

// A pointer event at that position on the primary screen: a move, with `buttons` (the
// MOUSEEVENTF_ flags of a press or a release) if any. Made before the clock starts; sending it
// is what is timed.
struct TPointerEvent {
    TPointerEvent(POINT at, DWORD buttons = 0) {
        Input.type = INPUT_MOUSE;
        Input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        Input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        Input.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    void operator()() { SendInput(1, &Input, sizeof Input); }
    INPUT Input{};
};

// Sends the event, then waits (2 s at most) until `shown`: the milliseconds between.
double TimeUntilShown(TPointerEvent event, const std::function<bool()>& shown);

// Quorlan started with those keys of [File] and its overlay open over the pattern, which
// covers the screen; false, told, when either fails.
bool OpenOverlayOverThePattern(TApp& app, TPatternWindow& pattern, const std::string& fileKeys);

// From the pointer to the screen: the overlay's aids following a move, and the marks.
void MeasureMoveRedraw(int runs);
void MeasureMarkRedraw(int runs);
// From F3 to a pin of the whole screen shown, and the memory it holds.
void MeasurePin(int runs);
