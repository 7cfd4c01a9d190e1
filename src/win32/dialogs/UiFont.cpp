#include "win32/dialogs/UiFont.h"

#include "win32/GdiHandles.h"

#include <cwchar>

namespace {

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face) {
    const TWindowDc screen(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(screen.Get(), &wanted, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

} // namespace

int MessageFontHeight() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
        metrics.lfMessageFont.lfHeight != 0) {
        return metrics.lfMessageFont.lfHeight < 0 ? -metrics.lfMessageFont.lfHeight
                                                  : metrics.lfMessageFont.lfHeight;
    }
    return 12;
}

TFontHandle CreateJapaneseFont(int pixelHeight, std::initializer_list<const wchar_t*> faces,
                               int weight, BYTE quality) {
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = weight;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = quality;
    for (const wchar_t* face : faces) {
        if (FaceInstalled(face)) {
            wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
            return TFontHandle(CreateFontIndirectW(&font));
        }
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        wcsncpy(font.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE - 1);
    }
    return TFontHandle(CreateFontIndirectW(&font));
}
