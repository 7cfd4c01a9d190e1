#include "win32/PointerPicture.h"

#include "win32/DibSection.h"
#include "win32/GdiHandles.h"

#include "base/Errors.h"

#include <windows.h>

#include <algorithm>

namespace {

// The cursor drawn as the system draws it, over one colour; empty when it cannot be.
std::vector<std::uint32_t> DrawnOver(HCURSOR cursor, int width, int height,
                                     std::uint32_t ground) try {
    TWindowDc screen(nullptr);
    const TDibSection section(screen.Get(), width, height);
    auto* pixels = static_cast<std::uint32_t*>(section.Bits);
    const std::size_t count = static_cast<std::size_t>(width) * height;
    std::fill(pixels, pixels + count, ground);
    if (!DrawIconEx(section.Dc.Get(), 0, 0, cursor, width, height, 0, nullptr, DI_NORMAL)) {
        return {};
    }
    GdiFlush();
    std::vector<std::uint32_t> drawn(pixels, pixels + count);
    for (std::uint32_t& pixel : drawn) {
        pixel &= 0xFFFFFFu;
    }
    return drawn;
} catch (const EOutOfResources&) {
    return {}; // no section to be had: the capture goes on without the pointer
}

} // namespace

std::optional<TPointerPicture> CurrentPointerPicture() {
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    if (!GetCursorInfo(&cursor) || !(cursor.flags & CURSOR_SHOWING) || !cursor.hCursor) {
        return std::nullopt;
    }
    ICONINFO icon{};
    if (!GetIconInfo(cursor.hCursor, &icon)) {
        return std::nullopt;
    }
    const TBitmapHandle mask(icon.hbmMask), colour(icon.hbmColor); // ours to delete
    BITMAP shape{};
    if (!GetObjectW(colour ? colour.Get() : mask.Get(), sizeof shape, &shape)) {
        return std::nullopt;
    }
    TPointerPicture picture;
    picture.Width = shape.bmWidth;
    picture.Height = colour ? shape.bmHeight : shape.bmHeight / 2; // a mask holds AND and XOR
    picture.Left = cursor.ptScreenPos.x - static_cast<std::int32_t>(icon.xHotspot);
    picture.Top = cursor.ptScreenPos.y - static_cast<std::int32_t>(icon.yHotspot);
    if (picture.Width <= 0 || picture.Height <= 0 || picture.Width > 256 || picture.Height > 256) {
        return std::nullopt;
    }
    picture.OverBlack = DrawnOver(cursor.hCursor, picture.Width, picture.Height, 0x000000u);
    picture.OverWhite = DrawnOver(cursor.hCursor, picture.Width, picture.Height, 0xFFFFFFu);
    if (picture.OverBlack.empty() || picture.OverWhite.empty()) {
        return std::nullopt;
    }
    return picture;
}
