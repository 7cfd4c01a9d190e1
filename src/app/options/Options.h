#pragma once

// The options room: the settings file beside the executable (read at start, written when the
// options change), the options dialog (made once, hidden between uses) with the values it
// shows and takes back on OK, and the question about Windows' own PrintScreen capture.

#include "app/options/OptionForm.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/KeyWatcher.h"
#include "platform/Questions.h"
#include "platform/Shell.h"
#include "settings/CaptureSettings.h"
#include "settings/IniFile.h"

#include <cstdint>
#include <functional>
#include <memory>

class TOptions {
public:
    TOptions(IDialogs& dialogs, IShell& shell, IFileSystem& files, TCaptureSettings& settings,
             IQuestions& questions)
        : FDialogs(dialogs), FShell(shell), FFiles(files), FSettings(settings),
          FQuestions(questions), FForm(dialogs, shell) {}

    // Opens the settings file beside the executable and reads it; raises when it cannot be read.
    void OpenFile();
    // The defaults, the folder the user's pictures.
    void UseDefaults();
    void Load();
    // Writes the settings file; does nothing while no settings file is open.
    void Save();
    void CloseFile() { FFile.reset(); }
    const TIniFile* File() const { return FFile.get(); }

    // Once for a settings file, when a key in use is PrintScreen and Windows takes that key for
    // its own screen capture: whether to turn that off.
    void AskAboutSystemPrintScreen(IKeyWatcher& watcher);

    // The dialog over the settings and the counter's `serialNo`; on OK its values are taken and
    // `taken` told the counter's new number and whether the folder changed, before a request
    // that waited for the dialog may run.
    void RunDialog(std::int32_t serialNo,
                   const std::function<void(std::int32_t serialNo, bool newFolder)>& taken);
    // A capture counted while the dialog is open shows its new number there.
    void ShowSerialNo(std::int32_t serialNo);
    TOptionForm& Form() { return FForm; }

private:
    // The settings from the dialog; the counter's number it holds.
    std::int32_t Take();

    IDialogs& FDialogs;
    IShell& FShell;
    IFileSystem& FFiles;
    TCaptureSettings& FSettings;
    IQuestions& FQuestions;
    TOptionForm FForm;
    std::unique_ptr<TIniFile> FFile;
};
