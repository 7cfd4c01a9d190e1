#include "ocr/TesseractReader.h"

#include "app/text/TextSpacing.h"
#include "base/Errors.h"
#include "imaging/ReadingImage.h"
#include "support/CharacterErrors.h"
#include "support/PngDecoder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The whole way from a screen's pixels to the text put on the clipboard.
std::string ReadSample(ITextReader& reader, const std::string& name, const std::string& languages) {
    const TDecodedPng png =
        DecodePng(ReadBytes(std::string(QUORLAN_RENDERED_SAMPLES) + "/" + name));
    const TReadingImage image = ReadingImageOf(
        {reinterpret_cast<const std::uint8_t*>(png.Pixels.data()), std::int32_t(png.Width),
         std::int32_t(png.Height), std::ptrdiff_t(png.Width) * 4});
    const std::atomic<bool> cancelled{false};
    const auto text = reader.Read(
        {image.Pixels.data(), image.Width, image.Height, image.Width, 96 * kReadingScale},
        languages, cancelled);
    return text ? SpacedAsWritten(*text) : "(cancelled)";
}

std::string Truth(const std::string& name) {
    return SpacedAsWritten(ReadBytes(std::string(QUORLAN_SAMPLES) + "/" + name));
}

// Debian's trained data, held as the program holds its own.
class TesseractReaderTest : public ::testing::Test {
public:
    TesseractReaderTest()
        : Japanese(ReadBytes(std::string(QUORLAN_TESSDATA) + "/jpn.traineddata")),
          English(ReadBytes(std::string(QUORLAN_TESSDATA) + "/eng.traineddata")),
          Reader(std::string(QUORLAN_SAMPLES) + "/none",
                 {{"jpn", Bytes(Japanese)}, {"eng", Bytes(English)}}) {}

    static std::span<const std::uint8_t> Bytes(const std::string& data) {
        return {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()};
    }
    std::string ReadSample(const std::string& name, const std::string& languages = "jpn+eng") {
        return ::ReadSample(Reader, name, languages);
    }
    std::string Japanese, English;
    TTesseractReader Reader;
};

TEST_F(TesseractReaderTest, ReadsScreenTextAsWritten) {
    const struct {
        const char* sample;
        const char* truth;
        double most; // the character error rate allowed
    } rows[] = {
        {"japanese-16-dark.png", "japanese.txt", 0.03},
        {"japanese-16-light.png", "japanese.txt", 0.03},
        {"english-13-dark.png", "english.txt", 0.005},
        {"english-13-light.png", "english.txt", 0.005},
        {"mixed-16-dark.png", "mixed.txt", 0.03},
    };
    for (const auto& row : rows) {
        const std::string read = ReadSample(row.sample);
        EXPECT_LE(CharacterErrorRate(Truth(row.truth), read), row.most) << row.sample << ":\n"
                                                                        << read;
    }
}

TEST_F(TesseractReaderTest, AMissingLanguageIsNamedAndACancelledReadGivesNothing) {
    try {
        ReadSample("english-13-dark.png", "eng+xyz");
        ADD_FAILURE() << "read without the language";
    } catch (const ETextLanguage& error) {
        EXPECT_NE(error.Message().find("「xyz」"), std::string::npos) << error.Message();
    }
    const std::vector<std::uint8_t> white(64 * 64, 255);
    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(Reader.Read({white.data(), 64, 64, 64, 192}, "eng", cancelled), std::nullopt);
}

// A language not built in, read from a data folder whose name is beyond any code page.
TEST(TesseractReaderFolder, ReadsALanguageFromItsDataFolder) {
    TTempFolder folder;
    const std::string data = folder.Native("学習データ 한");
    std::filesystem::create_directory(data);
    std::filesystem::copy_file(std::string(QUORLAN_TESSDATA) + "/eng.traineddata",
                               data + "/eng.traineddata");
    TTesseractReader reader(data, {});
    EXPECT_LE(
        CharacterErrorRate(Truth("english.txt"), ReadSample(reader, "english-13-dark.png", "eng")),
        0.005);
    // Not built into this reader, and not in the folder.
    EXPECT_THROW(ReadSample(reader, "english-13-dark.png", "jpn"), ETextLanguage);
}

} // namespace
