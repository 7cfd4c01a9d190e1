#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

#include "base/Cp932.h"
#include "base/Errors.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"
#include "base/Utf.h"
#include "support/PosixFileSystem.h"
#include "support/HeadlessPlatform.h"
#include "support/SettingsFileFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

using SettingsStoreTest = TSettingsFileFixture;

TEST_F(SettingsStoreTest, NoFileGivesTheDefaultsAndWritesNothing) {
    const TCaptureSettings settings = LoadSettings(Ini, Platform.Files(), Platform);
    TCaptureSettings expected;
    expected.Path = Folder.Program("Pictures") + "\\";
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(settings.Digit, 4);
    EXPECT_EQ(settings.ImageBit, 3);
    EXPECT_TRUE(settings.IsUpdate && settings.CaptAtSameTime && settings.SavePrtScrKey &&
                settings.SaveAltPrtScrKey && !settings.ExecApplication);
    EXPECT_FALSE(Folder.ExistsNative("Quorlan.ini"));
}

TEST_F(SettingsStoreTest, ClampsAndFallsBack) {
    struct Row {
        const char* line;
        std::int32_t TCaptureSettings::*field;
        std::int32_t expected;
    } numbers[] = {
        {"[File]\nDateFormat=-3", &TCaptureSettings::DateFormat, 0},
        {"[File]\nDateFormat=99", &TCaptureSettings::DateFormat, 6},
        {"[File]\nDateFormat=9", &TCaptureSettings::DateFormat, 6},
        {"[File]\nDateFormat=$5", &TCaptureSettings::DateFormat, 5},
        {"[File]\nDigit=0", &TCaptureSettings::Digit, 1},
        {"[File]\nDigit=12", &TCaptureSettings::Digit, 9},
        {"[File]\nDigit=99999999999", &TCaptureSettings::Digit, 4}, // not a number
        {"[File]\nDigit=five", &TCaptureSettings::Digit, 4},
        {"[File]\nDigit=-2147483648", &TCaptureSettings::Digit, 1},
        {"[Image]\nType=5", &TCaptureSettings::ImageType, 0},
        {"[Image]\nType=-1", &TCaptureSettings::ImageType, 0},
        {"[Image]\nType=2", &TCaptureSettings::ImageType, 2}, // PNG
        {"[Image]\nType=3", &TCaptureSettings::ImageType, 0},
        {"[Image]\nType=1", &TCaptureSettings::ImageType, 1},
        {"[Image]\nBit=-1", &TCaptureSettings::ImageBit, 3},
        {"[Image]\nBit=6", &TCaptureSettings::ImageBit, 3},
        {"[Image]\nBit=9", &TCaptureSettings::ImageBit, 3},
        {"[Image]\nBit=5", &TCaptureSettings::ImageBit, 5},
        {"[Image]\nBit=0", &TCaptureSettings::ImageBit, 0},
        {"[File]\nBit=0", &TCaptureSettings::ImageBit, 3}, // wrong section
        {"[File]\nDelay=31", &TCaptureSettings::Delay, 0},
        {"[File]\nDelay=-1", &TCaptureSettings::Delay, 0},
        {"[File]\nDelay=30", &TCaptureSettings::Delay, 30},
    };
    for (const auto& row : numbers) {
        EXPECT_EQ(LoadFrom(row.line).*row.field, row.expected) << row.line;
    }

    struct SwitchRow {
        const char* line;
        bool expected;
    } switches[] = {
        {"[File]\nIsUpdate=0", false}, {"[File]\nIsUpdate=2", true},
        {"[File]\nIsUpdate=-1", true}, {"[File]\nIsUpdate=yes", true},
        {"[File]\nIsUpdate=", true},   {"[File]\nIsUpdate=0x0", false},
    };
    for (const auto& row : switches) {
        EXPECT_EQ(LoadFrom(row.line).IsUpdate, row.expected) << row.line;
    }
    EXPECT_TRUE(LoadFrom("[File]\nExecApplication=1").ExecApplication);
    EXPECT_FALSE(LoadFrom("[File]\nExecApplication=zz").ExecApplication);
    EXPECT_TRUE(LoadFrom("[File]\nCopyToClipboard=1").CopyToClipboard);
    EXPECT_TRUE(LoadFrom("[File]\nNotifySaved=2").NotifySaved);
    EXPECT_FALSE(LoadFrom("[file]\nnotifysaved=x").NotifySaved);
    EXPECT_FALSE(LoadFrom("[File]\nMagnifier=0").Magnifier);

    // Keys: one that cannot be read is the default, an empty one none, and one that two
    // actions end up with the first's.
    const TCaptureSettings keys = LoadFrom("[Keys]\nCapture=Ctrl+Banana\nCaptureWindow=\n"
                                           "SelectRegion=printscreen\nCaptureScreen= win + f9 ");
    EXPECT_EQ(keys.Capture, (TKeyChord{kKeyPrintScreen, 0}));
    EXPECT_TRUE(keys.CaptureWindow.None());
    EXPECT_TRUE(keys.SelectRegion.None()); // PrintScreen is Capture's
    EXPECT_EQ(keys.CaptureScreen, (TKeyChord{0x78, kModWin}));
}

