#pragma once

#include "base/CaptureRegion.h"
#include "base/Mark.h"
#include "base/Pixels32.h"
#include "win32/GdiHandles.h"

#include <vector>

// Draws a step's number or a text's letters on 32-bit pixels with GDI in the interface's font,
// antialiased in grey (never in the display's own subpixel colours, which a saved file would
// keep). Clipped to the canvas; returns the part it changed. Raises EOutOfResources when GDI
// has nothing left to draw with.
std::vector<TCaptureRegion> DrawMarkOnCanvas(const TMark& mark, const TMarkStyle& style,
                                             const TPixels32Canvas& canvas);

// The box those letters fill, wherever they are drawn.
TCaptureRegion MarkLettersBox(const TMark& mark, const TMarkStyle& style);

// The interface's font at a text mark's height, antialiased: the box it is typed in uses it.
TFontHandle CreateMarkFont(int pixelHeight, int weight = FW_NORMAL);
