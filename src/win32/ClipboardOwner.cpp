#include "win32/ClipboardOwner.h"

#include "win32/UniqueHandle.h"
#include "win32/WideText.h"

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

// The memory, locked while it is written and unlocked on every path.
class TLockedMemory {
public:
    explicit TLockedMemory(HGLOBAL memory) : FMemory(memory), FBytes(GlobalLock(memory)) {}
    ~TLockedMemory() {
        if (FBytes) {
            GlobalUnlock(FMemory);
        }
    }
    TLockedMemory(const TLockedMemory&) = delete;
    TLockedMemory& operator=(const TLockedMemory&) = delete;
    std::uint8_t* Bytes() const { return static_cast<std::uint8_t*>(FBytes); }

private:
    HGLOBAL FMemory;
    void* FBytes;
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

bool TClipboardOwner::OfferText(const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    TGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) {
        return false;
    }
    {
        const TLockedMemory target(memory.Get());
        if (!target.Bytes()) {
            return false;
        }
        std::memcpy(target.Bytes(), wide.c_str(), bytes);
    }
    const TOpenClipboard open(FWindow, true);
    if (!open || !EmptyClipboard()) { // our picture, if it was there, goes with the emptying
        return false;
    }
    FPicture.reset();
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) {
        return false;
    }
    memory.Release(); // the clipboard's now
    return true;
}

unsigned TClipboardOwner::Bit(UINT format) const {
    return format == CF_DIB ? 1u : format == FPngFormat && format != 0 ? 2u : 0u;
}

void TClipboardOwner::Render(UINT format) noexcept {
    if (!FPicture || Bit(format) == 0) {
        return;
    }
    // Another program may be waiting in GetClipboardData: a format that cannot be made is
    // left out, and nothing is shown to anyone.
    try {
        TGlobalMemory memory;
        if (format == CF_DIB) {
            const std::size_t size = FPicture->DibSize();
            memory.Reset(size ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr);
            if (!memory) {
                return;
            }
            const TLockedMemory target(memory.Get());
            if (!target.Bytes()) {
                return;
            }
            FPicture->WriteDib(target.Bytes()); // straight into the clipboard's memory
        } else {
            const std::string png = FPicture->Png();
            memory.Reset(png.empty() ? nullptr : GlobalAlloc(GMEM_MOVEABLE, png.size()));
            if (!memory) {
                return;
            }
            const TLockedMemory target(memory.Get());
            if (!target.Bytes()) {
                return;
            }
            std::memcpy(target.Bytes(), png.data(), png.size());
        }
        if (SetClipboardData(format, memory.Get())) {
            memory.Release(); // the clipboard's now
            FRendered |= Bit(format);
        }
    } catch (...) {
        // Out of memory: the program asking gets nothing for this format.
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

void TClipboardOwner::RenderAll() noexcept {
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
