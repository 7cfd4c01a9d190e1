// The end-to-end driver's hands: the keyboard and the mouse, as a user works them, through
// SendInput (keys with their scan codes, which Wine needs).

#include "Driver.h"

void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void PrintScreen(bool withAlt) {
    if (withAlt) {
        Key(VK_MENU, false);
    }
    Key(VK_SNAPSHOT, false);
    Key(VK_SNAPSHOT, true);
    if (withAlt) {
        Key(VK_MENU, true);
    }
}

void MouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Pump(150);
}

void MouseToVirtual(int x, int y) {
    const RECT all = VirtualScreen();
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x - all.left) * 65535 / (all.right - all.left - 1);
    input.mi.dy = (y - all.top) * 65535 / (all.bottom - all.top - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &input, sizeof input);
    Pump(150);
}

namespace {

void Button(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
    Pump(150);
}

} // namespace

void LeftButton(bool up) {
    Button(up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
}

void RightButton(bool up) {
    Button(up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN);
}

void Drag(int x0, int y0, int x1, int y1) {
    MouseTo(x0, y0);
    LeftButton(false);
    MouseTo((x0 + x1) / 2, (y0 + y1) / 2);
    MouseTo(x1, y1);
    LeftButton(true);
}

void Press(WORD key) {
    Key(key, false);
    Key(key, true);
    Pump(150);
}

void Chord(WORD modifier, WORD key) {
    Key(modifier, false);
    Key(key, false);
    Key(key, true);
    Key(modifier, true);
    Pump(200);
}

void Type(const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) {
        INPUT input[2]{};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = *c;
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, input, sizeof input[0]);
    }
    Pump(200);
}

POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Click(HWND window) {
    const POINT at = CentreOf(window);
    MouseTo(at.x, at.y);
    LeftButton(false);
    LeftButton(true);
}

void DoubleClick(HWND window) {
    Click(window);
    LeftButton(false); // 300 ms after the first press: within the double-click time
    LeftButton(true);
}
