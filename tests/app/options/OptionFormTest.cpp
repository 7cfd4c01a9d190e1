#include "app/MainForm.h"

#include "base/Texts.h"
#include "platform/OptionSwitches.h"
#include "settings/SettingsTable.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

using TFocus = TOptionFocus;

class OptionFormTest : public ::testing::Test {
protected:
    OptionFormTest() {
        std::filesystem::create_directory(Folder.Native("pics"));
        Platform.Folders[TSpecialFolder::Pictures] = Folder.Program("pics");
        Platform.ExePath = Folder.Program("Quorlan.exe");
        Platform.SetEventHandler(&Form);
        Form.FormCreate();
    }
    TTempFolder Folder;
    THeadlessPlatform Platform;
    TMainForm Form{Platform};
};

TEST_F(OptionFormTest, TheSampleFollowsPrefixDateDigitsAndType) {
    TOptionForm& dialog = Form.Options().Form();
    struct Row {
        const char* prefix;
        int format, digits, type;
        const char* sample;
    } rows[] = {
        {"cap", 2, 3, 1, "cap260507-001.jpg"},
        {"img", 6, 4, 0, "img0507 0905-0001.bmp"},
        {"", 0, 1, 0, "1.bmp"},
        {"a*b", 0, 2, 0, "a*b01.bmp"}, // shown as typed, valid or not
        {"x", 9, 2, -1, "x01.bmp"},    // no such format: no date part
        {"p", 0, 2, 2, "p01.png"},
        {"q", 0, 2, 7, "q01.png"}, // clamped to the last item
    };
    for (const auto& row : rows) {
        dialog.edtPrefix = row.prefix;
        dialog.cmbFormat = row.format;
        dialog.spnDigit.SetValue(row.digits);
        dialog.SetFileType(row.type);
        dialog.edtPrefixChange();
        EXPECT_EQ(dialog.edtSample, row.sample) << row.prefix;
    }
    dialog.spnStartVal.SetValue(77); // not bound to the sample
    dialog.FormShow();
    EXPECT_EQ(dialog.edtSample, "q01.png");
}

TEST_F(OptionFormTest, OkChecksTheNextNumberThePathAndThePrefix) {
    TOptionForm& dialog = Form.Options().Form();
    struct Row {
        int digits;
        const char* next;
        const char* prefix;
        int result;
        TFocus focus;
        const char* path = "C:\\pics";
    } rows[] = {
        {3, "1000", "", mrNone, TFocus::Digit},
        {4, "1000", "", mrOk, TFocus::None},
        {3, "0012", "", mrNone, TFocus::Digit}, // its characters count, not its digits
        {4, "1", "a*b", mrNone, TFocus::Prefix},
        {4, "1", "表", mrOk, TFocus::None},
        {4, "1", "a\tb", mrNone, TFocus::Prefix},
        // A line break pasted into the folder would end up in the settings file.
        {4, "1", "", mrNone, TFocus::Path, "C:\\pics\r\n[Image]"},
        {4, "1", "", mrNone, TFocus::Path, "C:\\pi\tcs"},
    };
    for (const auto& row : rows) {
        Platform.Boxes.clear();
        dialog.spnDigit.SetValue(row.digits);
        dialog.spnStartVal.SetText(row.next);
        dialog.edtPrefix = row.prefix;
        dialog.edtPath = row.path;
        EXPECT_EQ(dialog.btnOKClick(), row.result) << row.next << " " << row.prefix;
        EXPECT_EQ(dialog.FocusRequest(), row.focus);
        if (row.result == mrNone) {
            ASSERT_EQ(Platform.Boxes.size(), 1u);
            EXPECT_EQ(Platform.Boxes[0].Kind, TBoxKind::Error);
            EXPECT_EQ(Platform.Boxes[0].Buttons, TBoxButtons::Ok);
            if (row.focus == TFocus::Path) {
                EXPECT_EQ(Platform.Boxes[0].Text, "保存パスに使用できない文字(改行やタブなど)が"
                                                  "含まれています。");
            } else {
                EXPECT_EQ(
                    Platform.Boxes[0].Text,
                    Text(row.focus == TFocus::Digit ? TText::DigitConflict : TText::BadPrefix));
            }
        }
    }
}

