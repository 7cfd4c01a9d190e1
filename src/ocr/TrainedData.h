#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

// Where the recogniser's trained data are read: a language built into the program from memory,
// any other from the data folder, by a file name in UTF-8 (on Windows through its wide file
// names, so that a folder outside the system's code page works). The engine asks for a file
// by its name ("<prefix>jpn.traineddata") through a plain function, hence one table for the
// process.
void SetTrainedData(std::string dataFolder,
                    std::map<std::string, std::span<const std::uint8_t>> builtIn);
// Whether a language's data can be read, built in or in the data folder.
bool HasTrainedData(const std::string& language);
// The engine's file reader: false when the file is nowhere to be read.
bool ReadTrainedData(const char* fileName, std::vector<char>* data);