TEST_F(SettingsStoreTest, KeepsOnlyUsablePrefixes) {
    const std::string hyo = "表"; // two bytes in the code page
    struct Row {
        std::string stored;
        std::string expected;
    } rows[] = {
        {std::string(20, 'a'), std::string(20, 'a')},
        {std::string(21, 'a'), ""},
        {std::string(18, 'a') + hyo, std::string(18, 'a') + hyo}, // 20 bytes
        {std::string(19, 'a') + hyo, ""},                         // 21 bytes
        {"a:b", ""},
        {"a*b", ""},
        {hyo + "shot", hyo + "shot"}, // its second byte is no backslash
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LoadFrom("[File]\r\nPrefix=" + row.stored + "\r\n").Prefix, row.expected)
            << row.stored;
    }
}

TEST_F(SettingsStoreTest, LanguagesAreDataNamesJoinedByPlus) {
    const struct {
        std::string stored;
        std::string expected;
    } rows[] = {
        {"jpn+eng", "jpn+eng"},
        {"chi_sim", "chi_sim"},
        {"jpn+eng+jpn_vert", "jpn+eng+jpn_vert"},
        {"", "jpn+eng"},
        {"jpn+", "jpn+eng"},
        {"+eng", "jpn+eng"},
        {"jpn++eng", "jpn+eng"},
        {"jpn eng", "jpn+eng"},
        {"..\\eng", "jpn+eng"},
        {"日本語", "jpn+eng"},
        {std::string(200, 'a'), std::string(200, 'a')},
        {std::string(201, 'a'), "jpn+eng"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LoadFrom("[File]\r\nOcrLanguages=" + row.stored + "\r\n").OcrLanguages,
                  row.expected)
            << row.stored;
    }
}

TEST_F(SettingsStoreTest, PathMustNameAnExistingFolder) {
    std::filesystem::create_directory(Folder.Native("Temp"));
    std::filesystem::create_directory(Folder.Native("表"));
    Folder.WriteNative("file.txt", "x");
    const std::string pictures = Folder.Program("Pictures") + "\\";
    struct Row {
        std::string stored;
        std::string expected;
    } rows[] = {
        {Folder.Program("Temp"), Folder.Program("Temp") + "\\"},
        {Folder.Program("Temp") + "\\", Folder.Program("Temp") + "\\"},
        {Folder.Program("表"), Folder.Program("表") + "\\"},
        {Folder.Program("file.txt"), pictures},
        {Folder.Program("deleted"), pictures},
        {"", pictures},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LoadFrom("[File]\r\nPath=" + row.stored + "\r\n").Path, row.expected)
            << row.stored;
    }

    Platform.Folders.erase(TSpecialFolder::Pictures);
    EXPECT_EQ(LoadFrom("[File]\r\nPath=\r\n").Path, Folder.Program("Documents") + "\\");
    Platform.Folders.clear();
    EXPECT_EQ(LoadFrom("[File]\r\nPath=C:\\gone\r\n").Path, "C:\\gone\\");
    EXPECT_EQ(LoadFrom("").Path, "\\");
}