TEST_F(OptionFormTest, OkCopiesBackSavesAndFollowsTheSwitches) {
    Form.Settings().Digit = 12; // widened in memory by overflow questions
    Platform.DialogScript = [this](TOptionValues& dialog) {
        EXPECT_EQ(dialog.spnDigit.Text(), "9"); // shows as 9
        EXPECT_EQ(dialog.edtPath, Folder.Program("pics") + "\\");
        EXPECT_EQ(dialog.rdoColor, 3);
        dialog.edtPath = Folder.Program("pics");
        dialog.edtPrefix = "shot";
        dialog.cmbFormat = 1;
        dialog.spnStartVal.SetValue(42);
        dialog.chkPrtSc = false;
        dialog.chkAltPrtSc = false; // the keys' own switches: the other two keys stay
        dialog.rdoFileType = 1;
        dialog.rdoColor = 0;
        dialog.chkNotify = true;
        return mrOk;
    };
    Form.mnOptionClick();
    EXPECT_FALSE(Form.Options().Form().Visible);
    EXPECT_EQ(Form.Settings().Path, Folder.Program("pics") + "\\");
    EXPECT_EQ(Form.Settings().Digit, 9);
    EXPECT_EQ(Form.Capture().SerialNo(), 42);
    EXPECT_EQ(Form.Settings().ImageType, 1);
    EXPECT_FALSE(Platform.KeyEvent(true, kKeyPrintScreen));
    EXPECT_FALSE(Platform.KeyEvent(true, kKeyPrintScreen, std::nullopt, kModAlt));
    EXPECT_TRUE(Platform.KeyEvent(true, kKeyPrintScreen, std::nullopt, kModCtrl));
    const std::string saved = Folder.ReadNative("Quorlan.ini");
    EXPECT_EQ(saved, "[File]\r\nPath=" + Folder.Program("pics") +
                         "\\\r\nPrefix=shot\r\nDateFormat=1\r\nDigit=9\r\nCaptAtSameTime=1\r\n"
                         "SavePrtScrKey=0\r\nSaveAltPrtScrKey=0\r\nIsUpdate=1\r\n"
                         "ExecApplication=0\r\nCopyToClipboard=0\r\nNotifySaved=1\r\nMagnifier="
                         "1\r\nDelay=0\r\nCaptureCursor=0\r\nMarkup=0\r\nScrollMaxHeight=30000\r\n"
                         "OcrLanguages=jpn+eng\r\n"
                         "[Image]\r\nType=1\r\nBit=0\r\n"
                         "[Keys]\r\nCapture=PrintScreen\r\nCaptureWindow=Alt+PrintScreen\r\n"
                         "SelectRegion=Ctrl+PrintScreen\r\nCaptureScreen=Shift+PrintScreen\r\n"
                         "PrintScreenAsked=0\r\nScrollCapture=Ctrl+Shift+PrintScreen\r\n"
                         "ReadText=Ctrl+Alt+PrintScreen\r\n");

    Platform.DialogScript = [](TOptionValues& dialog) {
        dialog.chkAltPrtSc = true;
        return mrOk;
    };
    Form.mnOptionClick();
    EXPECT_TRUE(Platform.KeyEvent(true, kKeyPrintScreen, std::nullopt, kModAlt));
    EXPECT_FALSE(Platform.KeyEvent(true, kKeyPrintScreen));
}

TEST_F(OptionFormTest, EveryCheckBoxReachesTheFileAndBack) {
    for (const TOptionSwitch& check : kOptionSwitches) {
        const bool was = Form.Settings().*(*SwitchSetting(check.SettingKey));
        bool shown = !was;
        Platform.DialogScript = [&](TOptionValues& dialog) {
            shown = dialog.*check.Control;
            dialog.*check.Control = !shown;
            return mrOk;
        };
        Form.mnOptionClick();
        EXPECT_EQ(shown, was) << check.SettingKey; // the box showed the setting
        const std::string line = "\r\n" + std::string(check.SettingKey) + (was ? "=0" : "=1");
        EXPECT_NE(Folder.ReadNative("Quorlan.ini").find(line), std::string::npos)
            << check.SettingKey;
        Form.Options().Load();
        EXPECT_EQ(Form.Settings().*(*SwitchSetting(check.SettingKey)), !was) << check.SettingKey;
    }
}

TEST_F(OptionFormTest, CancelChangesNothingButCapturesMeanwhileCount) {
    Form.Capture().SetRegion({0, 0, 2, 2});
    Form.Capture().ShowRegionInCaption();
    const TCaptureSettings before = Form.Settings();
    Platform.DialogScript = [this](TOptionValues& dialog) {
        dialog.edtPrefix = "changed";
        dialog.chkPrtSc = dialog.chkAltPrtSc = false;
        Platform.PostedCaptureNow(); // PrintScreen while the dialog is open
        EXPECT_EQ(dialog.spnStartVal.Text(), "2");
        EXPECT_EQ(Platform.DialogRefreshed, 1);
        Form.mnOptionClick(); // chosen again: only brought to the front
        EXPECT_EQ(Platform.DialogFocused, 1);
        return mrCancel;
    };
    Form.mnOptionClick();
    EXPECT_EQ(Platform.DialogsRun, 1);
    EXPECT_EQ(Form.Settings(), before);
    EXPECT_EQ(Form.Capture().SerialNo(), 2);
    EXPECT_TRUE(Platform.WatcherInstalled);
    EXPECT_FALSE(Folder.ExistsNative("Quorlan.ini"));
}

TEST_F(OptionFormTest, AnUnwritableSettingsFileIsReportedAndTheValuesStay) {
    Folder.WriteNative("Quorlan.ini", "[File]\r\nDigit=4\r\n");
    ::chmod(Folder.Native("Quorlan.ini").c_str(), 0444);
    Platform.DialogScript = [](TOptionValues& dialog) {
        dialog.edtPrefix = "new";
        dialog.edtPath = ""; // not refused; it gets its backslash and nothing fails
        return mrOk;
    };
    Platform.TrayClick(TTrayEvent::RightDown); // nothing chosen
    Platform.MenuChoices = {TMenuCommand::Option};
    Platform.TrayClick(TTrayEvent::RightDown);
    ASSERT_EQ(Platform.ErrorBoxes.size(), 1u);
    EXPECT_EQ(Platform.ErrorBoxes[0],
              Folder.Program("Quorlan.ini") + std::string(" に書き込めません."));
    EXPECT_EQ(Form.Settings().Prefix, "new");
    EXPECT_EQ(Form.Settings().Path, "\\");
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"), "[File]\r\nDigit=4\r\n");
}

} // namespace
