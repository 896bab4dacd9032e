#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <optional>
#include <regex>
#include <report/clock_chart.h>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {
namespace {

const ChartLabels kLabels{.title = "t",
                          .description = "d",
                          .fsbAxis = "FSB (MHz)",
                          .cpuPanel = "CPU",
                          .pciPanel = "PCI",
                          .agpPanel = "AGP",
                          .ok = "ok",
                          .caution = "caution",
                          .danger = "danger",
                          .nominal = "nominal",
                          .noRows = "NO ROWS"};

// The data-fsb of every point of one clock, in document order, and of the
// highlighted ones.
struct Points {
    std::vector<std::string> all;
    std::vector<std::string> current;
};

Points points(const std::string& svg, std::string_view clock) {
    const std::regex circle("<circle [^>]*class=\"point " + std::string(clock) +
                            "( current)?\" data-fsb=\"([^\"]*)\"");
    Points found;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), circle);
         it != std::sregex_iterator(); ++it) {
        found.all.push_back((*it)[2]);
        if ((*it)[1].matched) {
            found.current.push_back((*it)[2]);
        }
    }
    return found;
}

struct Case {
    std::vector<std::string_view> settings;
    std::optional<std::size_t> highlighted;
    std::vector<std::string> drawn;   // FSB texts of the points, left to right
    std::vector<std::string> current; // the highlighted one, if drawn
};

class clock_chart : public testing::TestWithParam<Case> {};

TEST_P(clock_chart, draws_one_point_per_calculated_row_and_marks_the_current_one) {
    const Case& c = GetParam();
    const std::vector<ClockCase> rows = fsbTable("15.000", c.settings);
    const std::string svg = drawClockChart(rows, kLabels, c.highlighted);
    for (const std::string_view clock : {"cpu", "pci", "agp"}) {
        const Points found = points(svg, clock);
        EXPECT_EQ(found.all, c.drawn) << clock;
        EXPECT_EQ(found.current, c.current) << clock;
    }
    EXPECT_EQ(svg.find("NO ROWS") == std::string::npos, !c.drawn.empty());
}

INSTANTIATE_TEST_SUITE_P(tables, clock_chart,
                         testing::Values(
                             // The CLI's list, the window's FSB of 100 highlighted.
                             Case{{kFsbPresets.begin(), kFsbPresets.end()},
                                  5,
                                  {kFsbPresets.begin(), kFsbPresets.end()},
                                  {"100"}},
                             // Rows out of order are placed by their FSB; a failed row is left
                             // out, also when it is the highlighted one.
                             Case{{"140", "abc", "66.666", "1e39"}, 1, {"66.666", "140"}, {}},
                             Case{{"140", "abc", "66.666"}, 0, {"66.666", "140"}, {"140"}},
                             // An index beyond the rows highlights nothing.
                             Case{{"100", "133.333"}, 2, {"100", "133.333"}, {}},
                             Case{{"abc", ""}, 0, {}, {}}, Case{{}, std::nullopt, {}, {}}));

// Crystals far out still give a point per row and a number on every tick.
TEST(clock_chart, scales_to_any_single) {
    for (const std::string_view reference : {"0", "-14.318", "1e-44", "3e37"}) {
        const std::vector<ClockCase> rows = fsbTable(reference);
        const std::string svg = drawClockChart(rows, kLabels, 0);
        EXPECT_EQ(points(svg, "cpu").all.size(), kFsbPresets.size()) << reference;
        for (const std::string_view word : {"inf", "Inf", "nan", "NaN"}) {
            EXPECT_EQ(svg.find(word), std::string::npos) << reference << ' ' << word;
        }
    }
}

TEST(clock_chart, shows_the_dividers_of_each_band_and_the_nominal_clocks) {
    const std::vector<ClockCase> rows = fsbTable("14.318");
    const std::string svg = drawClockChart(rows, kLabels);
    // Both limits lie inside the list's range.
    std::size_t limits = 0;
    for (std::size_t at = svg.find("class=\"band-limit\""); at != std::string::npos;
         at = svg.find("class=\"band-limit\"", at + 1)) {
        ++limits;
    }
    EXPECT_EQ(limits, 2U * 4); // above the panels and in each
    for (const std::string_view band :
         {">PCI 1/2</text>", ">AGP 2/3</text>", ">PCI 1/3</text>", ">PCI 1/4</text>",
          ">AGP 1/2</text>", ">nominal 33.33</text>", ">nominal 66.67</text>"}) {
        EXPECT_NE(svg.find(band), std::string::npos) << band;
    }
}

TEST(clock_chart, escapes_every_text_it_is_given) {
    ChartLabels labels = kLabels;
    labels.title = "<a & \"b\" 'c'>\x01";
    labels.noRows = "\xff]]>";
    const std::vector<ClockCase> rows = fsbTable("15.000", std::array<std::string_view, 1>{"x<"});
    const std::string svg = drawClockChart(rows, labels);
    EXPECT_NE(svg.find(">&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt; </title>"), std::string::npos);
    EXPECT_NE(svg.find(">\xEF\xBF\xBD]]&gt;</text>"), std::string::npos);
    EXPECT_EQ(escapeXml("\xC2\x85\xEF\xBF\xBE\xE6\xB0\xB4"), " \xEF\xBF\xBD\xE6\xB0\xB4");
}

} // namespace
} // namespace quenvale