TEST_F(SettingsStoreTest, AFreshlySavedFileHasExactlyTheseBytes) {
    TCaptureSettings settings;
    settings.Path = "C:\\Pictures\\";
    SaveSettings(settings, Ini);
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"),
              "[File]\r\nPath=C:\\Pictures\\\r\nPrefix=\r\nDateFormat=0\r\nDigit=4\r\n"
              "CaptAtSameTime=1\r\nSavePrtScrKey=1\r\nSaveAltPrtScrKey=1\r\nIsUpdate=1\r\n"
              "ExecApplication=0\r\nCopyToClipboard=0\r\nNotifySaved=0\r\nMagnifier=1\r\nDelay="
              "0\r\nCaptureCursor=0\r\nMarkup=0\r\nScrollMaxHeight=30000\r\n"
              "OcrLanguages=jpn+eng\r\n"
              "[Image]\r\nType=0\r\nBit=3\r\n"
              "[Keys]\r\nCapture=PrintScreen\r\nCaptureWindow=Alt+PrintScreen\r\n"
              "SelectRegion=Ctrl+PrintScreen\r\nCaptureScreen=Shift+PrintScreen\r\n"
              "PrintScreenAsked=0\r\nScrollCapture=Ctrl+Shift+PrintScreen\r\n"
              "ReadText=Ctrl+Alt+PrintScreen\r\n");
}

TEST_F(SettingsStoreTest, EveryRowOffItsDefaultReadsBackTheSame) {
    // Each row of the settings table alone off its default, then all of them: a setting saved
    // and not loaded, or loaded and not saved, or kept in another row's field, reads back
    // otherwise.
    std::filesystem::create_directory(Folder.Native("画像 表"));
    const auto offDefault = [this](TCaptureSettings& settings, const TSettingRow& row) {
        std::visit(
            [&](const auto& setting) {
                using T = std::decay_t<decltype(setting)>;
                if constexpr (std::is_same_v<T, TTextSetting>) {
                    settings.*setting.Field = setting.Rule == TTextRule::Path
                                                  ? Folder.Program("画像 表") + "\\"
                                              : setting.Rule == TTextRule::Languages
                                                  ? "chi_sim+jpn_vert"
                                                  : "ソ表shot "; // a blank at the end survives
                } else if constexpr (std::is_same_v<T, TNumberSetting>) {
                    settings.*setting.Field =
                        setting.Default == setting.Max ? setting.Min : setting.Max;
                } else if constexpr (std::is_same_v<T, TKeySetting>) {
                    const auto action =
                        std::find(std::begin(kActionKeys), std::end(kActionKeys), setting.Field) -
                        std::begin(kActionKeys);
                    settings.*setting.Field = {static_cast<std::uint16_t>(0x7C + action), // F13..
                                               kModCtrl | kModShift};
                } else {
                    settings.*setting.Field = !setting.Default;
                }
            },
            row.Value);
    };
    TCaptureSettings defaults;
    defaults.Path = Folder.Program("Pictures") + "\\";
    TCaptureSettings all = defaults;
    for (const TSettingRow& row : kSettingRows) {
        TCaptureSettings one = defaults;
        offDefault(one, row);
        offDefault(all, row);
        EXPECT_NE(one, defaults) << row.Key;
        SaveSettings(one, Ini);
        EXPECT_EQ(LoadSettings(Ini, Platform.Files(), Platform), one) << row.Key;
        std::filesystem::remove(Folder.Native("Quorlan.ini"));
    }
    TCaptureSettings settings = all;
    SaveSettings(settings, Ini);
    EXPECT_EQ(LoadSettings(Ini, Platform.Files(), Platform), settings);

    // Saving again over a hand-edited file replaces the keys where they stand.
    Folder.WriteNative("Quorlan.ini", "; mine\n[image]\nbit=2\n[file]\ndigit=3\nOther=keep\n");
    SaveSettings(settings, Ini);
    const std::string saved = Folder.ReadNative("Quorlan.ini");
    EXPECT_EQ(
        saved.rfind("; mine\n[image]\nbit=5\nType=2\r\n[file]\ndigit=9\nOther=keep\nPath=", 0), 0u)
        << saved;
    EXPECT_EQ(LoadSettings(Ini, Platform.Files(), Platform), settings);
}

