#include "settings/IniFile.h"

#include "base/Errors.h"
#include "support/PosixFileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    TTempFolder Folder;
    TPosixFileSystem Files;
    TIniFile Ini{Folder.Program("Quorlan.ini"), Files};
};

TEST_F(IniFileTest, ReadsDefaultsWhenTheFileIsMissingAndDoesNotCreateIt) {
    EXPECT_EQ(Ini.ReadText("File", "Path", "dflt"), "dflt");
    EXPECT_EQ(Ini.ReadNumber("File", "Digit", 4), 4);
    EXPECT_TRUE(Ini.ReadSwitch("File", "IsUpdate", true));
    EXPECT_FALSE(Folder.ExistsNative("Quorlan.ini"));
}

TEST_F(IniFileTest, EveryCallGoesToTheFile) {
    Ini.WriteNumber("File", "Digit", 5);
    EXPECT_EQ(Ini.ReadNumber("File", "Digit", 4), 5);
    Folder.WriteNative("Quorlan.ini", "[File]\nDigit=7\n"); // changed behind its back
    EXPECT_EQ(Ini.ReadNumber("File", "Digit", 4), 7);
    Ini.WriteSwitch("File", "IsUpdate", false);
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"), "[File]\nDigit=7\nIsUpdate=0\r\n");
    EXPECT_EQ(Folder.Listing(), "Quorlan.ini"); // no temporary file left
}

TEST_F(IniFileTest, NumbersAndSwitchesFollowTheNumberRule) {
    Folder.WriteNative("Quorlan.ini",
                       "[File]\r\nA=0x9\r\nB=5 \r\nC=yes\r\nD=-1\r\nE=2\r\nF=0\r\nG=\r\n");
    EXPECT_EQ(Ini.ReadNumber("File", "A", 4), 9);
    EXPECT_EQ(Ini.ReadNumber("File", "B", 4), 5); // the blank is dropped with the line's end
    EXPECT_EQ(Ini.ReadNumber("File", "C", 4), 4);
    EXPECT_TRUE(Ini.ReadSwitch("File", "C", true));
    EXPECT_FALSE(Ini.ReadSwitch("File", "C", false));
    EXPECT_TRUE(Ini.ReadSwitch("File", "D", false));
    EXPECT_TRUE(Ini.ReadSwitch("File", "E", false));
    EXPECT_FALSE(Ini.ReadSwitch("File", "F", true));
    EXPECT_TRUE(Ini.ReadSwitch("File", "G", true));
}

TEST_F(IniFileTest, CutsLongValuesAt2047Bytes) {
    Folder.WriteNative("Quorlan.ini", "[File]\r\nPath=" + std::string(3000, 'p') + "\r\n");
    EXPECT_EQ(Ini.ReadText("File", "Path", ""), std::string(2047, 'p'));
    EXPECT_EQ(Ini.ReadText("File", "Missing", std::string(2050, 'd')), std::string(2047, 'd'));
}

TEST_F(IniFileTest, UnreadableFilesGiveDefaults) {
    std::filesystem::create_directory(Folder.Native("Quorlan.ini"));
    EXPECT_EQ(Ini.ReadNumber("File", "Digit", 4), 4);

    TIniFile binary(Folder.Program("binary.ini"), Files);
    std::string bytes(4096, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 37);
    }
    Folder.WriteNative("binary.ini", bytes);
    EXPECT_EQ(binary.ReadNumber("File", "Digit", 4), 4);

    // 50 MB of lines, the keys at the very end, are still read.
    TIniFile large(Folder.Program("large.ini"), Files);
    std::string content = "[File]\r\n";
    const std::string filler = "Filler=" + std::string(1000, 'f') + "\r\n";
    while (content.size() < 50u * 1024 * 1024) {
        content += filler;
    }
    content += "Digit=6\r\n";
    Folder.WriteNative("large.ini", content);
    EXPECT_EQ(large.ReadNumber("File", "Digit", 4), 6);
}

TEST_F(IniFileTest, RefusedWritesRaiseWithTheFullPathAndLoseNothing) {
    Folder.WriteNative("Quorlan.ini", "[File]\r\nDigit=7\r\n");
    ::chmod(Folder.Native("Quorlan.ini").c_str(), 0444);
    try {
        Ini.WriteNumber("File", "Digit", 5);
        FAIL() << "a read-only file was written";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(),
                  Folder.Program("Quorlan.ini") + std::string(" に書き込めません"));
    }
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"), "[File]\r\nDigit=7\r\n");
    EXPECT_EQ(Folder.Listing(), "Quorlan.ini");

    TIniFile inMissingFolder(Folder.Program("gone\\Quorlan.ini"), Files);
    EXPECT_THROW(inMissingFolder.WriteText("File", "Path", "x"), EIniFileException);

    // A line break is never written: it would make the rest of the value a line of its own.
    ::chmod(Folder.Native("Quorlan.ini").c_str(), 0644);
    for (const char* value : {"C:\\a\r\n[Image]\r\nBit=0", "a\nb", "a\rb"}) {
        EXPECT_THROW(Ini.WriteText("File", "Path", value), EIniFileException);
    }
    EXPECT_EQ(Folder.ReadNative("Quorlan.ini"), "[File]\r\nDigit=7\r\n");

    std::filesystem::create_directory(Folder.Native("dir.ini"));
    TIniFile onFolder(Folder.Program("dir.ini"), Files);
    EXPECT_THROW(onFolder.WriteText("File", "Path", "x"), EIniFileException);
}

TEST_F(IniFileTest, AFileTooLargeToReadIsNeverRewritten) {
    // Writing it would mean dropping what could not be read.
    const std::string content(TIniFile::kMaxFileBytes + 1, ';');
    Folder.WriteNative("Quorlan.ini", content);
    EXPECT_THROW(Ini.WriteNumber("File", "Digit", 5), EIniFileException);
    EXPECT_EQ(std::filesystem::file_size(Folder.Native("Quorlan.ini")), content.size());
}

} // namespace
