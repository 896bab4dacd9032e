// --plan: the crystals and FSB settings ranked against a target.
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
        // Nearest core clock to the target first.
        ConventionCase{
            .name = "plan_text",
            .locale = {"LANG=ja_JP.UTF-8"},
            .args = {"--plan", "--target", "500", "--multiplier", "4.5", "--top", "3"},
            .outStart =
                "コアクロック (CPU × 4.5)が 500 MHz に近い順、PCI・AGP は caution(注意) "
                "まで: 108\n  件中 3 件\n"
                "REF      FSB     CPU      PCI        AGP        CORE     DRIFT/DAY   OFF\n"
                "12.800   124     110.8535 36.95116   73.90231   498.8406 -2時間33分  USB SIO\n"
                "12.288   129     110.7104 36.90348   73.80696   498.197  -3時間24分  USB SIO\n"
                "12.000   133.333 111.7472 37.24905   74.49811   502.8622 -3時間53分  USB SIO\n"},
        // The user's own crystals, as repeated --ref and as a list, ranked alone;
        // the summary names the limit asked for and counts the crystals.
        ConventionCase{
            .name = "plan_own_crystals_text",
            .locale = {"LANG=C"},
            .args = {"--plan", "--target", "120", "--ref", "14.7456,14.31818", "--ref", "16.384",
                     "--ref", "13.5", "--limit", "danger", "--top", "3"},
            .outStart = "CPU clock nearest 120 MHz, PCI and AGP within danger: 3 of 84 from 4 "
                        "given\n  crystals\n"
                        "REF      FSB     CPU      PCI        AGP        DRIFT/DAY   OFF\n"
                        "14.31818 120     120.0015 40.0005!   80.00101!  +1 s\n"
                        "14.7456  117     120.4941 40.16472!  80.32944!  +43 min     USB SIO\n"
                        "13.5     129     121.6301 40.54337!  81.08675!  -1 h 22 min USB SIO\n"
                        "  ! = caution, !! = danger\n"},
        // Within ok only: 12.288 x 133.333 (114.43 MHz, PCI and AGP caution)
        // is nearest but left out; then by distance, band dividers each.
        ConventionCase{.name = "plan_csv_limit_ok",
                       .locale = {},
                       .args = {"--plan", "--target", "114.4", "--limit", "ok", "--top", "3",
                                "--format", "csv"},
                       .csv = {{"reference", "fsb", "pci_divider", "agp_divider", "cpu_mhz",
                                "pci_mhz", "agp_mhz", "pci_hint", "agp_hint", "usb_mhz", "usb_ok",
                                "sio_mhz", "timer_drift_s_per_day", "core_mhz"},
                               {"12.000", "138", "1/4", "1/2", "115.6586", "28.91465", "57.82931",
                                "ok", "ok", "40.22908", "false", "20.11454", "-13987.65", ""},
                               {"14.318", "112", "1/3", "2/3", "112", "37.33334", "74.66667", "ok",
                                "ok", "48", "true", "24", "0", ""},
                               {"16.000", "100", "1/3", "2/3", "111.7475", "37.24915", "74.49831",
                                "ok", "ok", "53.63877", "false", "26.81939", "10149.8", ""}}},
        // Beyond every crystal: the fastest, danger and all.
        ConventionCase{.name = "plan_json_limit_danger",
                       .locale = {},
                       .args = {"--plan", "--target", "300", "--limit", "danger", "--top", "1",
                                "--format", "json"},
                       .json = nlohmann::json::array(
                           {jsonRow({.reference = "24.000",
                                     .fsb = "160",
                                     .pciDivider = "1/4",
                                     .agpDivider = "1/2",
                                     .cpu = 268.1939,
                                     .pci = 67.04847,
                                     .agp = 134.0969,
                                     .pciHint = "danger",
                                     .agpHint = "danger",
                                     .more = {{"usb_mhz", 80.45817},
                                              {"usb_ok", false},
                                              {"sio_mhz", 40.22908},
                                              {"timer_drift_s_per_day", 58424.7}},
                                 .errorColumns = false})})}),
    [](const testing::TestParamInfo<ConventionCase>& test) { return test.param.name; });

// Every row of the longest plan, with the core clock and the danger marks,
// fits an 80-column terminal in either language.
TEST(calc_plan, text_fits_80_columns) {
    for (const std::string locale : {"LANG=ja_JP.UTF-8", "LANG=C"}) {
        const Outcome plan = runCalc({"--plan", "--target", "500", "--multiplier", "4.5", "--limit",
                                      "danger", "--top", "400"},
                                     {}, {}, {locale});
        EXPECT_EQ(plan.status, 0) << plan.err;
        EXPECT_GT(linesOf(plan.out).size(), 399U) << locale;
        EXPECT_LE(widestLine(plan.out), 80U) << plan.out;
    }
}

} // namespace
} // namespace quenvale::cli::test
