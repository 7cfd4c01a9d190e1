#pragma once

#include "platform/MainWindow.h"

#include <deque>
#include <functional>
#include <condition_variable>
#include <mutex>

// The message loop: the main window's handler, the events it runs until Quit, and what other
// threads post (an error, text read), which waits until DeliverPosted or the loop tells it. Send
// hands an event to the handler as the window procedure does: an error that escapes it goes to its
// general error handler.
class THeadlessLoop : public IMessageLoop {
public:
    void SetEventHandler(IMainWindowEvents* handler) override { Handler = handler; }
    void RunMessageLoop() override;
    void Quit() override { QuitRequested = true; }
    void PostBackgroundError() override;
    void PostTextRead() override;

    void Send(const std::function<void(IMainWindowEvents&)>& event);
    void DeliverPosted();
    // Waits (a few seconds at most) for a thread of ours to post that its text is read, then
    // tells it as the loop would; false when nothing came.
    bool DeliverTextRead();

    IMainWindowEvents* Handler = nullptr;
    bool QuitRequested = false;
    std::deque<std::function<void()>> Events;

private:
    std::mutex FPostedLock;
    std::condition_variable FPosted;
    int FPostedErrors = 0;
    int FPostedTextReads = 0;
};
