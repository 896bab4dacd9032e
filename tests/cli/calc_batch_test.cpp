// --batch: cases from the standard input.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "calc_harness.h"

namespace quenvale::cli::test {
namespace {

INSTANTIATE_TEST_SUITE_P(
    cases, calc_conventions,
    testing::Values(
        // A header, quoted fields, a CR inside a field, a bad line in the
        // middle: every failure is a one-line row, and the status is 1 though
        // the last case succeeds.
        ConventionCase{
            .name = "batch_csv",
            .locale = {"LANG=ja_JP.UTF-8"},
            .args = {"--batch"},
            .input = "reference,fsb\r\n"
                     "\"15\",\"100\"\n"
                     "\"1\r5\", 100\n"
                     "\"14.318\" , \"1,2\"\n"
                     "\"15\"x,100\n"
                     "\"14.318\",\"66.666\",\"1/2\",\"1/1\"\n",
            .status = 1,
            .csv = {kCsvHeader,
                    {"15", "100", "1/3", "2/3", "104.7632", "34.92108", "69.84216", "ok", "ok", "",
                     ""},
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
                    {"14.318", "66.666", "1/2", "1/1", "66.666", "33.333", "66.666", "ok", "ok", "",
                     ""}},
            .outHas = // Read back by a reader that splits on LF only: the CR must be
            // quoted in the text itself.
            "\n\"1\r5\",100,"},
        // A full-width field takes two columns a character: the next column
        // still starts under its heading.
        ConventionCase{
            .name = "batch_text_full_width",
            .locale = {"LANG=ja_JP.UTF-8"},
            .args = {"--batch", "--format", "text"},
            .input = "0,１００,1/2,1/1\n",
            .outStart = "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)\n"
                        "0        １００   1/2  1/1  0            0            0\n"},
        // An invalid byte echoed from the input is replaced, so the CSV is
        // UTF-8 throughout.
        ConventionCase{.name = "batch_csv_invalid_byte",
                       .locale = {"LANG=C"},
                       .args = {"--batch"},
                       .input = "1\xff"
                                "5,100\n",
                       .status = 1,
                       .csv = {kCsvHeader,
                               {"1\xEF\xBF\xBD"
                                "5",
                                "100", "", "", "", "", "", "", "",
                                "The reference clock value \"1\xEF\xBF\xBD"
                                "5\" is not a number. Run-time "
                                "error 13: Type mismatch.",
                                "13"}}},
        ConventionCase{
            .name = "batch_json",
            .locale = {"LANG=C"},
            .args = {"--batch", "--format", "json"},
            .input = "14.318,100,1/5,\n\"1\n5\",100\n14.318,100\n",
            .status = 1,
            .json = nlohmann::json::array(
                {jsonRow({.reference = "14.318",
                          .fsb = "100",
                          .pciDivider = "1/5",
                          .error = "The PCI divider \"1/5\" is not one of 1/2, 1/3, 1/4.",
                          .errorCode = 5}), // The input as typed; only the message is on one line.
                 failedJson("1\n5", "100",
                            "The reference clock value \"1 5\" is not a number. "
                            "Run-time error 13: Type mismatch.",
                            13),
                 jsonRow({.reference = "14.318",
                          .fsb = "100",
                          .pciDivider = "1/3",
                          .agpDivider = "2/3",
                          .cpu = 100,
                          .pci = 33.33334,
                          .agp = 66.66667,
                          .pciHint = "ok",
                          .agpHint = "ok"})})},
        // Only the first line may be a header: a later one is a case,
        // and a failed one.
        ConventionCase{.name = "batch_later_reference_line",
                       .locale = {"LANG=ja_JP.UTF-8"},
                       .args = {"--batch"},
                       .input = "reference,fsb\n15,100\nreference,fsb\n",
                       .status = 1,
                       .outHas = "\nreference,fsb,,,,,,,,PLL-IC REF クロックの値「reference」は"},
        // Blanks inside quotes are part of the field, and echoed as typed.
        ConventionCase{
            .name = "batch_quoted_blanks_kept",
            .locale = {"LANG=C"},
            .args = {"--batch", "--format", "json"},
            .input = "\" 15 \",100\n",
            .outHas = "{\"reference\": \" 15 \", \"fsb\": \"100\", \"pci_divider\": \"1/3\""},
        ConventionCase{
            .name = "batch_text",
            .locale = {"LANG=ja_JP.UTF-8"},
            .args = {"--batch", "--format", "text"},
            .input = "abc,100\n\"1\x1B[31m\n5\",100\n24.000,68.5\n",
            .status = 1,
            .outStart =
                "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)\n"
                "abc      100      エラー: PLL-IC REF クロックの値「abc」は数値ではありません。 "
                "実行時エラー 13: 型が一致しません。\n"
                // One line, .errStart = and no escape reaches the terminal.
                "1 [31m 5 100      エラー: PLL-IC REF クロックの値「1 [31m "
                "5」は数値ではありません。 "
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

} // namespace
} // namespace quenvale::cli::test
