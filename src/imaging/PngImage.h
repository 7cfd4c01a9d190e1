#pragma once

#include "imaging/Bitmap.h"

#include <string>

class IFileSystem;
class TByteSink;

// The PNG writer: exactly the colours the BMP of the bitmap's depth holds. 1, 4 and 8 bits as
// indexed colour with the same colour table; 16 bits as 8-bit RGB of the 5-6-5 colours widened
// as the JPEG writer widens them; 24 and 32 bits (and the screen form) as 8-bit RGB, the
// fourth byte of a pixel being no alpha. Non-interlaced, with an sRGB chunk and nothing that
// holds a time or a path. A bitmap of no pixels writes nothing.
//
// Raises EOutOfResources when the file cannot be held in memory, EWriteError for a failure of
// the library.
void WritePng(const TBitmap& bitmap, TByteSink& sink);

// Creates the file first (EFCreateError: nothing is encoded), writes it through a temporary
// file and publishes it only when complete.
void SavePngFile(const TBitmap& bitmap, const std::string& fileName, IFileSystem& files);
