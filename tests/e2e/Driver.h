#pragma once

// The core of the end-to-end driver: a Windows program run under Wine beside Quorlan.exe. It
// starts the real program, talks to it through its windows and messages, injects keys and
// pointer events with SendInput, reads what the screen shows and checks the files written.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

inline constexpr UINT kTrayNotify = WM_USER + 100;
inline constexpr UINT kCaptureNow = WM_USER + 110;
inline constexpr wchar_t kDialogClass[] = L"#32770"; // the boxes and the options dialog

extern std::wstring gAppFolder; // where Quorlan.exe and its settings file are
extern std::wstring gPictures;  // the capture folder, a name beyond the code page
extern std::string gDefaultIni;
extern bool gCurrentFailed; // a check of the current test failed

// The folders, COM for the imaging component, and the default settings.
void SetUpDriver(const std::wstring& appFolder, const std::wstring& workFolder);

struct TApp {
    PROCESS_INFORMATION Process{};
    HWND Main = nullptr;
};

struct TPatternWindow {
    HWND Window = nullptr;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::vector<std::uint32_t> Pixels;
};

struct TBmpInfo {
    bool Ok = false;
    int Width = 0, Height = 0, Bits = 0;
};

// The options dialog's controls, by the identifiers Quorlan gives them.
enum : int {
    kPathId = 1001,
    kPrefixId = 1003,
    kFormatId = 1004,
    kDigitId = 1005,
    kSampleId = 1007,
    kFileType0Id = 1010,
    kColor0Id = 1020,
    kPrtScId = 1031,
    kAltPrtScId = 1032,
    kStartValId = 1035,
    kKeysButtonId = 1040,
    kKeyBox0Id = 1101 // the keys dialog's boxes, in action order
};

void Check(bool ok, const std::string& what);

std::string Cp932(const std::wstring& wide);

std::string Utf8(const std::wstring& wide);

// Runs this thread's messages (our own windows must paint) for a while.
void Pump(DWORD milliseconds);

bool WaitFor(const std::function<bool()>& condition, DWORD timeout = 10000);

bool ReadFileBytes(const std::wstring& path, std::string& bytes);

void WriteFileBytes(const std::wstring& path, const std::string& bytes);

bool Exists(const std::wstring& path);

// Waits until the file exists and no longer grows (the program publishes it in one move).
bool ReadWhenThere(const std::wstring& path, std::string& bytes);

std::wstring Pic(const std::wstring& name);

std::string IniWith(const std::string& extraFileKeys, const std::string& imageKeys = "");

// Starts the Quorlan.exe of that folder, with another working folder.
bool Launch(TApp& app, const std::wstring& folder);

bool Start(TApp& app, const std::string& ini);

bool Exited(TApp& app, DWORD timeout = 10000);

void Stop(TApp& app);

HWND WaitForBox(const wchar_t* title);

// A control's text, asked of the control itself (its owner may be another process).
std::wstring TextOf(HWND window);

// Presses the box's button with that result, as a click would.
bool Press(HWND box, int result);

void Key(WORD key, bool up);

void PrintScreen(bool withAlt);

HWND WineTray();

// A window of the process shows (its tray menu aside).
bool VisibleWindowOf(DWORD processId);

void ClearPictures();

void MouseTo(int x, int y);

void LeftButton(bool up);
void RightButton(bool up);
// A drag with the left button, by way of the middle.
void Drag(int x0, int y0, int x1, int y1);

bool OpenOverlay(TApp& app);

HWND OpenOptions(TApp& app);

void SetControlText(HWND dialog, int id, const wchar_t* text);

void SetChecked(HWND dialog, int id, bool on);

HWND FocusOf(HWND window);

void Press(WORD key);

void Chord(WORD modifier, WORD key);

void Type(const wchar_t* text);

POINT CentreOf(HWND window);

void Click(HWND window);
void DoubleClick(HWND window);

int CountVisible(const wchar_t* title);

std::string Settings();

std::uint32_t PatternColour(int x, int y);

// A window showing the pattern (offset by `shift`) over that rectangle of the screen, above
// other windows unless `topmost` is false.
void ShowPattern(TPatternWindow& pattern, int left, int top, int width, int height, int shift,
                 bool topmost = true);

void ClosePattern(TPatternWindow& pattern);

// Quorlan started with those settings over an empty capture folder, the pattern covering the
// primary screen; its start is checked, and told.
bool StartOverThePattern(TApp& app, TPatternWindow& pattern, const std::string& ini);

std::uint32_t U32(const std::string& b, std::size_t at);

std::uint16_t U16(const std::string& b, std::size_t at);

TBmpInfo BmpInfo(const std::string& b);

// The bytes of a clipboard format, asked for as a program pasting it would.
std::string ClipboardBytes(UINT format);
// A packed DIB as the BMP file it would be.
std::string AsBmpFile(const std::string& dib);

// Pixel (x, y from the top) of a 24- or 32-bit file as red << 16 | green << 8 | blue.
std::uint32_t BmpPixel(const std::string& b, int x, int y);

int CountPatternMismatches(const std::string& bmp, int width, int height, int shift);

// The pixels of a PNG file as red << 16 | green << 8 | blue, rows from the top; empty when it
// cannot be read.
std::vector<std::uint32_t> ReadPng(const std::wstring& path, UINT& width, UINT& height);

// A 32-bit bitmap's header, rows from the top; those pixels painted at the origin of `dc`.
BITMAPINFO TopDown32(int width, int height);
void PaintTopDown(HDC dc, int width, int height, const std::uint32_t* pixels);

// What the screen shows now, as red << 16 | green << 8 | blue, rows from the top.
std::vector<std::uint32_t> ScreenShot();

// The virtual screen (every monitor), and what it shows within a rectangle of it.
RECT VirtualScreen();
std::vector<std::uint32_t> ScreenShotOf(const RECT& area);

// Waits for the capture file, then whether it is a BMP of that size whose pixel (x, y) is
// `expected` of the screen position (left + x, top + y); the first difference is printed.
bool CapturedExactly(const wchar_t* name, int left, int top, int width, int height,
                     const std::function<std::uint32_t(int x, int y)>& expected);

// The pointer to a position of the virtual screen.
void MouseToVirtual(int x, int y);
