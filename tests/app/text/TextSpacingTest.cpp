#include "app/text/TextSpacing.h"

#include <gtest/gtest.h>

namespace {

TEST(TextSpacing, SpacesAsWritten) {
    const struct {
        const char* recognised;
        const char* written;
    } rows[] = {
        {"日 本 語 の 文 章", "日本語の文章"},
        {"東京 ( 日本 ) : 首都", "東京（日本）：首都"},
        {"ファイル を 保存 し ま し た 。", "ファイルを保存しました。"},
        {"本当 ?", "本当？"},
        {"Quorlan で PNG を 保存", "Quorlan で PNG を保存"},
        {"The quick  brown fox (jumps): over", "The quick brown fox (jumps): over"},
        {"width: 800 px", "width: 800 px"},
        {"「 引用 」 と 、 読点", "「引用」と、読点"},
        {"ＡＢＣ １２３", "ＡＢＣ１２３"},
        {"  行頭と行末の空白  ", "行頭と行末の空白"},
        {"第 3 章", "第 3 章"},
        {"", ""},
        {"1\n\n \n2\r\n3\n", "1\r\n2\r\n3"},
        {"一行目 です\n Second line \n", "一行目です\r\nSecond line"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SpacedAsWritten(row.recognised), row.written) << row.recognised;
    }
}

} // namespace
