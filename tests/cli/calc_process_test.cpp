#include <cli/csv_reader.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <nlohmann/json.hpp>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The environment without the variables that choose the messages' language,
// and with `locale` ("LANG=C", ...) instead.
std::vector<std::string> environmentWith(const std::vector<std::string>& locale) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        if (!text.starts_with("LANG=") && !text.starts_with("LC_ALL=") &&
            !text.starts_with("LC_MESSAGES=") && !text.starts_with("LANGUAGE=")) {
            variables.push_back(text);
        }
    }
    variables.insert(variables.end(), locale.begin(), locale.end());
    return variables;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Runs quenvale-calc with the arguments, the standard input and the locale
// given (Japanese unless told); files stand in for pipes so that a large
// input cannot deadlock the test. The standard output goes to `outputTo`
// instead when it is given, and is not read.
// How the standard input is given: the input text in a file, closed, or a
// directory opened in its place.
enum class InputFrom { Text, Closed, Directory };

Outcome runCalc(const std::vector<std::string>& args, const std::string& input = {},
                const std::string& outputTo = {},
                const std::vector<std::string>& locale = {"LANG=ja_JP.UTF-8"},
                InputFrom inputFrom = InputFrom::Text) {
    std::string dir = testing::TempDir() + "quenvale-calc-XXXXXX";
    if (mkdtemp(dir.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
        return {};
    }
    const std::string in = dir + "/in";
    const std::string out = outputTo.empty() ? dir + "/out" : outputTo;
    const std::string err = dir + "/err";
    std::ofstream(in, std::ios::binary) << input;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    switch (inputFrom) {
    case InputFrom::Text:
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        break;
    case InputFrom::Closed:
        posix_spawn_file_actions_addclose(&actions, 0);
        break;
    case InputFrom::Directory:
        posix_spawn_file_actions_addopen(&actions, 0, dir.c_str(), O_RDONLY | O_DIRECTORY, 0);
        break;
    }
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    std::vector<std::string> argv{QUENVALE_CALC};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers = pointersTo(argv);
    std::vector<std::string> environment = environmentWith(locale);
    std::vector<char*> environmentPointers = pointersTo(environment);

    Outcome outcome;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, QUENVALE_CALC, &actions, nullptr, pointers.data(),
                                    environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << QUENVALE_CALC;
        return outcome;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (outputTo.empty()) {
        outcome.out = readFile(out);
        std::remove(out.c_str());
    }
    outcome.err = readFile(err);
    std::remove(in.c_str());
    std::remove(err.c_str());
    rmdir(dir.c_str());
    return outcome;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

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
                 "分周比 PCI 1/2, AGP 2/3 (FSBの帯域から)\n"}));

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
                    "計算結果が大きすぎます。\n実行時エラー 6: "}));

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
        FailureCase{{"--table", "--details"}, 2, "quenvale-calc: --details"},
        // As with --crystal-for, no crystal gives a clock of 0 or below.
        FailureCase{{"--plan", "--target", "0"}, 2, "quenvale-calc: --target は正の数です: 0\n"}));

// The conventions of shells and scripts: short options, the locale's
// language, and failed cases as rows a CSV or JSON reader takes.
struct ConventionCase {
    std::string name;
    std::vector<std::string> locale;
    std::vector<std::string> args;
    std::string input{};
    int status = 0;
    std::string outStart{}; // the output begins so (text)
    std::string errStart{};
    nlohmann::json json{};                       // the output parses to this
    std::vector<std::vector<std::string>> csv{}; // the output reads as these records
    std::string outHas{};                        // the raw output holds this
};

void PrintTo(const ConventionCase& c, std::ostream* out) {
    *out << c.name;
}

class calc_conventions : public testing::TestWithParam<ConventionCase> {};

TEST_P(calc_conventions, hold) {
    const ConventionCase& c = GetParam();
    const Outcome outcome = runCalc(c.args, c.input, {}, c.locale);
    EXPECT_EQ(outcome.status, c.status) << outcome.err;
    EXPECT_EQ(outcome.out.substr(0, c.outStart.size()), c.outStart) << outcome.out;
    EXPECT_EQ(outcome.err.substr(0, c.errStart.size()), c.errStart) << outcome.err;
    if (!c.json.is_null()) {
        EXPECT_EQ(nlohmann::json::parse(outcome.out), c.json) << outcome.out;
    }
    if (!c.csv.empty()) {
        std::istringstream text(outcome.out);
        quenvale::cli::CsvReader reader(text);
        std::vector<std::vector<std::string>> records;
        while (const auto record = reader.next()) {
            EXPECT_TRUE(record->wellFormed);
            records.push_back(record->fields);
        }
        EXPECT_EQ(records, c.csv);
        // One line a record: no message breaks a line.
        EXPECT_EQ(linesOf(outcome.out).size(), c.csv.size()) << outcome.out;
    }
    EXPECT_NE(outcome.out.find(c.outHas), std::string::npos) << outcome.out;
}

