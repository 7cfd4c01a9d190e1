#pragma once

// The text room: the words of a rectangle of the frozen screen read on a worker thread by the
// recogniser, in the languages of the settings, spaced as they were written; the program is
// told when they are read, and a read can be cancelled at any moment.

#include "base/CaptureRegion.h"
#include "platform/Display.h"
#include "platform/MainWindow.h"
#include "platform/TextReader.h"

#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// What a read gave: the text as written (empty: none found), or nothing when it was cancelled,
// or the failure to tell.
struct TTextOutcome {
    std::optional<std::string> Text;
    std::exception_ptr Failure;
};

// The notice of text copied: how many characters (line breaks not counted) and its first line,
// cut short.
std::string CopiedNotice(const std::string& text);

class TTextReading {
public:
    TTextReading(ITextReader& reader, IMessageLoop& loop) : FReader(reader), FLoop(loop) {}
    ~TTextReading() { Cancel(); } // the thread joined as it goes
    TTextReading(const TTextReading&) = delete;
    TTextReading& operator=(const TTextReading&) = delete;

    // Reads `rect` of the screen's pixels (copied now; white off them), text at `dpi`; the loop
    // is told TextRead once it is done. Raises, nothing started, when the copy cannot be made
    // or no thread can be had.
    void Start(const TScreenPixels& screen, const TCaptureRegion& rect, int dpi,
               std::string languages);
    void Cancel() noexcept { FCancelled = true; }
    // Once told: what the read gave, the thread joined; nothing for a notice of a read given up
    // before it (the read now running has not ended).
    std::optional<TTextOutcome> Take();
    // On the way out: cancelled, and its thread waited for.
    void CancelAndWait() noexcept;

private:
    ITextReader& FReader;
    IMessageLoop& FLoop;
    bool FRunning = false;
    std::atomic<bool> FCancelled{false};
    std::atomic<bool> FDone{false}; // the thread has left its outcome
    std::mutex FLock;
    TTextOutcome FOutcome;
    std::jthread FThread; // declared last: joined before what it uses goes
};
