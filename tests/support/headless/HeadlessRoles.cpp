// The smaller fakes' behaviour: the tray's menu, the scroll frame's label, the key watcher, the
// boxes and the dialog, the shell, the message loop.
#include "support/headless/HeadlessDialogs.h"
#include "support/headless/HeadlessKeyWatcher.h"
#include "support/headless/HeadlessLoop.h"
#include "support/headless/HeadlessScrolling.h"
#include "support/headless/HeadlessShell.h"
#include "support/headless/HeadlessTray.h"

#include "platform/ScrollLabel.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <utility>

TMenuCommand THeadlessTray::TrackTrayMenu() {
    ++MenusOpened;
    if (DuringMenu) {
        std::exchange(DuringMenu, nullptr)();
    }
    if (MenuChoices.empty()) {
        return TMenuCommand::None;
    }
    const TMenuCommand choice = MenuChoices.front();
    MenuChoices.pop_front();
    return choice;
}

bool THeadlessScrolling::ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) {
    ScrollFrame = rect;
    ScrollLabel = label;
    const std::vector<TMonitor> monitors = FDisplay.Layout();
    const TScreenPoint centre{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    const auto on = std::find_if(monitors.begin(), monitors.end(), [&](const TMonitor& monitor) {
        return Contains(monitor.Bounds, centre);
    });
    ScrollLabelAt =
        PlaceScrollLabel(rect, (on != monitors.end() ? *on : monitors.front()).Bounds, 12, 4);
    if (!ScrollLabelAt) {
        ScrollLabel.clear();
    }
    return ScrollLabelAt.has_value();
}

bool THeadlessKeyWatcher::InstallKeyWatcher(const TKeyBindings& bindings) {
    ++WatcherInstalls;
    WatcherInstalled = WatcherCanInstall;
    Watcher.SetBindings(WatcherInstalled ? bindings : TKeyBindings{});
    return WatcherInstalled;
}

std::optional<TKeyDecision> THeadlessKeyWatcher::TakeKeyDecision() {
    if (KeyDecisions.empty()) {
        return std::nullopt;
    }
    const TKeyDecision decision = KeyDecisions.front();
    KeyDecisions.pop_front();
    return decision;
}

int THeadlessDialogs::ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) {
    Boxes.push_back({text, kind, buttons});
    if (Answers.empty()) {
        return buttons == TBoxButtons::YesNo ? mrYes : mrOk;
    }
    const auto answer = std::move(Answers.front());
    Answers.pop_front();
    return answer();
}

void THeadlessDialogs::ShowErrorBox(const std::string& text) {
    ErrorBoxes.push_back(text);
    if (DuringErrorBox) {
        std::exchange(DuringErrorBox, nullptr)();
    }
}

int THeadlessDialogs::RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler&) {
    ++DialogsRun;
    return DialogScript ? DialogScript(values) : mrCancel;
}

std::optional<std::string> THeadlessShell::SpecialFolder(TSpecialFolder folder) {
    const auto found = Folders.find(folder);
    if (found == Folders.end()) {
        return std::nullopt;
    }
    return found->second;
}

void THeadlessShell::ShellOpen(const std::string& fileName) {
    Opened.push_back(fileName);
    if (ShellOpenFails) {
        throw std::runtime_error("no application for that type");
    }
}

bool THeadlessShell::SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) {
    if (ClipboardBusy) {
        return false;
    }
    Clipboard = std::move(picture);
    ClipboardText.reset();
    return true;
}

bool THeadlessShell::SetClipboardText(const std::string& text) {
    if (ClipboardBusy) {
        return false;
    }
    Clipboard.reset();
    ClipboardText = text;
    return true;
}

void THeadlessLoop::Send(const std::function<void(IMainWindowEvents&)>& event) {
    if (!Handler) {
        throw std::logic_error("no main window");
    }
    try {
        event(*Handler);
    } catch (...) {
        Handler->HandleException();
    }
}

void THeadlessLoop::PostBackgroundError() {
    const std::lock_guard lock(FPostedLock);
    ++FPostedErrors;
}

void THeadlessLoop::PostTextRead() {
    {
        const std::lock_guard lock(FPostedLock);
        ++FPostedTextReads;
    }
    FPosted.notify_all();
}

bool THeadlessLoop::DeliverTextRead() {
    {
        std::unique_lock lock(FPostedLock);
        if (!FPosted.wait_for(lock, std::chrono::seconds(20),
                              [this] { return FPostedTextReads > 0; })) {
            return false;
        }
        --FPostedTextReads;
    }
    Send([](IMainWindowEvents& events) { events.TextRead(); });
    return true;
}

void THeadlessLoop::DeliverPosted() {
    for (;;) {
        {
            const std::lock_guard lock(FPostedLock);
            if (FPostedErrors == 0) {
                return;
            }
            --FPostedErrors;
        }
        Send([](IMainWindowEvents& events) { events.BackgroundErrorPosted(); });
    }
}

void THeadlessLoop::RunMessageLoop() {
    DeliverPosted();
    while (!QuitRequested && !Events.empty()) {
        const auto event = std::move(Events.front());
        Events.pop_front();
        event();
    }
}
