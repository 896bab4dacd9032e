#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
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

// Runs quenvale-calc with the arguments and the standard input given; files
// stand in for pipes so that a large input cannot deadlock the test. The
// standard output goes to `outputTo` instead when it is given, and is not read.
Outcome runCalc(const std::vector<std::string>& args, const std::string& input = {},
                const std::string& outputTo = {}) {
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
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    std::vector<std::string> argv{QUENVALE_CALC};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);

    Outcome outcome;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, QUENVALE_CALC, &actions, nullptr, pointers.data(), environ);
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
        TextCase{{"15.000", "100"}, "CPU 104.7632 MHz\nPCI 34.92108 MHz\nAGP 69.84216 MHz\n"},
        TextCase{{"14.318", "66.666", "--agp", "1/1"},
                 "CPU 66.666 MHz\nPCI 33.333 MHz\nAGP 66.666 MHz\n"},
        // Band dividers without options: FSB 140 is 1/4 with AGP 1/2.
        TextCase{{"14.318", "140"}, "CPU 140 MHz\nPCI 35 MHz\nAGP 70 MHz\n"},
        TextCase{{"--pci=1/4", "--agp=1/2", "14.318", "140"},
                 "CPU 140 MHz\nPCI 35 MHz\nAGP 70 MHz\n"},
        TextCase{{"12.000", "66.666", "--pci", "1/2", "--agp", "1/1"},
                 "CPU 55.87317 MHz\nPCI 27.93658 MHz\nAGP 55.87317 MHz\n"},
        // Negative numbers after "--".
        TextCase{{"--pci", "1/2", "--agp", "1/1", "--", "14.318", "-100"},
                 "CPU -100 MHz\nPCI -50 MHz\nAGP -100 MHz\n"},
        // A hint follows the clock it concerns.
        TextCase{{"14.318", "90"},
                 "CPU 90 MHz\nPCI 45 MHz  危険: PCIクロックが定格33.33MHzの125%を超えています。"
                 "IDEやSCSIの機器、拡張カードが動作しないおそれがあります。\nAGP 60 MHz\n"}));

TEST(calc_single, csv_and_json_carry_dividers_and_hints) {
    const Outcome csv = runCalc({"14.318", "133.333", "--format", "csv"});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out,
              "reference,fsb,pci_divider,agp_divider,cpu_mhz,pci_mhz,agp_mhz,pci_hint,agp_hint\n"
              "14.318,133.333,1/3,2/3,133.333,44.44433,88.88866,danger,danger\n");

    const Outcome json = runCalc({"15.000", "120", "--format=json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "{\"reference\": \"15.000\", \"fsb\": \"120\", \"pci_divider\": \"1/3\", "
                        "\"agp_divider\": \"2/3\", \"cpu_mhz\": \"125.7159\", \"pci_mhz\": "
                        "\"41.9053\", \"agp_mhz\": \"83.81059\", \"pci_hint\": \"danger\", "
                        "\"agp_hint\": \"danger\"}\n");
}

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
        FailureCase{
            {"14,318", "100"}, 1, "PLL-IC REF クロックの値「14,318」は数値ではありません。"},
        FailureCase{{"14.318", "1e39"}, 1, "FSBの値「1e39」は大きすぎます。\n実行時エラー 6:"},
        FailureCase{{"1e38", "100"}, 1, "計算結果が大きすぎます。\n実行時エラー 6: "},
        FailureCase{{"14.318", " "}, 1, "FSBの値が入力されていません。"},
        FailureCase{{"--crystal-for", "x", "--fsb", "100"},
                    1,
                    "目標クロックの値「x」は数値ではありません。"},
        FailureCase{{"--crystal-for", "150", "--fsb", "0"},
                    1,
                    "計算できませんでした。\n実行時エラー 11: 0 で除算しました。\n"}));

