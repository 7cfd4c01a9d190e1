#include "base/Texts.h"

#include "base/TextCodec.h"

#include <array>

namespace {

constexpr std::size_t kCount = static_cast<std::size_t>(TText::Count);

// "\r" is the line break inside a message, as the boxes expect it.
constexpr std::array<std::string_view, kCount> kUtf8 = {
    "Quorlan",
    "Quorshot",
    "警告",
    "エラー",
    "はい(&Y)",
    "いいえ(&N)",
    "OK",
    "キャンセル",

    "%s に書き込めません",
    "ファイル \"%s\". %s を作成できません",
    "ストリームへの書き込みエラー",
    "システム リソースが足りません",
    "Canvas に対する描画ができません",
    "スキャンライン のインデックスが範囲を越えました",
    "JPEG エラー #%d",
    "ビットマップのサイズが正しくありません",

    "先に矩形範囲を選択してください。\r"
    "メニューの[矩形範囲選択]"
    "をクリックし、スクリーン上の切り取る場所をマウスでドラッグして選択します。",
    "桁数オーバーです。シーケンス桁数を増やして続けますか？",
    "同じ名前のファイルがあります。上書きしてもいいですか？\r(%s )",
    "ファイルの保存に失敗しました。\r保存パス また 既存ファイルの状態を確認してください。",

    "矩形範囲選択",
    "撮る",
    "環境設定...",
    "終了",
    "マウスでキャプチャする範囲を囲みます",
    "現在の矩形範囲・設定でキャプチャします",
    "環境設定画面を開きます",
    "アプリケーションを終了します",

    "環境設定",
    "ＭＳ Ｐゴシック",
    "保存パス(&F)：",
    "ファイル名",
    "接頭文字(&P)：",
    "保存するファイル名の先頭に付ける文字列を指定します",
    "日時フォーマット(&E)：",
    "桁数(&D)：",
    "保存するファイル名の連番部分の桁数を指定します",
    "サンプル：",
    "ファイル形式(&T)",
    "色数(&B)",
    "モノクロ",
    "16 ビット",
    "16色",
    "24 ビット",
    "256色",
    "32 ビット",
    "矩形選択と同時にキャプチャする(&C)",
    "PrintScreenキーで現在の矩形範囲をファイル保存する(&R)",
    "ALT＋PrintScreenキーで選択画面をファイル保存する(&L)",
    "同じ名前のファイルが存在する場合、上書き確認する(&U)",
    "キャプチャ後に、関連アプリを起動する(&A)",
    "次の番号(&N)：",
    "次に保存するファイル名の番号を指定します",
    "桁数と次の番号の値が矛盾してます。\r調整してください。",
    "接頭文字にファイル名として使用できない文字が含まれています。\r( \\ / : * ? \" < > | )",
    "フォルダを選択して下さい。",
};

static_assert(!kUtf8.back().empty(), "every text id has its text");

const std::array<std::string, kCount>& Cp932Texts() {
    static const std::array<std::string, kCount> texts = [] {
        std::array<std::string, kCount> converted;
        for (std::size_t i = 0; i < kCount; ++i) {
            converted[i] = Utf8ToCp932(kUtf8[i]);
        }
        return converted;
    }();
    return texts;
}

} // namespace

const std::string& Text(TText id) {
    return Cp932Texts()[static_cast<std::size_t>(id)];
}

std::string_view TextUtf8(TText id) {
    return kUtf8[static_cast<std::size_t>(id)];
}
