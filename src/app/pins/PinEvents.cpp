#include "app/pins/Pins.h"

#include "platform/MainWindow.h"

TPinCommand TPins::CommandFor(const TPinEvent& event, IQuestions& questions) {
    switch (event.Kind) {
    case TPinEventKind::Key:
        if (event.Key == kKeyEscape) {
            return TPinCommand::Close;
        }
        if ((event.Shift & ssCtrl) && event.Key == 'C') {
            return TPinCommand::Copy;
        }
        if ((event.Shift & ssCtrl) && event.Key == 'S') {
            return TPinCommand::Save;
        }
        break;
    case TPinEventKind::Wheel:
        Wheel(event.Pin, event.Delta, (event.Shift & ssCtrl) != 0, event.At);
        break;
    case TPinEventKind::Menu: {
        // Our menu as the tray's is: a countdown that runs out meanwhile waits for it to close.
        TPinCommand command = TPinCommand::None;
        questions.WhileMenuOpen([&] { command = FWindows.TrackPinMenu(event.Pin, event.At); });
        return command;
    }
    case TPinEventKind::DoubleClick:
    case TPinEventKind::Close:
        return TPinCommand::Close;
    }
    return TPinCommand::None;
}
