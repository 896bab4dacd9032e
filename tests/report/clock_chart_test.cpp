#include <calculator/clock_hints.h>
#include <calculator/dividers.h>
#include <report/clock_chart.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <regex>
#include <sstream>
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

// Only the points inside their clock's group, which gives them the series'
// colour and the background's outline; the current one keeps its own fill.
Points points(const std::string& svg, std::string_view clock,
              const ChartPalette& palette = kLightChart) {
    const std::regex group("<g fill=\"" + std::string(palette.series) + "\" stroke=\"" +
                           std::string(palette.background) + "\">\n((?:<circle [^\n]*\n)*)</g>");
    const std::regex circle("<circle [^>]*?(fill=\"" + std::string(palette.current) +
                            "\" )?class=\"point " + std::string(clock) +
                            "( current)?\" data-fsb=\"([^\"]*)\"");
    std::string inGroups;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), group);
         it != std::sregex_iterator(); ++it) {
        inGroups += (*it)[1];
    }
    Points found;
    for (auto it = std::sregex_iterator(inGroups.begin(), inGroups.end(), circle);
         it != std::sregex_iterator(); ++it) {
        if ((*it)[1].matched != (*it)[2].matched) {
            found.all.push_back("fill of " + std::string((*it)[3]));
            continue;
        }
        found.all.push_back((*it)[3]);
        if ((*it)[2].matched) {
            found.current.push_back((*it)[3]);
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
    for (const ChartPalette* palette : {&kLightChart, &kDarkChart}) {
        const std::string svg = drawClockChart(rows, kLabels, c.highlighted, *palette);
        for (const std::string_view clock : {"cpu", "pci", "agp"}) {
            const Points found = points(svg, clock, *palette);
            EXPECT_EQ(found.all, c.drawn) << clock << ' ' << palette->background;
            EXPECT_EQ(found.current, c.current) << clock << ' ' << palette->background;
        }
        EXPECT_EQ(svg.find("NO ROWS") == std::string::npos, !c.drawn.empty());
    }
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

// A number written in the SVG, or none for any other text.
std::optional<double> numberIn(std::string_view text) {
    // strtod, as the browser build's standard library has no from_chars for
    // doubles; the tests run in the C locale, whose decimal point the SVG uses.
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size()) {
        return std::nullopt;
    }
    return value;
}

// A chart's scale read back, as a reader does from two marks: coordinate to
// MHz, and how far a value may be off for coordinates rounded to a
// hundredth.
struct Scale {
    double coordinate0 = 0;
    double value0 = 0;
    double slope = 1;

    double value(double coordinate) const { return value0 + (coordinate - coordinate0) * slope; }
    double tolerance() const { return 0.02 * std::fabs(slope); }
};

Scale scaleThrough(double c0, double v0, double c1, double v1) {
    return {c0, v0, (v1 - v0) / (c1 - c0)};
}

std::vector<std::smatch> matches(const std::string& text, const std::regex& pattern) {
    return {std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()};
}

double numberOf(const std::ssub_match& match) {
    return numberIn(match.str()).value_or(std::nan(""));
}

// The FSB scale, from the points drawn for their FSB.
Scale fsbScale(const std::string& svg) {
    const std::regex circle(
        R"re(<circle cx="([^"]*)"[^>]*class="point cpu[^"]*" data-fsb="([^"]*)")re");
    const std::vector<std::smatch> found = matches(svg, circle);
    EXPECT_GE(found.size(), 2U);
    return scaleThrough(numberOf(found.front()[1]), numberOf(found.front()[2]),
                        numberOf(found.back()[1]), numberOf(found.back()[2]));
}

// A panel's value scale, from its grid lines and their numbers: the group of
// lines, then the group of numbers beside them, one for one.
Scale valueScale(const std::string& panel) {
    const std::regex scale(
        R"re(<g stroke="[^"]*" stroke-opacity="0.1">\n((?:<line [^\n]*\n)*)</g>\n)re"
        R"re(<g text-anchor="end">\n((?:<text [^\n]*\n)*)</g>)re");
    const std::vector<std::smatch> found = matches(panel, scale);
    EXPECT_EQ(found.size(), 1U);
    if (found.size() != 1) {
        return {};
    }
    const std::string lines = found[0][1];
    const std::string numbers = found[0][2];
    const std::vector<std::smatch> ys = matches(lines, std::regex(R"re(<line [^>]*y1="([^"]*)")re"));
    const std::vector<std::smatch> texts = matches(numbers, std::regex(R"re(>([^<]*)</text>)re"));
    EXPECT_EQ(ys.size(), texts.size());
    std::vector<std::pair<double, double>> ticks;
    for (std::size_t i = 0; i < std::min(ys.size(), texts.size()); ++i) {
        if (const auto value = numberIn(texts[i][1].str())) {
            ticks.emplace_back(numberOf(ys[i][1]), *value);
        }
    }
    EXPECT_GE(ticks.size(), 2U);
    if (ticks.size() < 2) {
        return {};
    }
    return scaleThrough(ticks.front().first, ticks.front().second, ticks.back().first,
                        ticks.back().second);
}

// The text from a panel's heading to the next one's.
std::string panelText(const std::string& svg, const std::string& heading, const std::string& next) {
    const std::size_t from = svg.find("font-weight=\"bold\">" + heading + "</text>");
    const std::size_t to =
        next.empty() ? svg.size() : svg.find("font-weight=\"bold\">" + next + "</text>");
    EXPECT_NE(from, std::string::npos) << heading;
    return from == std::string::npos ? std::string() : svg.substr(from, to - from);
}

// Crystals far out still give a point per row and a number on every tick.
TEST(clock_chart, scales_to_any_single) {
    for (const std::string_view reference : {"0", "-14.318", "1e-44", "3e37"}) {
        const std::vector<ClockCase> rows = fsbTable(reference);
        const std::string svg = drawClockChart(rows, kLabels, 0);
        EXPECT_EQ(points(svg, "cpu").all.size(), kFsbPresets.size()) << reference;
        for (const std::string_view word : {"inf", "Inf", "nan", "NaN"}) {
            EXPECT_EQ(svg.find(word), std::string::npos) << reference << ' ' << word;
        }
        // Every coordinate a number, and every panel its ticks, also where
        // all its values are one (a crystal of 0).
        const std::regex coordinate(R"re( (x|y|x1|y1|x2|y2|cx|cy|width|height)="([^"%]*)")re");
        for (const std::smatch& match : matches(svg, coordinate)) {
            EXPECT_TRUE(numberIn(match[2].str())) << reference << ' ' << match[0];
        }
        valueScale(panelText(svg, "CPU", "PCI"));
        valueScale(panelText(svg, "PCI", "AGP"));
        valueScale(panelText(svg, "AGP", ""));
    }
}

class clock_chart_geometry : public testing::TestWithParam<std::vector<std::string_view>> {};

// Where the lines, scales and regions fall, read back in MHz: the band
// limits, the nominal clock and the hint limits, all in sight, and the
// series broken exactly where the divider changes.
TEST_P(clock_chart_geometry, places_limits_regions_and_series_by_their_mhz) {
    const std::vector<ClockCase> rows = fsbTable("14.318", GetParam());
    const std::string svg = drawClockChart(rows, kLabels);
    const Scale fsb = fsbScale(svg);

    // The band limits above the panels and in each of them.
    const std::regex bandLimit(R"re(<line x1="([^"]*)"[^>]*class="band-limit")re");
    const std::vector<std::string> parts{svg.substr(0, svg.find("font-weight=\"bold\">CPU</text>")),
                                         panelText(svg, "CPU", "PCI"), panelText(svg, "PCI", "AGP"),
                                         panelText(svg, "AGP", "")};
    for (std::size_t part = 0; part < parts.size(); ++part) {
        const std::vector<std::smatch> limits = matches(parts[part], bandLimit);
        ASSERT_EQ(limits.size(), 2U) << part;
        EXPECT_NEAR(fsb.value(numberOf(limits[0][1])), kFsbLowerLimit, fsb.tolerance()) << part;
        EXPECT_NEAR(fsb.value(numberOf(limits[1][1])), kFsbUpperLimit, fsb.tolerance()) << part;
    }

    std::vector<const ClockCase*> sorted;
    for (const ClockCase& row : rows) {
        sorted.push_back(&row);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const ClockCase* a, const ClockCase* b) {
        return std::stod(a->fsb) < std::stod(b->fsb);
    });
    struct PanelCase {
        std::string heading;
        std::string next;
        ClockIndex clock;
        std::optional<double> nominal;
    };
    for (const PanelCase& c : {PanelCase{"CPU", "PCI", CpuClock, std::nullopt},
                               PanelCase{"PCI", "AGP", PciClock, kNominalPci},
                               PanelCase{"AGP", "", AgpClock, kNominalAgp}}) {
        const std::string panel = panelText(svg, c.heading, c.next);
        const Scale value = valueScale(panel);
        if (c.nominal) {
            const std::regex nominal(R"re(<line [^>]*y1="([^"]*)"[^>]*class="nominal")re");
            const std::vector<std::smatch> line = matches(panel, nominal);
            ASSERT_EQ(line.size(), 1U) << c.heading;
            EXPECT_NEAR(value.value(numberOf(line[0][1])), *c.nominal, value.tolerance());
            // Danger, caution and ok from the top down, each in sight.
            const std::regex region(
                R"re(<rect x="[^"]*" y="([^"]*)" width="[^"]*" height="([^"]*)" fill="[^"]*"/>)re");
            // Each as its top and its base.
            std::vector<std::pair<double, double>> regions;
            for (const std::smatch& match : matches(panel, region)) {
                regions.emplace_back(numberOf(match[1]), numberOf(match[1]) + numberOf(match[2]));
            }
            std::sort(regions.begin(), regions.end());
            ASSERT_EQ(regions.size(), 3U) << c.heading;
            EXPECT_NEAR(regions[0].second, regions[1].first, 0.02) << c.heading;
            EXPECT_NEAR(regions[1].second, regions[2].first, 0.02) << c.heading;
            EXPECT_NEAR(value.value(regions[0].second), *c.nominal * kDangerShare,
                        value.tolerance());
            EXPECT_NEAR(value.value(regions[1].second), *c.nominal * kCautionShare,
                        value.tolerance());
            EXPECT_GT(regions[0].second - regions[0].first, 1.0) << c.heading;
        }

        // The line's runs, in FSB, against the rows' dividers.
        std::vector<std::vector<double>> expected;
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const auto divider = [&](const ClockCase* row) {
                return c.clock == PciClock   ? row->pci
                       : c.clock == AgpClock ? row->agp
                                             : DividerChoice{};
            };
            if (i == 0 || divider(sorted[i]) != divider(sorted[i - 1])) {
                expected.emplace_back();
            }
            expected.back().push_back(std::stod(sorted[i]->fsb));
        }
        const std::regex path(R"re(<path d="([^"]*)")re");
        const std::vector<std::smatch> found = matches(panel, path);
        ASSERT_EQ(found.size(), 1U) << c.heading;
        // "M x y L x y M x y": a command, then its point.
        std::string commands = found[0][1].str();
        for (std::size_t at = commands.find_first_of("ML"); at != std::string::npos;
             at = commands.find_first_of("ML", at + 3)) {
            commands.replace(at, 1, std::string(" ") + commands[at] + ' ');
        }
        std::istringstream d(commands);
        std::vector<std::vector<double>> runs;
        std::size_t vertex = 0;
        for (std::string command; d >> command;) {
            double px = 0;
            double py = 0;
            d >> px >> py;
            if (command == "M") {
                runs.emplace_back();
            }
            ASSERT_FALSE(runs.empty()) << c.heading;
            runs.back().push_back(fsb.value(px));
            ASSERT_LT(vertex, sorted.size()) << c.heading;
            EXPECT_NEAR(value.value(py), sorted[vertex++]->clocks.values.at(c.clock),
                        value.tolerance())
                << c.heading;
        }
        ASSERT_EQ(runs.size(), expected.size()) << c.heading;
        for (std::size_t run = 0; run < runs.size(); ++run) {
            ASSERT_EQ(runs[run].size(), expected[run].size()) << c.heading << ' ' << run;
            for (std::size_t i = 0; i < runs[run].size(); ++i) {
                EXPECT_NEAR(runs[run][i], expected[run][i], fsb.tolerance()) << c.heading;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(tables, clock_chart_geometry,
                         testing::Values(
                             // The CLI's list: every band, clocks from ok to danger.
                             std::vector<std::string_view>{kFsbPresets.begin(), kFsbPresets.end()},
                             // One safe FSB a band: the scale still reaches the danger region.
                             std::vector<std::string_view>{"66.666", "100", "138"}));

TEST(clock_chart, escapes_every_text_it_is_given) {
    ChartLabels labels = kLabels;
    labels.title = "<a & \"b\" 'c'>\x01";
    labels.noRows = "\xff]]>";
    const std::vector<ClockCase> rows = fsbTable("15.000", std::array<std::string_view, 1>{"x<"});
    const std::string svg = drawClockChart(rows, labels);
    EXPECT_NE(svg.find(">&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt; </title>"), std::string::npos);
    EXPECT_NE(svg.find(">\xEF\xBF\xBD]]&gt;</text>"), std::string::npos);
    EXPECT_EQ(escapeXml("\xC2\x85\xEF\xBF\xBE\xE6\xB0\xB4"), " \xEF\xBF\xBD\xE6\xB0\xB4");
    // A no-break space in a label is text.
    EXPECT_EQ(escapeXml("1\u00a05"), "1\u00a05");
}

// The current FSB: its line through its points, and its value written
// toward the middle of the panel, where it stays in sight.
struct CurrentCase {
    std::size_t highlighted;
    bool labelLeft; // to the left of the point, anchored at its end
};

class clock_chart_current : public testing::TestWithParam<CurrentCase> {};

TEST_P(clock_chart_current, is_drawn_at_its_fsb_with_its_value_toward_the_middle) {
    const CurrentCase& c = GetParam();
    const std::vector<ClockCase> rows = fsbTable("15.000");
    const std::string svg = drawClockChart(rows, kLabels, c.highlighted);
    const std::regex point(
        R"re(<circle cx="([^"]*)" cy="([^"]*)"[^>]*class="point cpu current")re");
    const std::vector<std::smatch> found = matches(svg, point);
    ASSERT_EQ(found.size(), 1U);
    const double cx = numberOf(found[0][1]);
    const std::regex line(R"re(<line x1="([^"]*)"[^>]*class="current-fsb")re");
    const std::vector<std::smatch> lines = matches(svg, line);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_NEAR(numberOf(lines[0][1]), cx, 0.01);
    const std::string value = rows[c.highlighted].clocks.texts[CpuClock];
    const std::regex label("<text x=\"([^\"]*)\"[^>]*font-weight=\"bold\"[^>]*>" +
                           std::regex_replace(value, std::regex(R"(\.)"), R"(\.)") + "</text>");
    const std::vector<std::smatch> labels = matches(svg, label);
    ASSERT_EQ(labels.size(), 1U) << value;
    EXPECT_EQ(numberOf(labels[0][1]) < cx, c.labelLeft);
    EXPECT_EQ(labels[0][0].str().find("text-anchor=\"end\"") != std::string::npos, c.labelLeft);
}

INSTANTIATE_TEST_SUITE_P(fsb_list, clock_chart_current,
                         testing::Values(CurrentCase{0, false}, CurrentCase{5, false},
                                         CurrentCase{kFsbPresets.size() - 1, true}));

// Each key of the legend stands after the words of the one before, however
// long they are in the reader's language.
TEST(clock_chart, spaces_the_legend_by_each_words_width) {
    ChartLabels labels = kLabels;
    labels.ok = "ok";
    labels.caution = "caution, the bus is fast";
    labels.danger = "danger";
    const std::string svg = drawClockChart(fsbTable("15.000"), labels);
    const std::regex key(R"re(<rect x="([^"]*)" y="[^"]*" width="12" height="12")re");
    const std::regex words(R"re(<text x="([^"]*)" y="[^"]*">([^<]*)</text>)re");
    const std::vector<std::smatch> keys = matches(svg, key);
    const std::vector<std::smatch> texts = matches(svg, words);
    ASSERT_EQ(keys.size(), 3U);
    ASSERT_GE(texts.size(), 2U);
    for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
        // Latin letters are drawn a little over half an em wide.
        const double end =
            numberOf(texts[i][1]) + 0.55 * 12 * static_cast<double>(texts[i][2].str().size());
        EXPECT_GT(numberOf(keys[i + 1][1]), end) << texts[i][2];
    }
}

} // namespace
} // namespace quenvale
