#pragma once

// What the README's pictures share: the picture folder, a part of the screen saved as a PNG,
// and the plain desktop they are taken over.

#include "Driver.h"

#include <string>

extern std::wstring gOut; // the picture folder

// The part of the screen within `rect` (grown by a margin) as a PNG file of the imaging
// component.
bool SaveScreenPart(const wchar_t* name, RECT rect, int margin = 8);

RECT WindowRect(HWND window);
RECT Union(RECT a, RECT b);

// A plain desktop with a window of text on it; Raise brings both to the front.
HWND ShowDesktop();
void Raise(HWND window);

// The marks on the frozen screen and the pin made of them; a scrolling capture under way. Each
// gives the number of pictures that failed.
int TakeMarksAndPin(HWND desktop);
int TakeScrolling(HWND desktop);
// Text recognition: the frozen screen with its hint, a rectangle drawn over a window's text.
int TakeText(HWND desktop);
