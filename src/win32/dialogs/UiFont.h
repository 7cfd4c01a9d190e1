#pragma once

#include "win32/GdiHandles.h"

#include <initializer_list>

// A font that shows Japanese on this system: the first of the faces named that is installed
// (Windows has the Japanese UI faces; Wine's stand-ins are the IPA fonts), at a height in
// pixels. Without any of them, the system's message font at that height.
TFontHandle CreateJapaneseFont(int pixelHeight, std::initializer_list<const wchar_t*> faces,
                               int weight = FW_NORMAL, BYTE quality = DEFAULT_QUALITY);

// The faces for the program's boxes and menus, in order of preference.
inline constexpr std::initializer_list<const wchar_t*> kUiFaces = {
    L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"IPAPGothic", L"IPAGothic"};

// The system's message font height in pixels at the screen's resolution.
int MessageFontHeight();