const std::vector<std::string> kCsvHeader{"reference", "fsb",     "pci_divider", "agp_divider",
                                          "cpu_mhz",   "pci_mhz", "agp_mhz",     "pci_hint",
                                          "agp_hint",  "error",   "error_code"};

nlohmann::json failedJson(const std::string& reference, const std::string& fsb,
                          const std::string& error, int code) {
    return {{"reference", reference}, {"fsb", fsb},          {"pci_divider", nullptr},
            {"agp_divider", nullptr}, {"cpu_mhz", nullptr},  {"pci_mhz", nullptr},
            {"agp_mhz", nullptr},     {"pci_hint", nullptr}, {"agp_hint", nullptr},
            {"error", error},         {"error_code", code}};
}

INSTANTIATE_TEST_SUITE_P(
    cases, calc_conventions,
    testing::Values(
        ConventionCase{"short_help", {"LANG=en_US.UTF-8"}, {"-h"}, {}, 0, "usage:\n"},
        ConventionCase{"short_version", {}, {"-V"}, {}, 0, "quenvale-calc 1.00\n"},
        ConventionCase{
            "japanese_help", {"LC_MESSAGES=ja_JP.UTF-8"}, {"--help"}, {}, 0, "使い方:\n"},
        ConventionCase{"english_message",
                       {"LANG=C"},
                       {"abc", "100"},
                       {},
                       1,
                       "",
                       "The reference clock value \"abc\" is not a number.\n"
                       "Run-time error 13: Type mismatch.\n"},
        // The results' text follows the language: LANGUAGE's first entry
        // first, --lang over the environment.
        ConventionCase{"english_results",
                       {"LANGUAGE=en:ja", "LANG=ja_JP.UTF-8"},
                       {"15", "100", "--multiplier", "4.5"},
                       {},
                       0,
                       "CPU 104.7632 MHz\nPCI 34.92108 MHz\nAGP 69.84216 MHz\n"
                       "Dividers PCI 1/3, AGP 2/3 (from the FSB's band)\n"
                       "Core 471.4346 MHz (CPU × 4.5)\n"},
        ConventionCase{"lang_option_japanese",
                       {"LANG=C.UTF-8"},
                       {"--lang", "ja", "14.318", "150"},
                       {},
                       0,
                       "CPU 150 MHz\nPCI 37.5 MHz\nAGP 75 MHz\n"
                       "分周比 PCI 1/4, AGP 1/2 (FSBの帯域から)\n"},
        ConventionCase{"lang_option_english_crystal",
                       {"LANG=ja_JP.UTF-8"},
                       {"--crystal-for", "150", "--fsb", "100", "--lang=en"},
                       {},
                       0,
                       "Crystal for CPU 150 MHz at FSB 100 MHz: 21.477 MHz\n"
                       "Dividers PCI 1/3, AGP 2/3 (from the FSB's band)\n"
                       "required  21.477 MHz  CPU 150 MHz"},
        ConventionCase{"english_comma_message",
                       {"LANG=en_US.UTF-8"},
                       {"14,318", "100"},
                       {},
                       1,
                       "",
                       "The reference clock value \"14,318\" is not a number. The decimal point is "
                       "\".\".\n"},
        // LC_ALL rules over LANG; an empty one counts as unset.
        ConventionCase{"lc_all_first",
                       {"LC_ALL=en_GB.UTF-8", "LANG=ja_JP.UTF-8"},
                       {"14.318", "1e39"},
                       {},
                       1,
                       "",
                       "The FSB value \"1e39\" is too large.\nRun-time error 6: Overflow.\n"},
        ConventionCase{"empty_lc_all",
                       {"LC_ALL=", "LC_MESSAGES=C", "LANG=ja_JP.UTF-8"},
                       {"--pci", "1/5", "1", "2"},
                       {},
                       2,
                       "",
                       "quenvale-calc: --pci takes 1/2, 1/3 or 1/4: 1/5\nTry "},
        ConventionCase{"json_numbers",
                       {},
                       {"15", "100", "--format", "json"},
                       {},
                       0,
                       "",
                       "",
                       {{"reference", "15"},
                        {"fsb", "100"},
                        {"pci_divider", "1/3"},
                        {"agp_divider", "2/3"},
                        {"cpu_mhz", 104.7632},
                        {"pci_mhz", 34.92108},
                        {"agp_mhz", 69.84216},
                        {"pci_hint", "ok"},
                        {"agp_hint", "ok"},
                        {"error", nullptr},
                        {"error_code", nullptr}}},
        ConventionCase{"single_failure_json",
                       {"LANG=ja_JP.UTF-8"},
                       {"abc", "100", "--format", "json"},
                       {},
                       1,
                       "",
                       "",
                       failedJson("abc", "100",
                                  "PLL-IC REF クロックの値「abc」は数値ではありません。 "
                                  "実行時エラー 13: 型が一致しません。",
                                  13)},
        ConventionCase{"single_failure_csv",
                       {"LANG=C"},
                       {"1e38", "100", "--format", "csv"},
                       {},
                       1,
                       "",
                       "",
                       {},
                       {kCsvHeader,
                        {"1e38", "100", "1/3", "2/3", "", "", "", "", "",
                         "The result is too large. Run-time error 6: Overflow.", "6"}}},
        // What else the crystal changes, by hand: 15 / 14.318 = 1.047632;
        // USB 48 x that, Super I/O 24 x that, (ratio - 1) x 86,400 s a day,
        // and the core clock 104.7632 x 4.5.
        ConventionCase{"details_json",
                       {},
                       {"15.000", "100", "--details", "--multiplier", "4.5", "--format", "json"},
                       {},
                       0,
                       "",
                       "",
                       {{"reference", "15.000"},
                        {"fsb", "100"},
                        {"pci_divider", "1/3"},
                        {"agp_divider", "2/3"},
                        {"cpu_mhz", 104.7632},
                        {"pci_mhz", 34.92108},
                        {"agp_mhz", 69.84216},
                        {"pci_hint", "ok"},
                        {"agp_hint", "ok"},
                        {"error", nullptr},
                        {"error_code", nullptr},
                        {"usb_mhz", 50.28635},
                        {"usb_ok", false},
                        {"sio_mhz", 25.14318},
                        {"timer_drift_s_per_day", 4115.435},
                        {"core_mhz", 471.4346}}},
        // 14.35 keeps USB within 0.25 %; without a multiplier no core clock.
        ConventionCase{"details_within_usb_tolerance",
                       {},
                       {"14.35", "100", "--details", "--format", "json"},
                       {},
                       0,
                       "",
                       "",
                       {{"reference", "14.35"},
                        {"fsb", "100"},
                        {"pci_divider", "1/3"},
                        {"agp_divider", "2/3"},
                        {"cpu_mhz", 100.2235},
                        {"pci_mhz", 33.40783},
                        {"agp_mhz", 66.81567},
                        {"pci_hint", "ok"},
                        {"agp_hint", "ok"},
                        {"error", nullptr},
                        {"error_code", nullptr},
                        {"usb_mhz", 48.10728},
                        {"usb_ok", true},
                        {"sio_mhz", 24.05364},
                        {"timer_drift_s_per_day", 193.1019}}},
        // The drift overflows, the clocks do not: they are given, exit 0.
        ConventionCase{"details_overflow_json",
                       {},
                       {"1e35", "1e-33", "--details", "--format", "json"},
                       {},
                       0,
                       "",
                       "",
                       {{"reference", "1e35"},
                        {"fsb", "1e-33"},
                        {"pci_divider", "1/2"},
                        {"agp_divider", "2/3"},
                        {"cpu_mhz", 6.984216},
                        {"pci_mhz", 3.492108},
                        {"agp_mhz", 4.656144},
                        {"pci_hint", "ok"},
                        {"agp_hint", "ok"},
                        {"error", nullptr},
                        {"error_code", nullptr},
                        {"usb_mhz", nullptr},
                        {"usb_ok", nullptr},
                        {"sio_mhz", nullptr},
                        {"timer_drift_s_per_day", nullptr}}},
        ConventionCase{"multiplier_alone",
                       {},
                       {"14.318", "100", "--multiplier=4.5", "--format", "csv"},
                       {},
                       0,
                       "",
                       "",
                       {},
                       {{"reference", "fsb", "pci_divider", "agp_divider", "cpu_mhz", "pci_mhz",
                         "agp_mhz", "pci_hint", "agp_hint", "error", "error_code", "core_mhz"},
                        {"14.318", "100", "1/3", "2/3", "100", "33.33334", "66.66667", "ok", "ok",
                         "", "", "450"}}},
        ConventionCase{"details_failure_csv",
                       {"LANG=C"},
                       {"abc", "100", "--details", "--multiplier", "2", "--format", "csv"},
                       {},
                       1,
                       "",
                       "",
                       {},
                       {{"reference", "fsb", "pci_divider", "agp_divider", "cpu_mhz", "pci_mhz",
                         "agp_mhz", "pci_hint", "agp_hint", "error", "error_code", "usb_mhz",
                         "usb_ok", "sio_mhz", "timer_drift_s_per_day", "core_mhz"},
                        {"abc", "100", "", "", "", "", "", "", "",
                         "The reference clock value \"abc\" is not a number. Run-time error 13: "
                         "Type mismatch.",
                         "13", "", "", "", "", ""}}},
        ConventionCase{
            "details_text",
            {"LANG=ja_JP.UTF-8"},
            {"15.000", "100", "--details", "--multiplier", "4.5"},
            {},
            0,
            "CPU 104.7632 MHz\nPCI 34.92108 MHz\nAGP 69.84216 MHz\n"
            "分周比 PCI 1/3, AGP 2/3 (FSBの帯域から)\n"
            "コア 471.4346 MHz (CPU × 4.5)\n"
            "USB 50.28635 MHz  許容範囲(±0.25%)を外れ、USB機器が動かないことがあります。\n"
            "Super I/O 25.14318 MHz\n"
            "時計のずれ +4115.435 秒/日 (1日に4115.435秒進みます。)\n"},
        // Nearest core clock to the target first.
        ConventionCase{"plan_text",
                       {"LANG=ja_JP.UTF-8"},
                       {"--plan", "--target", "500", "--multiplier", "4.5", "--top", "3"},
                       {},
                       0,
                       "コアクロック (CPU × 4.5)が 500 MHz に近い順、PCI・AGP は caution(注意) "
                       "まで: 108 件中 3 件\n"
                       "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)     "
                       "CORE(MHz)    USB(MHz)     SIO(MHz)     DRIFT(s/day)\n"
                       "12.800   124      1/3  2/3  110.8535     36.95116     73.90231     "
                       "498.8406     42.91102     21.45551     -9160.161  USB範囲外\n"
                       "12.288   129      1/3  2/3  110.7104     36.90348     73.80696     "
                       "498.197      41.19458     20.59729     -12249.75  USB範囲外\n"
                       "12.000   133.333  1/3  2/3  111.7472     37.24905     74.49811     "
                       "502.8622     40.22908     20.11454     -13987.65  USB範囲外\n"},
        // Within ok only: 12.288 x 133.333 (114.43 MHz, PCI and AGP caution)
        // is nearest but left out; then by distance, band dividers each.
        ConventionCase{
            "plan_csv_limit_ok",
            {},
            {"--plan", "--target", "114.4", "--limit", "ok", "--top", "3", "--format", "csv"},
            {},
            0,
            "",
            "",
            {},
            {{"reference", "fsb", "pci_divider", "agp_divider", "cpu_mhz", "pci_mhz", "agp_mhz",
              "pci_hint", "agp_hint", "usb_mhz", "usb_ok", "sio_mhz", "timer_drift_s_per_day",
              "core_mhz"},
             {"12.000", "138", "1/4", "1/2", "115.6586", "28.91465", "57.82931", "ok", "ok",
              "40.22908", "false", "20.11454", "-13987.65", ""},
             {"14.318", "112", "1/3", "2/3", "112", "37.33334", "74.66667", "ok", "ok", "48",
              "true", "24", "0", ""},
             {"16.000", "100", "1/3", "2/3", "111.7475", "37.24915", "74.49831", "ok", "ok",
              "53.63877", "false", "26.81939", "10149.8", ""}}},
        // Beyond every crystal: the fastest, danger and all.
        ConventionCase{
            "plan_json_limit_danger",
            {},
            {"--plan", "--target", "300", "--limit", "danger", "--top", "1", "--format", "json"},
            {},
            0,
            "",
            "",
            nlohmann::json::array({{{"reference", "24.000"},
                                    {"fsb", "160"},
                                    {"pci_divider", "1/4"},
                                    {"agp_divider", "1/2"},
                                    {"cpu_mhz", 268.1939},
                                    {"pci_mhz", 67.04847},
                                    {"agp_mhz", 134.0969},
                                    {"pci_hint", "danger"},
                                    {"agp_hint", "danger"},
                                    {"usb_mhz", 80.45817},
                                    {"usb_ok", false},
                                    {"sio_mhz", 40.22908},
                                    {"timer_drift_s_per_day", 58424.7}}})},
        // A header, quoted fields, a CR inside a field, a bad line in the
        // middle: every failure is a one-line row, and the status is 1 though
        // the last case succeeds.
        ConventionCase{
            "batch_csv",
            {"LANG=ja_JP.UTF-8"},
            {"--batch"},
            "reference,fsb\r\n"
            "\"15\",\"100\"\n"
            "\"1\r5\", 100\n"
            "\"14.318\" , \"1,2\"\n"
            "\"15\"x,100\n"
            "\"14.318\",\"66.666\",\"1/2\",\"1/1\"\n",
            1,
            "",
            "",
            {},
            {kCsvHeader,
             {"15", "100", "1/3", "2/3", "104.7632", "34.92108", "69.84216", "ok", "ok", "", ""},
             {"1\r5", "100", "", "", "", "", "", "", "",
              "PLL-IC REF クロックの値「1 5」は数値ではありません。 "
              "実行時エラー 13: 型が一致しません。",
              "13"},
             {"14.318", "1,2", "", "", "", "", "", "", "",
              "FSBの値「1,2」は数値ではありません。小数点は「.」です。 実行時エラー 13: "
              "型が一致しません。",
              "13"},
             {"15", "100", "", "", "", "", "", "", "",
              "入力行は REF,FSB[,PCI,AGP] の形で書いてください。", "5"},
             {"14.318", "66.666", "1/2", "1/1", "66.666", "33.333", "66.666", "ok", "ok", "", ""}},
            // Read back by a reader that splits on LF only: the CR must be
            // quoted in the text itself.
            "\n\"1\r5\",100,"},
        // The core clock overflows: the bus clocks stand, the multiplier is
        // named as the value too large.
        ConventionCase{
            "core_overflow_text",
            {"LANG=ja_JP.UTF-8"},
            {"15", "100", "--multiplier", "1e38"},
            {},
            1,
            "CPU 104.7632 MHz\nPCI 34.92108 MHz\nAGP 69.84216 MHz\n"
            "分周比 PCI 1/3, AGP 2/3 (FSBの帯域から)\n",
            "倍率の値「1e38」は大きすぎます。\n実行時エラー 6: オーバーフローしました。\n"},
        ConventionCase{"core_overflow_json",
                       {"LANG=C"},
                       {"15", "100", "--multiplier", "1e38", "--format", "json"},
                       {},
                       1,
                       "",
                       "",
                       {{"reference", "15"},
                        {"fsb", "100"},
                        {"pci_divider", "1/3"},
                        {"agp_divider", "2/3"},
                        {"cpu_mhz", 104.7632},
                        {"pci_mhz", 34.92108},
                        {"agp_mhz", 69.84216},
                        {"pci_hint", "ok"},
                        {"agp_hint", "ok"},
                        {"error", "The multiplier value \"1e38\" is too large. Run-time error 6: "
                                  "Overflow."},
                        {"error_code", 6},
                        {"core_mhz", nullptr}}},
        // A full-width field takes two columns a character: the next column
        // still starts under its heading.
        ConventionCase{"batch_text_full_width",
                       {"LANG=ja_JP.UTF-8"},
                       {"--batch", "--format", "text"},
                       "0,１００,1/2,1/1\n",
                       0,
                       "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)\n"
                       "0        １００   1/2  1/1  0            0            0\n"},
        // An invalid byte echoed from the input is replaced, so the CSV is
        // UTF-8 throughout.
        ConventionCase{"batch_csv_invalid_byte",
                       {"LANG=C"},
                       {"--batch"},
                       "1\xff"
                       "5,100\n",
                       1,
                       "",
                       "",
                       {},
                       {kCsvHeader,
                        {"1\xEF\xBF\xBD"
                         "5",
                         "100", "", "", "", "", "", "", "",
                         "The reference clock value \"1\xEF\xBF\xBD"
                         "5\" is not a number. Run-time "
                         "error 13: Type mismatch.",
                         "13"}}},
        ConventionCase{"batch_json",
                       {"LANG=C"},
                       {"--batch", "--format", "json"},
                       "14.318,100,1/5,\n\"1\n5\",100\n14.318,100\n",
                       1,
                       "",
                       "",
                       nlohmann::json::array(
                           {{{"reference", "14.318"},
                             {"fsb", "100"},
                             {"pci_divider", "1/5"},
                             {"agp_divider", nullptr},
                             {"cpu_mhz", nullptr},
                             {"pci_mhz", nullptr},
                             {"agp_mhz", nullptr},
                             {"pci_hint", nullptr},
                             {"agp_hint", nullptr},
                             {"error", "The PCI divider \"1/5\" is not one of 1/2, 1/3, 1/4."},
                             {"error_code", 5}},
                            // The input as typed; only the message is on one line.
                            failedJson("1\n5", "100",
                                       "The reference clock value \"1 5\" is not a number. "
                                       "Run-time error 13: Type mismatch.",
                                       13),
                            {{"reference", "14.318"},
                             {"fsb", "100"},
                             {"pci_divider", "1/3"},
                             {"agp_divider", "2/3"},
                             {"cpu_mhz", 100},
                             {"pci_mhz", 33.33334},
                             {"agp_mhz", 66.66667},
                             {"pci_hint", "ok"},
                             {"agp_hint", "ok"},
                             {"error", nullptr},
                             {"error_code", nullptr}}})},
        // Only the first line may be a header: a later one is a case,
        // and a failed one.
        ConventionCase{"batch_later_reference_line",
                       {"LANG=ja_JP.UTF-8"},
                       {"--batch"},
                       "reference,fsb\n15,100\nreference,fsb\n",
                       1,
                       "",
                       "",
                       {},
                       {},
                       "\nreference,fsb,,,,,,,,PLL-IC REF クロックの値「reference」は"},
        // Blanks inside quotes are part of the field, and echoed as typed.
        ConventionCase{"batch_quoted_blanks_kept",
                       {"LANG=C"},
                       {"--batch", "--format", "json"},
                       "\" 15 \",100\n",
                       0,
                       "",
                       "",
                       {},
                       {},
                       "{\"reference\": \" 15 \", \"fsb\": \"100\", \"pci_divider\": \"1/3\""},
        ConventionCase{
            "batch_text",
            {"LANG=ja_JP.UTF-8"},
            {"--batch", "--format", "text"},
            "abc,100\n\"1\x1B[31m\n5\",100\n24.000,68.5\n",
            1,
            "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)\n"
            "abc      100      エラー: PLL-IC REF クロックの値「abc」は数値ではありません。 "
            "実行時エラー 13: 型が一致しません。\n"
            // One line, and no escape reaches the terminal.
            "1 [31m 5 100      エラー: PLL-IC REF クロックの値「1 [31m 5」は数値ではありません。 "
            "実行時エラー 13: 型が一致しません。\n"
            "24.000   68.5     1/2  2/3  114.8205     57.41025     76.547  PCI危険  "
            "AGP注意\n"}),
    [](const testing::TestParamInfo<ConventionCase>& test) { return test.param.name; });

