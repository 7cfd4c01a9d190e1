#pragma once

#include <string>
#include <string_view>

// The program's own texts, written once, in UTF-8, in Texts.cpp.
enum class TText {
    AppTitle,
    MainCaption,
    WarningTitle,
    ErrorTitle,
    ButtonYes,
    ButtonNo,
    ButtonOk,
    ButtonCancel,

    IniWriteRefused,
    CreateFileFailed,
    StreamWriteError,
    OutOfSystemResources,
    CanvasNotDrawable,
    ScanlineOutOfRange,
    JpegError,
    InvalidBitmapSize,

    RegionMissing,
    DigitOverflow,
    OverwriteQuestion,
    SaveFailed,

    MenuPosition,
    MenuCapture,
    MenuOption,
    MenuExit,
    HintPosition,
    HintCapture,
    HintOption,
    HintExit,

    OptionCaption,
    OptionFont,
    LabelPath,
    GroupFileName,
    LabelPrefix,
    TipPrefix,
    LabelDateFormat,
    LabelDigit,
    TipDigit,
    LabelSample,
    GroupFileType,
    GroupColor,
    ColorMono,
    Color16Bit,
    Color16Colours,
    Color24Bit,
    Color256Colours,
    Color32Bit,
    CheckCaptAtSameTime,
    CheckPrtSc,
    CheckAltPrtSc,
    CheckUpdate,
    CheckAppli,
    LabelNextValue,
    TipNextValue,
    DigitConflict,
    BadPrefix,
    FolderBrowserTitle,
    CheckCopyToClipboard,
    CheckNotifySaved,
    ClipboardFailed,
    AlreadyRunning,
    BadPath,
    ButtonKeys,
    KeysCaption,
    KeyCapture,
    KeyCaptureWindow,
    KeySelectRegion,
    KeyCaptureScreen,
    KeysHint,
    KeyNeedsModifier,
    KeyTaken,
    SnippingQuestion,
    SnippingFailed,

    Count
};

// The text in UTF-8, as the program holds all text.
const std::string& Text(TText id);