TEST_F(SettingsStoreTest, AReadOnlyFileIsLeftAsItWas) {
    Folder.WriteNative("Quorlan.ini", "[File]\r\nDigit=7\r\n");
    ::chmod(Folder.Native("Quorlan.ini").c_str(), 0444);
    TCaptureSettings settings;
    settings.Path = "C:\\x\\";
    EXPECT_THROW(SaveSettings(settings, Ini), EIniFileException);
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"), "[File]\r\nDigit=7\r\n");
    EXPECT_EQ(LoadSettings(Ini, Platform.Files(), Platform).Digit, 7);
}

// What the file holds, in any of its encodings, and what loading makes of it.
TEST_F(SettingsStoreTest, ValuesReadAsTheirEncodingAndBadBytesAreRefused) {
    std::filesystem::create_directory(Folder.Native("Jürgen 𠮷"));
    const std::string folder = Folder.Program("Jürgen 𠮷") + "\\";
    const std::string pictures = Folder.Program("Pictures") + "\\";
    const auto utf16 = [](const std::string& text) {
        std::string bytes = "\xFF\xFE";
        for (const char16_t unit : Utf16FromUtf8(text)) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
    };
    struct Row {
        const char* Name;
        std::string Bytes;
        std::string Prefix;
        std::string Path;
    } rows[] = {
        {"code page", "[File]\r\nPrefix=\x95\x5C\r\n", "表", pictures},
        {"NUL ends a value", std::string("[File]\r\nPrefix=ab\0cd\r\n", 21), "ab", pictures},
        {"undefined bytes",
         "[File]\r\nPrefix=a\x85\x40\r\nPath=" + *EncodeCp932(pictures) + "\x81\r\n", "", pictures},
        {"UTF-8 mark", "\xEF\xBB\xBF[File]\r\nPrefix=é😀\r\nPath=" + folder + "\r\n", "é😀", folder},
        {"UTF-8 mark, bad byte", "\xEF\xBB\xBF[File]\r\nPrefix=a\xFF\r\n", "", pictures},
        {"UTF-16LE mark", utf16("[File]\r\nPrefix=José\r\nPath=" + folder + "\r\n"), "José",
         folder},
    };
    for (const auto& row : rows) {
        Folder.WriteNative("Quorlan.ini", row.Bytes);
        const TCaptureSettings settings = LoadSettings(Ini, Platform.Files(), Platform);
        EXPECT_EQ(settings.Prefix, row.Prefix) << row.Name;
        EXPECT_EQ(settings.Path, row.Path) << row.Name;
    }
}

// Counts what a save does to the file system, and can refuse new files in the folder.
class TWatchedFiles : public TPosixFileSystem {
public:
    std::unique_ptr<TOutputFile> CreateReplacement(const std::string& path) override {
        ++Replacements;
        if (RefuseNewFiles) {
            throw EFCreateError("refused");
        }
        return TPosixFileSystem::CreateReplacement(path);
    }
    std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) override {
        ++Reads;
        return TPosixFileSystem::ReadFile(path, limit);
    }
    int Replacements = 0;
    int Reads = 0;
    bool RefuseNewFiles = false;
};

