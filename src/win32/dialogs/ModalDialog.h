#pragma once

#include "win32/GdiHandles.h"

#include <windows.h>

#include <functional>
#include <string>

// The window active on this thread when it is one a user can see: the owner of a box.
HWND VisibleActiveWindow();

// A modal window of the platform's dialog class, made from an in-memory template without
// items: the caller creates its controls, in tab order, as children of Window(). The dialog
// manager gives it every keyboard rule of Windows dialogs: Tab and the arrows, Enter for the
// focused push button or else the default one (DM_SETDEFID), Esc as IDCANCEL, the close box as
// WM_CLOSE, the accelerators of labels, group boxes and buttons, and a dropped-down list or
// any control that asks for them (WM_GETDLGCODE) keeping Enter and Esc for itself.
//
// An owned dialog is owned by the window active on this thread when it is made, which stays
// disabled while the dialog runs. Every other message of the thread is still dispatched, so
// the tray and the key watcher keep working. When it ends, the owner is enabled and activated
// again and the window that had the keyboard focus gets it back, before the dialog goes.
// An error in the handler goes to the program's general error handler.
class TModalDialog {
public:
    // Sees the dialog's messages first, as a dialog procedure does (WM_INITDIALOG aside):
    // TRUE for a message it handled, with any result in DWLP_MSGRESULT.
    using THandler =
        std::function<INT_PTR(TModalDialog& dialog, UINT message, WPARAM wParam, LPARAM lParam)>;
    // Sees each message the loop takes, before the dialog manager does; true consumes it.
    using TPreview = std::function<bool(const MSG& message)>;

    struct TFrame {
        std::wstring Title;
        int ClientWidth = 0; // in pixels
        int ClientHeight = 0;
        bool Owned = true;    // owned by, and disabling, the window active on this thread
        bool TopMost = false; // above every window that is not topmost
    };

    TModalDialog(const TFrame& frame, THandler handler);
    ~TModalDialog();
    TModalDialog(const TModalDialog&) = delete;
    TModalDialog& operator=(const TModalDialog&) = delete;

    explicit operator bool() const { return static_cast<bool>(FWindow); }
    HWND Window() const { return FWindow.Get(); }
    HWND Control(int id) const { return GetDlgItem(FWindow.Get(), id); }
    // Makes a visible child control in the given font; controls are made in tab order.
    HWND AddControl(const wchar_t* windowClass, const std::wstring& text, DWORD style, int x, int y,
                    int width, int height, int id, HFONT font, DWORD exStyle = 0) const;

    // Centres the dialog on the primary screen, shows it, gives `first` the focus as Tab would
    // and handles the thread's messages until End. Returns the result given to End, or
    // `quitResult` when the program is told to quit meanwhile (the quit goes on outside).
    int Run(HWND first, int quitResult, const TPreview& preview = {});
    void End(int result);
    bool Ended() const { return FEnded; }

    // Moves the focus as the keyboard does: an edit's text is selected, and the default border
    // follows a push button.
    void Focus(HWND control) const;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Restore();

    THandler FHandler;
    HWND FOwner = nullptr;
    bool FOwnerDisabled = false;
    HWND FFocusBefore = nullptr;
    bool FEnded = false;
    int FResult = 0;
    TWindowHandle FWindow;
};