TEST(calc_batch, writes_one_row_per_case_in_order_and_goes_on_after_errors) {
    const Outcome outcome = runCalc({"--batch"}, "\xEF\xBB\xBF"
                                                 "15.000,100\r\n"
                                                 "\n"
                                                 "# a comment\n"
                                                 "abc,100\n"
                                                 "14.318, 66.666 ,1/2,1/1\n"
                                                 "14.318,100,1/5,\n"
                                                 "1,2,3\n"
                                                 "x,y\n"
                                                 "14.318,140,,1/1\n");
    EXPECT_EQ(outcome.status, 1); // some cases failed
    EXPECT_EQ(outcome.out,
              "reference,fsb,pci_divider,agp_divider,cpu_mhz,pci_mhz,agp_mhz,pci_hint,agp_hint,"
              "error,error_code\n"
              "15.000,100,1/3,2/3,104.7632,34.92108,69.84216,ok,ok,,\n"
              "abc,100,,,,,,,,PLL-IC REF クロックの値「abc」は数値ではありません。 "
              "実行時エラー 13: 型が一致しません。,13\n"
              "14.318,66.666,1/2,1/1,66.666,33.333,66.666,ok,ok,,\n"
              "14.318,100,1/5,,,,,,,PCIの分周比「1/5」は 1/2、1/3、1/4 のいずれかです。,5\n"
              "1,2,3,,,,,,,\"入力行は REF,FSB[,PCI,AGP] の形で書いてください。\",5\n"
              // Two bad texts: the reference is blamed, as 計算実行 does.
              "x,y,,,,,,,,PLL-IC REF クロックの値「x」は数値ではありません。 "
              "実行時エラー 13: 型が一致しません。,13\n"
              "14.318,140,1/4,1/1,140,35,140,ok,danger,,\n");
}