TEST_F(SettingsStoreTest, ASaveIsOneReplacementThatKeepsWhatIsNotOurs) {
    TWatchedFiles files;
    TIniFile ini(Folder.Program("Quorlan.ini"), files);
    const std::string theirs = "; \x95\x5C\r\n[Other]\r\nKey=\x83\x5C\r\n";
    Folder.WriteNative("Quorlan.ini", theirs);
    TCaptureSettings settings;
    settings.Path = "C:\\画像\\";
    SaveSettings(settings, ini);
    EXPECT_EQ(files.Replacements, 1);
    EXPECT_EQ(files.Reads, 1);
    const std::string fitting = Folder.ReadNative("Quorlan.ini");
    EXPECT_EQ(fitting, theirs +
                           "[File]\r\nPath=C:\\\x89\xE6\x91\x9C\\\r\nPrefix=\r\n"
                           "DateFormat=0\r\nDigit=4\r\nCaptAtSameTime=1\r\n"
                           "SavePrtScrKey=1\r\nSaveAltPrtScrKey=1\r\nIsUpdate=1\r\n"
                           "ExecApplication=0\r\nCopyToClipboard=0\r\nNotifySaved=0\r\nMagnifier="
                           "1\r\nDelay=0\r\nCaptureCursor=0\r\nMarkup=0\r\nScrollMaxHeight="
                           "30000\r\nOcrLanguages=jpn+eng\r\n"
                           "[Image]\r\nType=0\r\nBit=3\r\n"
                           "[Keys]\r\nCapture=PrintScreen\r\nCaptureWindow=Alt+PrintScreen\r\n"
                           "SelectRegion=Ctrl+PrintScreen\r\nCaptureScreen=Shift+PrintScreen\r\n"
                           "PrintScreenAsked=0\r\nScrollCapture=Ctrl+Shift+PrintScreen\r\nReadText="
                           "Ctrl+Alt+PrintScreen\r\n");

    // A value beyond the code page: the whole file as UTF-16LE, read back the same.
    settings.Prefix = "José😀";
    SaveSettings(settings, ini);
    const std::string wide = Folder.ReadNative("Quorlan.ini");
    EXPECT_EQ(wide.substr(0, 6), std::string("\xFF\xFE;\0 \0", 6));
    EXPECT_EQ(ini.ReadText("File", "Prefix", ""), "José😀");
    EXPECT_EQ(ini.ReadText("Other", "Key", ""), "ソ");
    // Back within the code page: the file is as it was.
    settings.Prefix.clear();
    SaveSettings(settings, ini);
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"), fitting);

    // Bytes the code page does not define stay as they were.
    Folder.WriteNative("Quorlan.ini", "[X]\r\nY=\x85\x40\x81\r\n");
    SaveSettings(settings, ini);
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini").substr(0, 18), "[X]\r\nY=\x85\x40\x81\r\n[File]");

    // A folder that refuses new files, or a read-only file: the save is refused and the file
    // stays byte for byte (it is never rewritten where it stands, which a crash could tear).
    Folder.WriteNative("Quorlan.ini", "[File]\r\nDigit=2\r\n");
    settings.Digit = 7;
    files.RefuseNewFiles = true;
    EXPECT_THROW(SaveSettings(settings, ini), EIniFileException);
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"), "[File]\r\nDigit=2\r\n");
    files.RefuseNewFiles = false;
    ::chmod(Folder.Native("Quorlan.ini").c_str(), 0444);
    EXPECT_THROW(SaveSettings(settings, ini), EIniFileException);
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"), "[File]\r\nDigit=2\r\n");
}

TEST(PathRules, EnsureFinalBackslashAndThePrefixTest) {
    EXPECT_EQ(EnsureFinalBackslash("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(EnsureFinalBackslash("C:\\Temp\\"), "C:\\Temp\\");
    EXPECT_EQ(EnsureFinalBackslash("C:\\表"), "C:\\表\\");
    EXPECT_EQ(EnsureFinalBackslash("C:\\ソ"), "C:\\ソ\\");
    EXPECT_EQ(EnsureFinalBackslash(""), "\\");

    for (const char c : std::string("\\/:*?\"<>|\t\r\n\x01\x1F\x7F")) {
        EXPECT_FALSE(IsValidPrefix(std::string("ab") + c)) << int(c);
    }
    EXPECT_TRUE(IsValidPrefix(""));
    EXPECT_TRUE(IsValidPrefix("表ソ－"));
    EXPECT_TRUE(IsValidPrefix("shot-01_."));
    EXPECT_TRUE(IsValidPrefix("José😀"));
    EXPECT_FALSE(IsValidPrefix("a\xED\xB2\x81")); // a byte the code page does not define
    // Names that open a device: a dot after them, whatever their case and blanks before it.
    for (const char* device : {"CON.", "con.x", "Nul .", "PRN.a.b", "AUX.", "COM1.", "lpt9."}) {
        EXPECT_FALSE(IsValidPrefix(device)) << device;
    }
    for (const char* file : {"CON", "CONSOLE.", "COM0.", "COM10.", "LPT.", "xCON.", "NUL-"}) {
        EXPECT_TRUE(IsValidPrefix(file)) << file;
    }

    EXPECT_EQ(SettingsFilePath("C:\\Tools\\Quorlan.exe"), "C:\\Tools\\Quorlan.ini");
    EXPECT_EQ(SettingsFilePath("C:\\表\\Quorlan.exe"), "C:\\表\\Quorlan.ini");
    EXPECT_EQ(SettingsFilePath("D:Quorlan.exe"), "D:\\Quorlan.ini");
}

} // namespace
