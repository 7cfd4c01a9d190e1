#pragma once

#include "platform/MainWindow.h"

#include <deque>
#include <functional>
#include <mutex>

// The message loop: the main window's handler, the events it runs until Quit, and the errors
// posted from other threads, which wait until DeliverPosted or the loop tells them. Send hands an
// event to the handler as the window procedure does: an error that escapes it goes to its
// general error handler.
class THeadlessLoop : public IMessageLoop {
public:
    void SetEventHandler(IMainWindowEvents* handler) override { Handler = handler; }
    void RunMessageLoop() override;
    void Quit() override { QuitRequested = true; }
    void PostBackgroundError() override;

    void Send(const std::function<void(IMainWindowEvents&)>& event);
    void DeliverPosted();

    IMainWindowEvents* Handler = nullptr;
    bool QuitRequested = false;
    std::deque<std::function<void()>> Events;

private:
    std::mutex FPostedLock;
    int FPostedErrors = 0;
};
