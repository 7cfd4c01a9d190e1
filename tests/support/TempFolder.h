#pragma once

#include <string>

// A fresh folder for one test, removed with everything in it afterwards.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The program's path of the folder, ending with "\".
    const std::string& Path() const { return FPath; }
    const std::string& NativePath() const { return FNative; }

    // Program path and native path of a name inside the folder (the name in UTF-8).
    std::string Program(const std::string& utf8Name) const;
    std::string Native(const std::string& utf8Name) const;

    void WriteNative(const std::string& utf8Name, const std::string& bytes) const;
    std::string ReadNative(const std::string& utf8Name) const;
    bool ExistsNative(const std::string& utf8Name) const;
    // Names in the folder, sorted.
    std::string Listing() const;

private:
    std::string FNative;
    std::string FPath;
};
