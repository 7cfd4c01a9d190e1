// The settings file at its largest: loading and saving a 50 MB file (our keys first, then
// notes of another program in Japanese), as a start-up and an OK of the options dialog do.

#include "settings/IniFile.h"
#include "settings/SettingsStore.h"
#include "support/HeadlessPlatform.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string LargeSettingsFile() {
    std::string text = "[File]\r\nPath=C:\\\r\nPrefix=shot \r\nDigit=4\r\n[Image]\r\nType=2\r\n"
                       "[Notes]\r\n";
    const std::string note = "\x83\x81\x83\x82=\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x81\x83\x82 ";
    for (int i = 0; text.size() < 50u << 20; ++i) {
        text += "Note" + std::to_string(i) + note + std::to_string(i) + "\r\n";
    }
    return text;
}

struct TLargeFile {
    TTempFolder Folder;
    THeadlessPlatform Platform;
    TLargeFile() { Folder.WriteNative("Quorlan.ini", LargeSettingsFile()); }
};

void Load50MB(benchmark::State& state) {
    TLargeFile file;
    const TIniFile ini(file.Folder.Program("Quorlan.ini"), file.Platform.Files());
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadSettings(ini, file.Platform.Files(), file.Platform));
    }
}
BENCHMARK(Load50MB)->Unit(benchmark::kMillisecond);

void Save50MB(benchmark::State& state) {
    TLargeFile file;
    TIniFile ini(file.Folder.Program("Quorlan.ini"), file.Platform.Files());
    TCaptureSettings settings = LoadSettings(ini, file.Platform.Files(), file.Platform);
    for (auto _ : state) {
        ++settings.Digit %= 10;
        SaveSettings(settings, ini);
    }
}
BENCHMARK(Save50MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
