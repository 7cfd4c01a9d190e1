#pragma once

#include "settings/IniText.h"

#include <cstdint>
#include <string>
#include <vector>

class IFileSystem;

// The settings file. It holds only its path: every read and every write goes to the file
// itself, so nothing is cached between calls. Many keys are read at once from a snapshot.
class TIniFile {
public:
    TIniFile(std::string fileName, IFileSystem& files);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return FFileName; }

    // At most this many bytes of a value (counted in the code page) are returned; a longer
    // value is cut there. A value also ends at its first NUL, as the platform reads it.
    static constexpr std::size_t kMaxValueBytes = 2047;
    // A file longer than this is not read (reads give their defaults, writes are refused).
    static constexpr std::size_t kMaxFileBytes = 64u << 20;

    // The file's values as they are now, read and decoded once; reads from it follow the
    // rules of the reads below.
    class TSnapshot {
    public:
        explicit TSnapshot(std::string content) : FValues(std::move(content)) {}
        std::string ReadText(const std::string& section, const std::string& key,
                             const std::string& defaultValue) const;
        std::int32_t ReadNumber(const std::string& section, const std::string& key,
                                std::int32_t defaultValue) const;
        bool ReadSwitch(const std::string& section, const std::string& key,
                        bool defaultValue) const;

    private:
        TIniValues FValues;
    };
    TSnapshot Snapshot() const;

    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
    std::int32_t ReadNumber(const std::string& section, const std::string& key,
                            std::int32_t defaultValue) const;
    bool ReadSwitch(const std::string& section, const std::string& key, bool defaultValue) const;

    using TEntry = TIniEntry;
    // Sets the keys in this order, all in one replacement of the file: one read, one new
    // version written and moved over it. Raises EIniFileException naming the file when the
    // write is refused (a folder that takes no new file refuses it too: the file is never
    // rewritten where it stands, which a crash could leave torn); the file is then left
    // exactly as it was.
    void WriteValues(const std::vector<TEntry>& entries);

    void WriteText(const std::string& section, const std::string& key, const std::string& value);
    void WriteNumber(const std::string& section, const std::string& key, std::int32_t value);
    void WriteSwitch(const std::string& section, const std::string& key, bool value);

    // Nothing is held between calls, so there is nothing to write out.
    void FlushFile() {}

private:
    [[noreturn]] void RaiseWriteRefused() const;

    std::string FFileName;
    IFileSystem& FFiles;
};
