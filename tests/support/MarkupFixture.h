#pragma once

#include "app/MainForm.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

// Marks on a 640 x 480 screen over the selection (100, 50)-(300, 200); the toolbar lies below.
class TMarkupFixture : public ::testing::Test {
protected:
    TMarkupFixture() {
        std::filesystem::create_directory(Folder.Native("pics"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("pics");
        Platform.ExePath = Folder.Program("Quorlan.exe");
        Platform.ScreenW = 640, Platform.ScreenH = 480;
        Platform.PaintScreen([](int x, int y) { return Pattern(x, y); });
        Platform.SetEventHandler(&Form);
        Form.FormCreate();
        Form.Settings().Markup = true;
        Form.mnPositionClick();
        Drag(100, 50, 300, 200);
    }
    static std::uint32_t Pattern(int x, int y) {
        return (std::uint32_t(x ^ y) << 8 | (x & 0xFF)) & 0xFFFFFF;
    }
    void Drag(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        Platform.Press(x0, y0);
        Platform.Move(x1, y1, ssLeft);
        Platform.Release(x1, y1);
    }
    void Click(std::int32_t x, std::int32_t y) { Drag(x, y, x, y); }
    void Key(TKeyCode key, TShiftState shift = 0) { Platform.Key(key, shift); }
    std::uint32_t Screen(int x, int y) const { return Platform.ScreenAt(x, y); }

    TTempFolder Folder;
    THeadlessPlatform Platform;
    TMainForm Form{Platform};
};
