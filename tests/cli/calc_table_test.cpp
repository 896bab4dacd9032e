// --table and --crystal-for: the listed crystals and FSB settings.
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
        ConventionCase{.name = "lang_option_english_crystal",
                       .locale = {"LANG=ja_JP.UTF-8"},
                       .args = {"--crystal-for", "150", "--fsb", "100", "--lang=en"},
                       .outStart = "Crystal for CPU 150 MHz at FSB 100 MHz: 21.477 MHz\n"
                                   "Dividers PCI 1/3, AGP 2/3 (from the FSB's band)\n"
                                   "required  21.477 MHz  CPU 150 MHz"},
        // What the page saves as CSV: the table's row with the crystal's
        // consequences after the other columns.
        ConventionCase{
            .name = "table_details_csv",
            .locale = {"LANG=C"},
            .args = {"--table", "--ref", "15.000", "--fsb", "100", "--details", "--format", "csv"},
            .csv = {{"reference", "fsb", "pci_divider", "agp_divider", "cpu_mhz", "pci_mhz",
                     "agp_mhz", "pci_hint", "agp_hint", "error", "error_code", "usb_mhz", "usb_ok",
                     "sio_mhz", "timer_drift_s_per_day", "core_mhz"},
                    {"15.000", "100", "1/3", "2/3", "104.7632", "34.92108", "69.84216", "ok", "ok",
                     "", "", "50.28635", "false", "25.14318", "4115.435", ""}}}),
    [](const testing::TestParamInfo<ConventionCase>& test) { return test.param.name; });

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

} // namespace
} // namespace quenvale::cli::test