TEST(calc_batch, a_line_over_64_kib_is_one_failed_case_and_the_next_line_goes_on) {
    constexpr std::size_t kCap = 64 * 1024;
    const std::string atCap = "15," + std::string(kCap - 6, ' ') + "100";
    ASSERT_EQ(atCap.size(), kCap);
    const std::string overCap = "\u00e9" + std::string(kCap, 'x'); // a 2-byte character first
    // A quoted field may span lines, but not past the cap.
    const std::string quotedOverCap = "\"15" + std::string(kCap / 2, '\n') + std::string(kCap, 'y');
    const Outcome outcome =
        runCalc({"--batch", "--format", "json"},
                atCap + "\n" + overCap + "\n16,100\n" + quotedOverCap + "\n17,100", {}, {"LANG=C"});
    EXPECT_EQ(outcome.status, 1);
    const nlohmann::json rows = nlohmann::json::parse(outcome.out);
    ASSERT_EQ(rows.size(), 5U) << outcome.out;
    EXPECT_EQ(rows[0]["cpu_mhz"], 104.7632);
    // The line's start, quoted as messages quote: at most 40 characters.
    const std::string message = rows[1]["error"];
    const std::string head = "The input line is too long (64 KiB at most): \"\u00e9xxxxxxxxxx";
    EXPECT_EQ(message.substr(0, head.size()), head);
    EXPECT_TRUE(message.ends_with('"')) << message;
    EXPECT_LE(message.size(), head.size() + 40 + 4) << message;
    EXPECT_EQ(rows[1]["error_code"], 5);
    EXPECT_EQ(rows[2]["reference"], "16");
    EXPECT_EQ(rows[2]["cpu_mhz"], 111.7475);
    EXPECT_EQ(rows[3]["error_code"], 5);
    EXPECT_EQ(rows[4]["reference"], "17");
}

