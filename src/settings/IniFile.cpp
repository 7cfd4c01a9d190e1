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

TIniFile::TSnapshot TIniFile::Snapshot() const {
    const auto content = FFiles.ReadFile(FFileName, kMaxFileBytes);
    return TSnapshot(content ? DecodeIniFile(*content) : std::string());
}

std::string TIniFile::TSnapshot::ReadText(const std::string& section, const std::string& key,
                                          const std::string& defaultValue) const {
    std::string value = defaultValue;
    if (auto found = FValues.Find(section, key)) {
        value = std::move(*found);
        value.resize(std::min(value.size(), value.find('\0')));
    }
    return CutToCp932Bytes(value, kMaxValueBytes);
}

std::int32_t TIniFile::TSnapshot::ReadNumber(const std::string& section, const std::string& key,
                                             std::int32_t defaultValue) const {
    return ParseNumberText(ReadText(section, key, "")).value_or(defaultValue);
}

bool TIniFile::TSnapshot::ReadSwitch(const std::string& section, const std::string& key,
                                     bool defaultValue) const {
    return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
    return Snapshot().ReadText(section, key, defaultValue);
}

std::int32_t TIniFile::ReadNumber(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const {
    return Snapshot().ReadNumber(section, key, defaultValue);
}

bool TIniFile::ReadSwitch(const std::string& section, const std::string& key,
                          bool defaultValue) const {
    return Snapshot().ReadSwitch(section, key, defaultValue);
}

void TIniFile::WriteValues(const std::vector<TEntry>& entries) {
    for (const TEntry& entry : entries) {
        // Written as it stands, a line break would end the value and make the rest a line of
        // its own: a key or a section the user never set.
        if (entry.Value.find_first_of("\r\n") != std::string::npos) {
            RaiseWriteRefused();
        }
    }
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
    const std::string bytes = EncodeIniFile(SetIniValues(text, entries), fromCodePage);
    try {
        auto file = FFiles.CreateReplacement(FFileName);
        file->Write(bytes.data(), bytes.size());
        file->Commit();
    } catch (const Exception&) {
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
