#pragma once

#include "app/CaptureRegion.h"
#include "settings/CaptureSettings.h"

#include <cstdint>
#include <memory>
#include <string>

class IPlatform;
class TIniFile;

// The resident program: settings, capture state and everything the tray drives.
class TMainForm {
public:
    explicit TMainForm(IPlatform& platform);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Opens the settings file beside the executable and reads it.
    void OpenSettings();
    void LoadSettings();
    // Writes the settings file; does nothing while no settings file is open.
    void SaveSettings();

    // The region item reads its base caption followed by "(Left,Top,Right,Bottom)".
    void ShowRegionInCaption();
    // A region has been shown in the region item since start-up.
    bool RegionChosen() const { return FPositionItemCaption != FPositionCaption; }
    const std::string& PositionItemCaption() const { return FPositionItemCaption; }

    TCaptureSettings Settings;
    std::unique_ptr<TIniFile> FIniFile;

    TCaptureRegion FRegion;
    TCaptureRegion FPrevRegion;
    std::int32_t FSerialNo = 1;
    std::string FPositionCaption;

protected:
    IPlatform& FPlatform;

private:
    std::string FPositionItemCaption;
};
