#include "win32/ClipboardOwner.h"

#include "win32/UniqueHandle.h"

#include <cstring>
#include <string>

namespace {

using TGlobalMemory = TUniqueAny<HGLOBAL, GlobalFree>;

constexpr DWORD kPatience = 1000; // ms: clipboard managers hold the clipboard for a moment

// The clipboard opened for our window, and closed again on every path.
class TOpenClipboard {
public:
    // `patient`: tries again for a moment while another program holds it.
    TOpenClipboard(HWND window, bool patient) {
        const ULONGLONG start = GetTickCount64();
        while (!(FOpen = OpenClipboard(window) != FALSE) && patient &&
               GetTickCount64() - start < kPatience) {
            Sleep(20);
        }
    }
    ~TOpenClipboard() {
        if (FOpen) {
            CloseClipboard();
        }
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    explicit operator bool() const { return FOpen; }

private:
    bool FOpen = false;
};

} // namespace

TClipboardOwner::TClipboardOwner(HWND window)
    : FWindow(window), FPngFormat(RegisterClipboardFormatW(L"PNG")) {}

bool TClipboardOwner::Offer(std::shared_ptr<const IClipboardPicture> picture) {
    const TOpenClipboard open(FWindow, true);
    if (!open) {
        return false;
    }
    // Emptying it makes us its owner; a null handle promises a format for later.
    const bool offered = EmptyClipboard() && SetClipboardData(CF_DIB, nullptr) == nullptr &&
                         (FPngFormat == 0 || SetClipboardData(FPngFormat, nullptr) == nullptr);
    if (offered) {
        FPicture = std::move(picture); // WM_DESTROYCLIPBOARD from the emptying has passed
        FRendered = 0;
    }
    return offered && FPicture;
}

unsigned TClipboardOwner::Bit(UINT format) const {
    return format == CF_DIB ? 1u : format == FPngFormat && format != 0 ? 2u : 0u;
}

void TClipboardOwner::Render(UINT format) {
    if (!FPicture || Bit(format) == 0) {
        return;
    }
    const std::string bytes = format == CF_DIB ? FPicture->Dib() : FPicture->Png();
    TGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory || bytes.empty()) {
        return;
    }
    void* target = GlobalLock(memory.Get());
    if (!target) {
        return;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.Get());
    if (SetClipboardData(format, memory.Get())) {
        memory.Release(); // the clipboard's now
        FRendered |= Bit(format);
    }
}

bool TClipboardOwner::HandleMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_RENDERFORMAT:
        Render(static_cast<UINT>(wParam)); // the clipboard is open for us already
        return true;
    case WM_RENDERALLFORMATS:
        RenderAll();
        return true;
    case WM_DESTROYCLIPBOARD:
        FPicture.reset(); // another program's data now
        return true;
    default:
        return false;
    }
}

void TClipboardOwner::RenderAll() {
    if (!FPicture) {
        return;
    }
    const TOpenClipboard open(FWindow, false);
    if (open && GetClipboardOwner() == FWindow) {
        for (const UINT format : {UINT{CF_DIB}, FPngFormat}) {
            if (!(FRendered & Bit(format))) {
                Render(format);
            }
        }
    }
}
