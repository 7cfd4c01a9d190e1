#include "settings/IniFile.h"

#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/Texts.h"
#include "platform/FileSystem.h"
#include "settings/IniText.h"

TIniFile::TIniFile(std::string fileName, IFileSystem& files)
    : FFileName(std::move(fileName)), FFiles(files) {}

TIniFile::~TIniFile() {
    FlushFile();
}

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
    std::string value = defaultValue;
    if (const auto content = FFiles.ReadFile(FFileName, kMaxFileBytes)) {
        if (auto found = FindIniValue(*content, section, key)) {
            value = std::move(*found);
        }
    }
    if (value.size() > kMaxValueBytes) {
        value.resize(kMaxValueBytes);
    }
    return value;
}

std::int32_t TIniFile::ReadNumber(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const {
    return ParseNumberText(ReadText(section, key, "")).value_or(defaultValue);
}

bool TIniFile::ReadSwitch(const std::string& section, const std::string& key,
                          bool defaultValue) const {
    return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteText(const std::string& section, const std::string& key,
                         const std::string& value) {
    std::string content;
    if (FFiles.Exists(FFileName)) {
        // A file that cannot be read whole is never rewritten: that would lose what it holds.
        auto existing = FFiles.ReadFile(FFileName, kMaxFileBytes);
        if (!existing) {
            RaiseWriteRefused();
        }
        content = std::move(*existing);
    }
    const std::string updated = SetIniValue(content, section, key, value);
    try {
        auto file = FFiles.CreateReplacement(FFileName);
        file->Write(updated.data(), updated.size());
        file->Commit();
    } catch (const Exception&) {
        RaiseWriteRefused();
    }
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
