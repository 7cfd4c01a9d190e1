#include "settings/IniFile.h"

#include "base/Cp932.h"
#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/Texts.h"
#include "platform/FileSystem.h"
#include "settings/IniText.h"

#include <algorithm>

TIniFile::TIniFile(std::string fileName, IFileSystem& files)
    : FFileName(std::move(fileName)), FFiles(files) {}

TIniFile::~TIniFile() {
    FlushFile();
}

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
    std::string value = defaultValue;
    if (const auto content = FFiles.ReadFile(FFileName, kMaxFileBytes)) {
        if (auto found = FindIniValue(DecodeIniFile(*content), section, key)) {
            value = std::move(*found);
            value.resize(std::min(value.size(), value.find('\0')));
        }
    }
    return CutToCp932Bytes(value, kMaxValueBytes);
}

std::int32_t TIniFile::ReadNumber(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const {
    return ParseNumberText(ReadText(section, key, "")).value_or(defaultValue);
}

bool TIniFile::ReadSwitch(const std::string& section, const std::string& key,
                          bool defaultValue) const {
    return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteValues(const std::vector<TEntry>& entries) {
    std::string text;
    bool fromCodePage = true;
    if (FFiles.Exists(FFileName)) {
        // A file that cannot be read whole is never rewritten: that would lose what it holds.
        auto existing = FFiles.ReadFile(FFileName, kMaxFileBytes);
        if (!existing) {
            RaiseWriteRefused();
        }
        text = DecodeIniFile(*existing);
        fromCodePage = !IsUnicodeIniFile(*existing);
    }
    for (const TEntry& entry : entries) {
        text = SetIniValue(text, entry.Section, entry.Key, entry.Value);
    }
    const std::string bytes = EncodeIniFile(text, fromCodePage);
    try {
        auto file = FFiles.CreateReplacement(FFileName);
        file->Write(bytes.data(), bytes.size());
        file->Commit();
        return;
    } catch (const Exception&) {
        // The folder may refuse a new file where the file itself may still be written.
    }
    if (!FFiles.Exists(FFileName) || !FFiles.RewriteInPlace(FFileName, bytes)) {
        RaiseWriteRefused();
    }
}

void TIniFile::WriteText(const std::string& section, const std::string& key,
                         const std::string& value) {
    WriteValues({{section, key, value}});
}

void TIniFile::WriteNumber(const std::string& section, const std::string& key, std::int32_t value) {
    WriteText(section, key, std::to_string(value));
}

void TIniFile::WriteSwitch(const std::string& section, const std::string& key, bool value) {
    WriteText(section, key, value ? "1" : "0");
}

void TIniFile::RaiseWriteRefused() const {
    throw EIniFileException(FormatText(Text(TText::IniWriteRefused), {FFiles.FullPath(FFileName)}));
}
