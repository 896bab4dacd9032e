// A single case (REF FSB), and what every mode shares: the usage errors,
// the help, the languages, the output.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "calc_harness.h"

namespace quenvale::cli::test {
namespace {

struct TextCase {
    std::vector<std::string> args;
    std::string out;
};

class calc_single : public testing::TestWithParam<TextCase> {};

TEST_P(calc_single, prints_the_windows_texts) {
    const Outcome outcome = runCalc(GetParam().args);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, GetParam().out);
    EXPECT_EQ(outcome.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    cases, calc_single,
    testing::Values(
        TextCase{{"15.000", "100"},
                 "CPU 104.7632 MHz\nPCI 34.92108 MHz\nAGP 69.84216 MHz\n"
                 "分周比 PCI 1/3, AGP 2/3 (FSBの帯域から)\n"},
        TextCase{{"14.318", "66.666", "--agp", "1/1"},
                 "CPU 66.666 MHz\nPCI 33.333 MHz\nAGP 66.666 MHz\n"
                 "分周比 PCI 1/2, AGP 1/1 (PCI は FSBの帯域から、AGP は --agp の指定)\n"},
        // Band dividers without options: FSB 140 is 1/4 with AGP 1/2.
        TextCase{{"14.318", "140"},
                 "CPU 140 MHz\nPCI 35 MHz\nAGP 70 MHz\n分周比 PCI 1/4, AGP 1/2 (FSBの帯域から)\n"},
        TextCase{
            {"--pci=1/3", "14.318", "140"},
            "CPU 140 MHz\nPCI 46.66667 MHz  危険: PCIクロックが定格33.33MHzの125%を超えています。"
            "IDEやSCSIの機器、拡張カードが動作しないおそれがあります。\nAGP 70 MHz\n"
            "分周比 PCI 1/3, AGP 1/2 (PCI は --pci の指定、AGP は FSBの帯域から)\n"},
        TextCase{{"12.000", "66.666", "--pci", "1/2", "--agp", "1/1"},
                 "CPU 55.87317 MHz\nPCI 27.93658 MHz\nAGP 55.87317 MHz\n"
                 "分周比 PCI 1/2, AGP 1/1 (--pci、--agp の指定)\n"},
        // Negative numbers after "--".
        TextCase{{"--pci", "1/2", "--agp", "1/1", "--", "14.318", "-100"},
                 "CPU -100 MHz\nPCI -50 MHz\nAGP -100 MHz\n"
                 "分周比 PCI 1/2, AGP 1/1 (--pci、--agp の指定)\n"},
        // A hint follows the clock it concerns.
        TextCase{{"14.318", "90"},
                 "CPU 90 MHz\nPCI 45 MHz  危険: PCIクロックが定格33.33MHzの125%を超えています。"
                 "IDEやSCSIの機器、拡張カードが動作しないおそれがあります。\nAGP 60 MHz\n"
                 "分周比 PCI 1/2, AGP 2/3 (FSBの帯域から)\n"},
        // The drift of so fast a crystal overflows: the clocks still show.
        TextCase{{"1e35", "1e-33", "--details"},
                 "CPU 6.984216 MHz\nPCI 3.492108 MHz\nAGP 4.656144 MHz\n"
                 "分周比 PCI 1/2, AGP 2/3 (FSBの帯域から)\n"},
        // A word of one dash and a number is a negative number, not an option.
        TextCase{{"-14.318", "100"},
                 "CPU -100 MHz\nPCI -33.33334 MHz\nAGP -66.66667 MHz\n"
                 "分周比 PCI 1/3, AGP 2/3 (FSBの帯域から)\n"}));

struct FailureCase {
    std::vector<std::string> args;
    int status;
    std::string errStart;
};

class calc_fails : public testing::TestWithParam<FailureCase> {};

TEST_P(calc_fails, with_status_and_message) {
    const Outcome outcome = runCalc(GetParam().args);
    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err.substr(0, GetParam().errStart.size()), GetParam().errStart)
        << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(
    calculation_errors, calc_fails,
    testing::Values(
        FailureCase{{"abc", "100", "--pci", "1/3", "--agp", "2/3"},
                    1,
                    "PLL-IC REF クロックの値「abc」は数値ではありません。\n"
                    "実行時エラー 13: 型が一致しません。\n"},
        FailureCase{{"14,318", "100"},
                    1,
                    "PLL-IC REF クロックの値「14,318」は数値ではありません。小数点は「.」です。\n"},
        FailureCase{{"14.318", "1e39"}, 1, "FSBの値「1e39」は大きすぎます。\n実行時エラー 6:"},
        FailureCase{{"1e38", "100"}, 1, "計算結果が大きすぎます。\n実行時エラー 6: "},
        FailureCase{{"14.318", " "}, 1, "FSBの値が入力されていません。"},
        FailureCase{{"--crystal-for", "150", "--fsb", "0"},
                    1,
                    "FSB が 0 MHz 以下では、どの水晶でも CPU クロックは正の値にならないため、"
                    "水晶を求められません。\n"},
        FailureCase{{"--crystal-for", "150", "--fsb=-100"}, 1, "FSB が 0 MHz 以下では"},
        FailureCase{{"--crystal-for=-150", "--fsb", "100"},
                    1,
                    "CPU クロックを 0 MHz 以下にする水晶はありません。\n"},
        FailureCase{{"--crystal-for", "0", "--fsb", "100"}, 1, "CPU クロックを 0 MHz 以下"},
        FailureCase{{"--crystal-for", "1e38", "--fsb", "1e-30"},
                    1,
                    "計算結果が大きすぎます。\n実行時エラー 6: "},
        FailureCase{{"--plan", "--target", "500", "--multiplier", "1e37"},
                    1,
                    "計算結果が大きすぎます。\n実行時エラー 6: "},
        // The unit typed with the number: the message says to leave it out.
        FailureCase{{"15MHz", "100"},
                    1,
                    "PLL-IC REF クロックの値「15MHz」は数値ではありません。"
                    "単位は付けずに数値だけを入力します。\n"}));

INSTANTIATE_TEST_SUITE_P(
    usage_errors, calc_fails,
    testing::Values(
        FailureCase{{}, 2, "quenvale-calc: "}, FailureCase{{"14.318"}, 2, "quenvale-calc: "},
        FailureCase{{"1", "2", "3"}, 2, "quenvale-calc: "},
        FailureCase{{"14.318", "100", "--pci", "1/5"}, 2, "quenvale-calc: --pci"},
        FailureCase{{"14.318", "100", "--agp"}, 2, "quenvale-calc: --agp"},
        FailureCase{{"14.318", "100", "--format", "xml"}, 2, "quenvale-calc: --format"},
        FailureCase{{"--batch", "15", "100"}, 2, "quenvale-calc: --batch"},
        FailureCase{{"--batch", "--table"}, 2, "quenvale-calc: "},
        FailureCase{{"--crystal-for", "150"}, 2, "quenvale-calc: --crystal-for"},
        FailureCase{{"--frobnicate"}, 2, "quenvale-calc: 不明なオプション"},
        FailureCase{{"--version=2"}, 2, "quenvale-calc: --version"},
        // Values every row would use are checked once, before any row.
        FailureCase{
            {"--table", "--ref", "abc"},
            2,
            "quenvale-calc: --ref: PLL-IC REF クロックの値「abc」は数値ではありません。\n詳しくは"},
        FailureCase{{"--table", "--ref", "15", "--fsb", "1e39", "--format", "csv"},
                    2,
                    "quenvale-calc: --fsb: FSBの値「1e39」は大きすぎます。\n"},
        FailureCase{{"--crystal-for", "x", "--fsb", "100"},
                    2,
                    "quenvale-calc: --crystal-for: 目標クロックの値「x」は数値ではありません。\n"},
        FailureCase{{"--crystal-for", "150", "--fsb", " ", "--format", "json"},
                    2,
                    "quenvale-calc: --fsb: FSBの値が入力されていません。\n"},
        FailureCase{{"--plan"}, 2, "quenvale-calc: --plan には --target が必要です\n"},
        FailureCase{{"--plan", "--target", "5OO"},
                    2,
                    "quenvale-calc: --target: 目標クロックの値「5OO」は数値ではありません。\n"},
        FailureCase{{"--target", "500"}, 2, "quenvale-calc: --target、--limit、--top は --plan"},
        FailureCase{{"--plan", "--target", "500", "--limit", "warn"}, 2, "quenvale-calc: --limit"},
        FailureCase{{"--plan", "--target", "500", "--top", "0"}, 2, "quenvale-calc: --top"},
        FailureCase{{"--plan", "--target", "500", "--top", "2.5"}, 2, "quenvale-calc: --top"},
        FailureCase{
            {"15", "100", "--multiplier", "0"}, 2, "quenvale-calc: --multiplier は正の数です: 0\n"},
        FailureCase{{"15", "100", "--multiplier", "-4.5"}, 2, "quenvale-calc: --multiplier"},
        // A text that is not a number is told so, not that it is not above 0.
        FailureCase{{"--plan", "--target", "500", "--multiplier", "x4"},
                    2,
                    "quenvale-calc: --multiplier: 倍率の値「x4」は数値ではありません。\n"},
        FailureCase{{"--plan", "--target", "500", "--multiplier", "-2"},
                    2,
                    "quenvale-calc: --multiplier は正の数です: -2\n"},
        FailureCase{{"--table", "--multiplier", "4"}, 2, "quenvale-calc: --multiplier"},
        FailureCase{{"--batch", "--details"}, 2, "quenvale-calc: --details"},
        // As with --crystal-for, no crystal gives a clock of 0 or below.
        FailureCase{{"--plan", "--target", "0"}, 2, "quenvale-calc: --target は正の数です: 0\n"}));

INSTANTIATE_TEST_SUITE_P(
    cases, calc_conventions,
    testing::Values(
        ConventionCase{.name = "short_help",
                       .locale = {"LANG=en_US.UTF-8"},
                       .args = {"-h"},
                       .outStart = "usage:\n"},
        ConventionCase{.name = "short_version",
                       .locale = {},
                       .args = {"-V"},
                       .outStart = "quenvale-calc 1.00\n"},
        ConventionCase{.name = "japanese_help",
                       .locale = {"LC_MESSAGES=ja_JP.UTF-8"},
                       .args = {"--help"},
                       .outStart = "使い方:\n"},
        ConventionCase{.name = "english_message",
                       .locale = {"LANG=C"},
                       .args = {"abc", "100"},
                       .status = 1,
                       .errStart = "The reference clock value \"abc\" is not a number.\n"
                                   "Run-time error 13: Type mismatch.\n"},
        // The results' text follows the language: LANGUAGE's first entry
        // first, --lang over the environment.
        ConventionCase{.name = "english_results",
                       .locale = {"LANGUAGE=en:ja", "LANG=ja_JP.UTF-8"},
                       .args = {"15", "100", "--multiplier", "4.5"},
                       .outStart = "CPU 104.7632 MHz\nPCI 34.92108 MHz\nAGP 69.84216 MHz\n"
                                   "Dividers PCI 1/3, AGP 2/3 (from the FSB's band)\n"
                                   "Core 471.4346 MHz (CPU × 4.5)\n"},
        ConventionCase{.name = "lang_option_japanese",
                       .locale = {"LANG=C.UTF-8"},
                       .args = {"--lang", "ja", "14.318", "150"},
                       .outStart = "CPU 150 MHz\nPCI 37.5 MHz\nAGP 75 MHz\n"
                                   "分周比 PCI 1/4, AGP 1/2 (FSBの帯域から)\n"},
        ConventionCase{
            .name = "english_comma_message",
            .locale = {"LANG=en_US.UTF-8"},
            .args = {"14,318", "100"},
            .status = 1,
            .errStart =
                "The reference clock value \"14,318\" is not a number. The decimal point is "
                "\".\".\n"},
        // LC_ALL rules over LANG; an empty one counts as unset.
        ConventionCase{
            .name = "lc_all_first",
            .locale = {"LC_ALL=en_GB.UTF-8", "LANG=ja_JP.UTF-8"},
            .args = {"14.318", "1e39"},
            .status = 1,
            .errStart = "The FSB value \"1e39\" is too large.\nRun-time error 6: Overflow.\n"},
        ConventionCase{.name = "empty_lc_all",
                       .locale = {"LC_ALL=", "LC_MESSAGES=C", "LANG=ja_JP.UTF-8"},
                       .args = {"--pci", "1/5", "1", "2"},
                       .status = 2,
                       .errStart = "quenvale-calc: --pci takes 1/2, 1/3 or 1/4: 1/5\nTry "},
        ConventionCase{.name = "json_numbers",
                       .locale = {},
                       .args = {"15", "100", "--format", "json"},
                       .json = jsonRow({.reference = "15",
                                        .fsb = "100",
                                        .pciDivider = "1/3",
                                        .agpDivider = "2/3",
                                        .cpu = 104.7632,
                                        .pci = 34.92108,
                                        .agp = 69.84216,
                                        .pciHint = "ok",
                                        .agpHint = "ok"})},
        ConventionCase{.name = "single_failure_json",
                       .locale = {"LANG=ja_JP.UTF-8"},
                       .args = {"abc", "100", "--format", "json"},
                       .status = 1,
                       .json = failedJson("abc", "100",
                                          "PLL-IC REF クロックの値「abc」は数値ではありません。 "
                                          "実行時エラー 13: 型が一致しません。",
                                          13)},
        ConventionCase{.name = "single_failure_csv",
                       .locale = {"LANG=C"},
                       .args = {"1e38", "100", "--format", "csv"},
                       .status = 1,
                       .csv = {kCsvHeader,
                               {"1e38", "100", "1/3", "2/3", "", "", "", "", "",
                                "The result is too large. Run-time error 6: Overflow.", "6"}}},
        // What else the crystal changes, by hand: 15 / 14.318 = 1.047632;
        // USB 48 x that, Super I/O 24 x that, (ratio - 1) x 86,400 s a day,
        // and the core clock 104.7632 x 4.5.
        ConventionCase{
            .name = "details_json",
            .locale = {},
            .args = {"15.000", "100", "--details", "--multiplier", "4.5", "--format", "json"},
            .json = jsonRow({.reference = "15.000",
                             .fsb = "100",
                             .pciDivider = "1/3",
                             .agpDivider = "2/3",
                             .cpu = 104.7632,
                             .pci = 34.92108,
                             .agp = 69.84216,
                             .pciHint = "ok",
                             .agpHint = "ok",
                             .more = {{"usb_mhz", 50.28635},
                                      {"usb_ok", false},
                                      {"sio_mhz", 25.14318},
                                      {"timer_drift_s_per_day", 4115.435},
                                      {"core_mhz", 471.4346}}})},
        // 14.35 keeps USB within 0.25 %; without a multiplier no core clock.
        ConventionCase{.name = "details_within_usb_tolerance",
                       .locale = {},
                       .args = {"14.35", "100", "--details", "--format", "json"},
                       .json = jsonRow({.reference = "14.35",
                                        .fsb = "100",
                                        .pciDivider = "1/3",
                                        .agpDivider = "2/3",
                                        .cpu = 100.2235,
                                        .pci = 33.40783,
                                        .agp = 66.81567,
                                        .pciHint = "ok",
                                        .agpHint = "ok",
                                        .more = {{"usb_mhz", 48.10728},
                                                 {"usb_ok", true},
                                                 {"sio_mhz", 24.05364},
                                                 {"timer_drift_s_per_day", 193.1019}}})},
        // The drift overflows, the clocks do not: they are given, exit 0.
        ConventionCase{.name = "details_overflow_json",
                       .locale = {},
                       .args = {"1e35", "1e-33", "--details", "--format", "json"},
                       .json = jsonRow({.reference = "1e35",
                                        .fsb = "1e-33",
                                        .pciDivider = "1/2",
                                        .agpDivider = "2/3",
                                        .cpu = 6.984216,
                                        .pci = 3.492108,
                                        .agp = 4.656144,
                                        .pciHint = "ok",
                                        .agpHint = "ok",
                                        .more = {{"usb_mhz", nullptr},
                                                 {"usb_ok", nullptr},
                                                 {"sio_mhz", nullptr},
                                                 {"timer_drift_s_per_day", nullptr}}})},
        ConventionCase{
            .name = "multiplier_alone",
            .locale = {},
            .args = {"14.318", "100", "--multiplier=4.5", "--format", "csv"},
            .csv = {{"reference", "fsb", "pci_divider", "agp_divider", "cpu_mhz", "pci_mhz",
                     "agp_mhz", "pci_hint", "agp_hint", "error", "error_code", "core_mhz"},
                    {"14.318", "100", "1/3", "2/3", "100", "33.33334", "66.66667", "ok", "ok", "",
                     "", "450"}}},
        ConventionCase{
            .name = "details_failure_csv",
            .locale = {"LANG=C"},
            .args = {"abc", "100", "--details", "--multiplier", "2", "--format", "csv"},
            .status = 1,
            .csv = {{"reference", "fsb", "pci_divider", "agp_divider", "cpu_mhz", "pci_mhz",
                     "agp_mhz", "pci_hint", "agp_hint", "error", "error_code", "usb_mhz", "usb_ok",
                     "sio_mhz", "timer_drift_s_per_day", "core_mhz"},
                    {"abc", "100", "", "", "", "", "", "", "",
                     "The reference clock value \"abc\" is not a number. Run-time error 13: "
                     "Type mismatch.",
                     "13", "", "", "", "", ""}}},
        ConventionCase{
            .name = "details_text",
            .locale = {"LANG=ja_JP.UTF-8"},
            .args = {"15.000", "100", "--details", "--multiplier", "4.5"},
            .outStart =
                "CPU 104.7632 MHz\nPCI 34.92108 MHz\nAGP 69.84216 MHz\n"
                "分周比 PCI 1/3, AGP 2/3 (FSBの帯域から)\n"
                "コア 471.4346 MHz (CPU × 4.5)\n"
                "USB 50.28635 MHz  許容範囲(±0.25%)を外れ、USB機器が動かないことがあります。\n"
                "Super I/O 25.14318 MHz  シリアルポートとフロッピーが 4.8% 速くなり、"
                "許容範囲(±2%)を外れます。通信や読み書きに失敗することがあります。\n"
                "タイマーの刻みで数える OS の時計 (RTC は別): 1日に約1時間9分進みます。\n"},
        // The core clock overflows: the bus clocks stand, the multiplier is
        // named as the value too large.
        ConventionCase{
            .name = "core_overflow_text",
            .locale = {"LANG=ja_JP.UTF-8"},
            .args = {"15", "100", "--multiplier", "1e38"},
            .status = 1,
            .outStart = "CPU 104.7632 MHz\nPCI 34.92108 MHz\nAGP 69.84216 MHz\n"
                        "分周比 PCI 1/3, AGP 2/3 (FSBの帯域から)\n",
            .errStart =
                "倍率の値「1e38」は大きすぎます。\n実行時エラー 6: オーバーフローしました。\n"},
        ConventionCase{
            .name = "core_overflow_json",
            .locale = {"LANG=C"},
            .args = {"15", "100", "--multiplier", "1e38", "--format", "json"},
            .status = 1,
            .json =
                jsonRow({.reference = "15",
                         .fsb = "100",
                         .pciDivider = "1/3",
                         .agpDivider = "2/3",
                         .cpu = 104.7632,
                         .pci = 34.92108,
                         .agp = 69.84216,
                         .pciHint = "ok",
                         .agpHint = "ok",
                         .error = "The multiplier value \"1e38\" is too large. Run-time error 6: "
                                  "Overflow.",
                         .errorCode = 6,
                         .more = {{"core_mhz", nullptr}}})}),
    [](const testing::TestParamInfo<ConventionCase>& test) { return test.param.name; });

// A usage error is its message and a line that points at --help, as GNU
// tools give them, not the whole usage.
TEST(calc_usage, says_the_fault_and_where_to_read_more) {
    struct Case {
        std::string locale;
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {"LANG=ja_JP.UTF-8",
         {"14.318"},
         "quenvale-calc: REF と FSB を一つずつ指定してください\n"
         "詳しくは 'quenvale-calc --help' を実行してください。\n"},
        {"LANG=C",
         {"--frobnicate"},
         "quenvale-calc: unknown option: --frobnicate\n"
         "Try 'quenvale-calc --help' for more information.\n"},
        // A misspelt long option is told the nearest one; any unknown short
        // option is an unknown option, told the short one in the other case.
        {"LANG=C",
         {"--detials", "15", "100"},
         "quenvale-calc: unknown option: --detials (did you mean --details?)\n"
         "Try 'quenvale-calc --help' for more information.\n"},
        {"LANG=ja_JP.UTF-8",
         {"15", "100", "-v"},
         "quenvale-calc: 不明なオプションです: -v (-V のことですか?)\n"
         "詳しくは 'quenvale-calc --help' を実行してください。\n"},
        // A later bad --lang errs in the language of the good one before it.
        {"LANG=ja_JP.UTF-8",
         {"--lang", "en", "--lang", "xx", "15", "100"},
         "quenvale-calc: --lang takes ja or en: xx\n"
         "Try 'quenvale-calc --help' for more information.\n"},
        // Not a number: the first line of the conversion's message only.
        {"LANG=C",
         {"--plan", "--target", "500", "--multiplier", "x4"},
         "quenvale-calc: --multiplier: The multiplier value \"x4\" is not a number.\n"
         "Try 'quenvale-calc --help' for more information.\n"},
        // Digits too many, then a letter: not a whole number, not too large.
        {"LANG=C",
         {"--plan", "--target", "500", "--top", "99999999999999999999x"},
         "quenvale-calc: --top takes a whole number from 1 up: 99999999999999999999x\n"
         "Try 'quenvale-calc --help' for more information.\n"},
        // Too large to count is not "not a whole number".
        {"LANG=C",
         {"--plan", "--target", "500", "--top", "99999999999999999999"},
         "quenvale-calc: --top is too large: 99999999999999999999\n"
         "Try 'quenvale-calc --help' for more information.\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = runCalc(c.args, {}, {}, {c.locale});
        EXPECT_EQ(outcome.status, 2) << c.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, c.err);
    }
}

TEST(calc_output, a_write_failure_is_no_success) {
    // /dev/full takes nothing: the program must say so and fail.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"15", "100"}, std::vector<std::string>{"--table"}}) {
        const Outcome outcome = runCalc(args, {}, "/dev/full");
        EXPECT_EQ(outcome.status, 1) << args.front();
        EXPECT_EQ(outcome.err, "quenvale-calc: 出力を書き込めませんでした。\n");
    }
}

TEST(calc_output, messages_carry_no_terminal_controls) {
    // A broken UTF-8 sequence must not smuggle an escape into the message.
    const Outcome outcome = runCalc({"\xE3\x1B[31mX", "100"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err.find('\x1B'), std::string::npos) << outcome.err;
    EXPECT_TRUE(outcome.err.starts_with("PLL-IC REF クロックの値「\uFFFD [31mX」")) << outcome.err;
}

// An 80-column terminal shows every line of the help whole, in either
// language, a wide character taking two columns.
TEST(calc_info, help_fits_80_columns) {
    for (const std::string locale : {"LANG=ja_JP.UTF-8", "LANG=C"}) {
        const Outcome help = runCalc({"--help"}, {}, {}, {locale});
        EXPECT_LE(widestLine(help.out), 80U) << help.out;
    }
}

TEST(calc_info, help_in_the_locales_language) {
    const Outcome japanese = runCalc({"--help"});
    EXPECT_EQ(japanese.status, 0);
    EXPECT_NE(japanese.out.find("終了ステータス"), std::string::npos);
    EXPECT_EQ(japanese.out.find("Exit status"), std::string::npos);
    const Outcome english = runCalc({"--help"}, {}, {}, {"LANG=C.UTF-8"});
    EXPECT_NE(english.out.find("Exit status"), std::string::npos);
    EXPECT_EQ(english.out.find("終了ステータス"), std::string::npos);
}

// A character from the Japanese blocks (kana, kanji, full-width forms,
// Japanese punctuation), as UTF-8 lead bytes E3 to E9 and EF BC to EF BD.
bool hasJapanese(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((lead >= 0xE3 && lead <= 0xE9) || (lead == 0xEF && (next == 0xBC || next == 0xBD))) {
            return true;
        }
    }
    return false;
}

// Every mode once, text and a failure among them.
const std::vector<std::vector<std::string>> kEveryMode{
    {"15", "100", "--details", "--multiplier", "4.5"},
    {"14.318", "abc"},
    {"15", "100", "--multiplier", "1e38", "--details"},
    {"--table", "--ref", "24.000"},
    {"--crystal-for", "150", "--fsb", "100"},
    {"--plan", "--target", "500", "--multiplier", "4.5", "--top", "3"},
    {"--plan", "--target", "2000", "--limit", "ok"},
    {"--table", "--fsb", "abc"},
};

TEST(calc_languages, english_text_has_no_japanese_and_data_reads_the_same) {
    for (const auto& args : kEveryMode) {
        const Outcome english = runCalc(args, {}, {}, {"LANG=en_US.UTF-8"});
        EXPECT_FALSE(hasJapanese(english.out + english.err)) << english.out << english.err;
        for (const std::string format : {"csv", "json"}) {
            std::vector<std::string> data = args;
            data.insert(data.end(), {"--format", format});
            const Outcome ja = runCalc(data, {}, {}, {"LANG=ja_JP.UTF-8"});
            const Outcome en = runCalc(data, {}, {}, {"LANG=en_US.UTF-8"});
            // The keys and values; only a failure's message is in the language.
            if (ja.out.find("実行時エラー") == std::string::npos) {
                EXPECT_EQ(ja.out, en.out) << format;
            }
            EXPECT_EQ(ja.status, en.status);
        }
    }
}

} // namespace
} // namespace quenvale::cli::test