INSTANTIATE_TEST_SUITE_P(
    usage_errors, calc_fails,
    testing::Values(FailureCase{{}, 2, "quenvale-calc: "},
                    FailureCase{{"14.318"}, 2, "quenvale-calc: "},
                    FailureCase{{"1", "2", "3"}, 2, "quenvale-calc: "},
                    FailureCase{{"14.318", "100", "--pci", "1/5"}, 2, "quenvale-calc: --pci"},
                    FailureCase{{"14.318", "100", "--agp"}, 2, "quenvale-calc: --agp"},
                    FailureCase{{"14.318", "100", "--format", "xml"}, 2, "quenvale-calc: --format"},
                    FailureCase{{"--batch", "--format", "text"}, 2, "quenvale-calc: --batch"},
                    FailureCase{{"--batch", "--table"}, 2, "quenvale-calc: "},
                    FailureCase{{"--crystal-for", "150"}, 2, "quenvale-calc: --crystal-for"},
                    FailureCase{{"--frobnicate"}, 2, "quenvale-calc: 不明なオプション"},
                    FailureCase{{"--version=2"}, 2, "quenvale-calc: --version"}));

TEST(calc_batch, writes_one_row_per_case_in_order_and_goes_on_after_errors) {
    const Outcome outcome = runCalc({"--batch"}, "\xEF\xBB\xBF"
                                                 "15.000,100\r\n"
                                                 "\n"
                                                 "# a comment\n"
                                                 "abc,100\n"
                                                 "14.318, 66.666 ,1/2,1/1\n"
                                                 "14.318,100,1/5,\n"
                                                 "1,2,3\n"
                                                 "14.318,140,,1/1\n"
                                                 "x,y\n");
    EXPECT_EQ(outcome.status, 1); // some cases failed
    EXPECT_EQ(outcome.out,
              "reference,fsb,pci_divider,agp_divider,cpu_mhz,pci_mhz,agp_mhz,pci_hint,agp_hint,"
              "error\n"
              "15.000,100,1/3,2/3,104.7632,34.92108,69.84216,ok,ok,\n"
              "abc,100,,,,,,,,\"PLL-IC REF クロックの値「abc」は数値ではありません。\n"
              "実行時エラー 13: 型が一致しません。\"\n"
              "14.318,66.666,1/2,1/1,66.666,33.333,66.666,ok,ok,\n"
              "14.318,100,1/5,,,,,,,PCIの分周比「1/5」は 1/2、1/3、1/4 のいずれかです。\n"
              "1,2,,,,,,,,\"入力行は REF,FSB[,PCI,AGP] の形で書いてください。\"\n"
              "14.318,140,1/4,1/1,140,35,140,ok,danger,\n"
              // Two bad texts: the reference is blamed, as 計算実行 does.
              "x,y,,,,,,,,\"PLL-IC REF クロックの値「x」は数値ではありません。\n"
              "実行時エラー 13: 型が一致しません。\"\n");
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

TEST(calc_table, covers_every_listed_crystal_and_fsb_or_the_given_ones) {
    const Outcome all = runCalc({"--table", "--format", "csv"});
    EXPECT_EQ(all.status, 0);
    const std::vector<std::string> rows = linesOf(all.out);
    ASSERT_EQ(rows.size(), 1 + 19 * 21U);
    EXPECT_EQ(rows[1], "12.000,66.666,1/2,2/3,55.87317,27.93658,37.24878,ok,ok,");
    EXPECT_EQ(rows.back(), "24.000,160,1/4,1/2,268.1939,67.04847,134.0969,danger,danger,");

    EXPECT_EQ(linesOf(runCalc({"--table", "--ref", "15.000", "--format", "csv"}).out).size(), 22U);
    const Outcome bad = runCalc({"--table", "--ref", "15.000", "--fsb", "abc", "--format", "csv"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(linesOf(bad.out)[1], "15.000,abc,,,,,,,,\"FSBの値「abc」は数値ではありません。");
    const Outcome one = runCalc({"--table", "--ref", "15.000", "--fsb", "100"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(linesOf(one.out),
              (std::vector<std::string>{
                  "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)",
                  "15.000   100      1/3  2/3  104.7632     34.92108     69.84216"}));
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

TEST(calc_info, version_and_bilingual_help) {
    const Outcome version = runCalc({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quenvale-calc 1.00\n");
    const Outcome help = runCalc({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("使い方"), std::string::npos);
    EXPECT_NE(help.out.find("Exit status"), std::string::npos);
    EXPECT_NE(help.out.find("終了ステータス"), std::string::npos);
}

} // namespace
