#pragma once

#include "platform/MainWindow.h"
#include "win32/GdiHandles.h"
#include "win32/PrivateMessages.h"

#include <windows.h>

#include <vector>

// The program's hidden main window, captioned "Quorshot" (no taskbar entry), which is also the
// region overlay. Its procedure cracks every message the program acts on into a typed event of
// the handler; the parts of this layer that answer messages of their own are asked first. Runs
// the thread's message loop.
class TMainWindow : public IMessageLoop {
public:
    explicit TMainWindow(HINSTANCE instance);
    ~TMainWindow() override;
    TMainWindow(const TMainWindow&) = delete;
    TMainWindow& operator=(const TMainWindow&) = delete;

    HWND Handle() const { return FWindow.Get(); }
    // Asked in order, before the program's events; each must outlive its place here.
    void AddMessages(IWindowMessages* messages) { FMessages.push_back(messages); }
    void RemoveMessages() { FMessages.clear(); }

    void SetEventHandler(IMainWindowEvents* handler) override;
    void RunMessageLoop() override;
    void Quit() override;
    void PostBackgroundError() override;
    void PostTextRead() override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // True when it was an event of the program's.
    bool Crack(UINT message, WPARAM wParam, LPARAM lParam);

    IMainWindowEvents* FHandler = nullptr;
    std::vector<IWindowMessages*> FMessages;
    TWindowHandle FWindow;
};