TEST(calc_batch, streams_a_hundred_thousand_cases) {
    std::string input;
    for (int i = 0; i < 100'000; ++i) {
        input += i % 1000 == 999 ? "bad,100\n" : "15.000," + std::to_string(60 + i % 100) + "\n";
    }
    const Outcome outcome = runCalc({"--batch", "--format", "json"}, input);
    EXPECT_EQ(outcome.status, 1);
    const std::vector<std::string> lines = linesOf(outcome.out);
    ASSERT_EQ(lines.size(), 100'002U); // "[", the rows, "]"
    EXPECT_EQ(lines.front(), "[");
    EXPECT_EQ(lines.back(), "]");
    EXPECT_NE(lines[1].find("\"fsb\": \"60\""), std::string::npos);
    EXPECT_NE(lines[1000].find("\"error\": \"PLL-IC REF"), std::string::npos);
    EXPECT_NE(lines[99'999].find("\"fsb\": \"158\""), std::string::npos);
}

// A standard input that cannot be read is named, and no row, header or
// empty array passes for the answer.
TEST(calc_batch, an_unreadable_input_is_an_error_with_no_output) {
    struct Case {
        InputFrom from;
        std::string locale;
        std::string format;
        std::string err;
    };
    const Case cases[] = {
        {InputFrom::Closed, "LANG=ja_JP.UTF-8", "csv",
         "quenvale-calc: 標準入力を読み込めませんでした。\n"},
        {InputFrom::Directory, "LANG=C", "json",
         "quenvale-calc: cannot read the standard input.\n"},
        {InputFrom::Directory, "LANG=ja_JP.UTF-8", "text",
         "quenvale-calc: 標準入力を読み込めませんでした。\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome =
            runCalc({"--batch", "--format", c.format}, {}, {}, {c.locale}, c.from);
        EXPECT_EQ(outcome.status, 1) << c.err;
        EXPECT_EQ(outcome.out, "") << c.err;
        EXPECT_EQ(outcome.err, c.err);
    }
}

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

TEST(calc_table, covers_every_listed_crystal_and_fsb_or_the_given_ones) {
    const Outcome all = runCalc({"--table", "--format", "csv"});
    EXPECT_EQ(all.status, 0);
    const std::vector<std::string> rows = linesOf(all.out);
    ASSERT_EQ(rows.size(), 1 + 19 * 21U);
    EXPECT_EQ(rows[1], "12.000,66.666,1/2,2/3,55.87317,27.93658,37.24878,ok,ok,,");
    EXPECT_EQ(rows.back(), "24.000,160,1/4,1/2,268.1939,67.04847,134.0969,danger,danger,,");

    EXPECT_EQ(linesOf(runCalc({"--table", "--ref", "15.000", "--format", "csv"}).out).size(), 22U);
    // Numbers that overflow only together fail their row.
    const Outcome bad = runCalc({"--table", "--ref", "1e30", "--fsb", "1e30", "--format", "csv"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(linesOf(bad.out)[1],
              "1e30,1e30,1/4,1/2,,,,,,計算結果が大きすぎます。 実行時エラー 6: "
              "オーバーフローしました。,6");
    // Each hint label beside its bus: caution 注意, danger 危険.
    for (const auto& [fsb, line] :
         {std::pair{"68.5", "24.000   68.5     1/2  2/3  114.8205     57.41025     76.547  "
                            "PCI危険  AGP注意"},
          std::pair{"100", "24.000   100      1/3  2/3  167.6212     55.87373     111.7475  "
                           "PCI危険  AGP危険"}}) {
        const Outcome one = runCalc({"--table", "--ref", "24.000", "--fsb", fsb});
        EXPECT_EQ(one.status, 0);
        EXPECT_EQ(linesOf(one.out),
                  (std::vector<std::string>{
                      "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)", line}));
    }
    const Outcome caution = runCalc({"--table", "--ref", "12.000", "--fsb", "90"});
    EXPECT_EQ(linesOf(caution.out).back(),
              "12.000   90       1/2  2/3  75.42953     37.71476     50.28635  PCI注意");
}

TEST(calc_crystal_for, finds_the_crystal_and_its_listed_neighbours) {
    const Outcome outcome =
        runCalc({"--crystal-for", "150", "--fsb", "133.333", "--format", "csv"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "position,reference,fsb,pci_divider,agp_divider,cpu_mhz,pci_mhz,agp_mhz,pci_hint,"
              "agp_hint\n"
              "required,16.10779,133.333,1/3,2/3,150,50,99.99999,danger,danger\n"
              "below,16.000,133.333,1/3,2/3,148.9962,49.66541,99.33081,danger,danger\n"
              "above,17.640,133.333,1/3,2/3,164.2683,54.75611,109.5122,danger,danger\n");

    // A target the nominal crystal meets exactly: that crystal is "below".
    const Outcome exact = runCalc({"--crystal-for", "100", "--fsb", "100", "--format", "csv"});
    const std::vector<std::string> rows = linesOf(exact.out);
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows[1].substr(0, 16), "required,14.318,");
    EXPECT_EQ(rows[2].substr(0, 13), "below,14.318,");
    EXPECT_EQ(rows[3].substr(0, 13), "above,15.000,");

    // Beyond the list: no neighbour above.
    const Outcome high = runCalc({"--crystal-for", "300", "--fsb", "100", "--format", "csv"});
    EXPECT_EQ(linesOf(high.out).size(), 3U);
    EXPECT_EQ(linesOf(high.out)[2].substr(0, 13), "below,24.000,");
}

TEST(calc_crystal_for, text_names_the_dividers_and_aligns_its_columns) {
    const Outcome band = runCalc({"--crystal-for", "150", "--fsb", "133.333"});
    EXPECT_EQ(band.status, 0) << band.err;
    EXPECT_EQ(band.out,
              "FSB 133.333 MHz で CPU を 150 MHz にする水晶: 16.10779 MHz\n"
              "分周比 PCI 1/3, AGP 2/3 (FSBの帯域から)\n"
              "必要な水晶  16.10779 MHz  CPU 150 MHz       PCI 50 MHz        AGP 99.99999 MHz  "
              "PCI危険  AGP危険\n"
              "下の候補    16.000 MHz    CPU 148.9962 MHz  PCI 49.66541 MHz  AGP 99.33081 MHz  "
              "PCI危険  AGP危険\n"
              "上の候補    17.640 MHz    CPU 164.2683 MHz  PCI 54.75611 MHz  AGP 109.5122 MHz  "
              "PCI危険  AGP危険\n");
    const Outcome given =
        runCalc({"--crystal-for", "150", "--fsb", "100", "--pci", "1/4", "--agp", "1/1"});
    EXPECT_EQ(given.out,
              "FSB 100 MHz で CPU を 150 MHz にする水晶: 21.477 MHz\n"
              "分周比 PCI 1/4, AGP 1/1 (--pci、--agp の指定)\n"
              "必要な水晶  21.477 MHz  CPU 150 MHz     PCI 37.5 MHz      AGP 150 MHz  "
              "AGP危険\n"
              "下の候補    21.477 MHz  CPU 150 MHz     PCI 37.5 MHz      AGP 150 MHz  "
              "AGP危険\n"
              "上の候補    21.855 MHz  CPU 152.64 MHz  PCI 38.16001 MHz  AGP 152.64 MHz  "
              "PCI注意  AGP危険\n");
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

TEST(calc_info, help_in_the_locales_language) {
    const Outcome japanese = runCalc({"--help"});
    EXPECT_EQ(japanese.status, 0);
    EXPECT_NE(japanese.out.find("終了ステータス"), std::string::npos);
    EXPECT_EQ(japanese.out.find("Exit status"), std::string::npos);
    const Outcome english = runCalc({"--help"}, {}, {}, {"LANG=C.UTF-8"});
    EXPECT_NE(english.out.find("Exit status"), std::string::npos);
    EXPECT_EQ(english.out.find("終了ステータス"), std::string::npos);
}

} // namespace

namespace {

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

} // namespace

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
