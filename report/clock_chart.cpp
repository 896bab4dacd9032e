#include <calculator/dividers.h>
#include <calculator/stable_order.h>
#include <report/clock_chart.h>
#include <report/svg_writer.h>
#include <runtime/format_single.h>
#include <runtime/parse_single.h>
#include <runtime/utf8.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace quenvale {

namespace {

// Geometry in user units of the viewBox. Narrow enough that the text stays
// legible when a phone shows the chart 360 px wide.
constexpr double kWidth = 440;
constexpr double kMarginRight = 14;
constexpr double kLegendBaseline = 18;
constexpr double kBandFirstBaseline = 42;
constexpr double kBandLineHeight = 13;
constexpr double kFirstPanelTop = 86;
constexpr double kPanelHeight = 120;
constexpr double kPanelGap = 38;
constexpr double kBelowLastPanel = 48;
// The height of a chart with no row to draw.
constexpr double kNoRowsHeight = 80;
constexpr double kFontSize = 12;
constexpr double kSmallFontSize = 11;
constexpr double kPointRadius = 3.5;
constexpr double kCurrentRadius = 6;

// Roughly how wide a text is drawn: CJK and other wide characters take a
// full em, the rest a little over half.
double textWidth(std::string_view text, double fontSize) {
    double ems = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::max<std::size_t>(utf8SequenceLength(text, i), 1);
        ems += length >= 3 ? 1.0 : 0.6;
        i += length;
    }
    return ems * fontSize;
}

struct Range {
    double low = 0;
    double high = 1;
};

// The span of the values with a margin, never empty, and within the single
// range, so that every tick can be written as a single.
Range padded(double low, double high, double share) {
    double margin = (high - low) * share;
    if (!(margin > 0)) {
        margin = std::max(std::fabs(low) * 0.1, 1.0);
    }
    const auto largest = static_cast<double>(std::numeric_limits<float>::max());
    return {std::max(low - margin, -largest), std::min(high + margin, largest)};
}

// Round-number tick values within the range, about `count` of them.
std::vector<double> ticks(Range range, double count) {
    const double raw = (range.high - range.low) / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    const double step = (normal < 1.5 ? 1 : normal < 3 ? 2 : normal < 7 ? 5 : 10) * magnitude;
    std::vector<double> values;
    const double first = std::ceil(range.low / step);
    for (double k = first; k * step <= range.high; ++k) {
        values.push_back(k * step);
    }
    return values;
}

std::string tickText(double value) {
    return formatSingle(static_cast<float>(value));
}

// One calculated row, as the chart places it.
struct Point {
    double fsb = 0;
    const ClockCase* row = nullptr;
    bool current = false;
};

struct Panel {
    ClockIndex clock;
    const std::string* heading;
    std::optional<double> nominal; // with the hint regions around it
    double top = 0;
    Range range;

    double y(double value) const {
        const double share = (value - range.low) / (range.high - range.low);
        return top + kPanelHeight * (1 - std::clamp(share, 0.0, 1.0));
    }
};

class ChartWriter {
public:
    ChartWriter(std::vector<Point> points, const ChartLabels& labels, const ChartPalette& palette)
        : points_(std::move(points)), labels_(labels), palette_(palette) {}

    SvgElement write();

private:
    double x(double fsb) const {
        const double share = (fsb - fsbRange_.low) / (fsbRange_.high - fsbRange_.low);
        return left_ + (right() - left_) * share;
    }
    static double right() { return kWidth - kMarginRight; }
    static double bottom() { return kFirstPanelTop + 3 * kPanelHeight + 2 * kPanelGap; }

public:
    static double height() { return bottom() + kBelowLastPanel; }

private:

    void open(double height);
    void legend();
    void bands();
    void bandLimits(double top, double base);
    void panel(const Panel& panel);
    void regions(const Panel& panel);
    void series(const Panel& panel);
    void fsbAxis();

    std::vector<Point> points_;
    const ChartLabels& labels_;
    const ChartPalette& palette_;
    SvgWriter svg_;
    Range fsbRange_;
    double left_ = 0;
};

void ChartWriter::open(double height) {
    SvgAttributes root{{"xmlns", "http://www.w3.org/2000/svg"},
                       {"viewBox", "0 0 " + svgNumber(kWidth) + ' ' + svgNumber(height)},
                       {"role", "img"},
                       {"aria-labelledby", "chart-title chart-desc"},
                       {"font-family", "sans-serif"},
                       {"font-size", svgNumber(kFontSize)}};
    // The texts' colour, where it is not the viewer's default.
    if (!palette_.text.empty()) {
        root.push_back({"fill", std::string(palette_.text)});
    }
    svg_.open(root);
    svg_.element("title", {{"id", "chart-title"}}, labels_.title);
    svg_.element("desc", {{"id", "chart-desc"}}, labels_.description);
    svg_.empty("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", std::string(palette_.background)}});
}

void ChartWriter::legend() {
    const std::array<const std::string*, 3> words{&labels_.ok, &labels_.caution, &labels_.danger};
    double px = left_;
    for (std::size_t i = 0; i < words.size(); ++i) {
        svg_.rect(px, kLegendBaseline - 10, 12, 12,
                  {{"fill", std::string(palette_.hints.at(i))},
                   {"stroke", std::string(palette_.frame)}});
        svg_.text(px + 16, kLegendBaseline, *words.at(i));
        px += 16 + textWidth(*words.at(i), kFontSize) + 14;
    }
}

// A dashed line at each band limit inside the range; only within the panels
// and above the first, so that the headings stay clear.
void ChartWriter::bandLimits(double top, double base) {
    for (const int limit : {kFsbLowerLimit, kFsbUpperLimit}) {
        if (limit > fsbRange_.low && limit < fsbRange_.high) {
            svg_.line(
                x(limit), top, x(limit), base,
                {{"stroke", std::string(palette_.axis)},
                 {"stroke-dasharray", "4 3"},
                 {"class", "band-limit"}});
        }
    }
}

// The dividers each FSB band's rows use, above the band.
void ChartWriter::bands() {
    const std::array<std::pair<double, double>, kFsbBandCount> extents{{
        {-std::numeric_limits<double>::infinity(), kFsbLowerLimit},
        {kFsbLowerLimit, kFsbUpperLimit},
        {kFsbUpperLimit, std::numeric_limits<double>::infinity()},
    }};
    bandLimits(kBandFirstBaseline - 10, kFirstPanelTop);
    svg_.beginGroup(
        {{"text-anchor", "middle"}, {"font-size", svgNumber(kSmallFontSize)}, {"class", "band"}});
    for (std::size_t band = 0; band < kFsbBandCount; ++band) {
        std::string pci;
        std::string agp;
        const auto add = [](std::string& list, std::string_view caption) {
            if (list.find(caption) == std::string::npos) {
                list += list.empty() ? "" : ", ";
                list += caption;
            }
        };
        for (const Point& point : points_) {
            if (static_cast<std::size_t>(fsbBand(static_cast<float>(point.fsb))) != band) {
                continue;
            }
            if (point.row->pci) {
                add(pci, kPciDividers.at(*point.row->pci).caption);
            }
            if (point.row->agp) {
                add(agp, kAgpDividers.at(*point.row->agp).caption);
            }
        }
        if (pci.empty() && agp.empty()) {
            continue;
        }
        const double from = x(std::max(extents.at(band).first, fsbRange_.low));
        const double to = x(std::min(extents.at(band).second, fsbRange_.high));
        svg_.text((from + to) / 2, kBandFirstBaseline, "PCI " + pci);
        svg_.text((from + to) / 2, kBandFirstBaseline + kBandLineHeight, "AGP " + agp);
    }
    svg_.endGroup();
}

void ChartWriter::regions(const Panel& panel) {
    const double nominal = *panel.nominal;
    const std::array<double, 4> limits{panel.range.low, nominal * kCautionShare,
                                       nominal * kDangerShare, panel.range.high};
    for (std::size_t i = 0; i < palette_.hints.size(); ++i) {
        const double top = panel.y(std::max(limits.at(i), limits.at(i + 1)));
        const double base = panel.y(limits.at(i));
        if (base - top > 0) {
            svg_.rect(left_, top, right() - left_, base - top,
                      {{"fill", std::string(palette_.hints.at(i))}});
        }
    }
}

void ChartWriter::panel(const Panel& panel) {
    const double base = panel.top + kPanelHeight;
    svg_.text(left_, panel.top - 8, *panel.heading, {{"font-weight", "bold"}});
    if (panel.nominal) {
        regions(panel);
    }
    // The value scale's faint lines across the panel, their numbers beside
    // it and the FSB ticks under it: each run's looks once, on its group.
    const std::vector<double> values = ticks(panel.range, 4);
    svg_.beginGroup({{"stroke", std::string(palette_.grid)}, {"stroke-opacity", "0.1"}});
    for (const double tick : values) {
        svg_.line(left_, panel.y(tick), right(), panel.y(tick), {});
    }
    svg_.beginGroup({{"text-anchor", "end"}});
    for (const double tick : values) {
        svg_.text(left_ - 5, panel.y(tick) + 4, tickText(tick));
    }
    svg_.beginGroup({{"stroke", std::string(palette_.axis)}});
    for (const double tick : ticks(fsbRange_, 5)) {
        svg_.line(x(tick), base, x(tick), base + 4, {});
    }
    svg_.endGroup();
    if (panel.nominal) {
        const SvgAttributes dashes{{"stroke", std::string(palette_.nominal)},
                                   {"stroke-dasharray", "6 3"}};
        SvgAttributes nominalLine = dashes;
        nominalLine.push_back({"class", "nominal"});
        const double py = panel.y(*panel.nominal);
        svg_.line(left_, py, right(), py, nominalLine);
        // Keyed beside the heading, clear of the points, and shown as people
        // quote it, with two decimals.
        const auto quoted = static_cast<float>(std::round(*panel.nominal * 100) / 100);
        const std::string key = labels_.nominal + " " + formatSingle(quoted);
        const double keyLeft = right() - textWidth(key, kSmallFontSize);
        svg_.line(keyLeft - 26, panel.top - 12, keyLeft - 4, panel.top - 12, dashes);
        svg_.text(right(), panel.top - 8, key,
                  {{"text-anchor", "end"},
                   {"font-size", svgNumber(kSmallFontSize)},
                   {"fill", std::string(palette_.mutedText)}});
    }
    bandLimits(panel.top, base);
    svg_.rect(left_, panel.top, right() - left_, kPanelHeight,
              {{"fill", "none"}, {"stroke", std::string(palette_.frame)}});
    series(panel);
}

// The points joined in FSB order; the line breaks where the divider changes,
// since the clock jumps there rather than running between the two.
void ChartWriter::series(const Panel& panel) {
    const auto divider = [&panel](const Point& point) -> DividerChoice {
        switch (panel.clock) {
        case PciClock:
            return point.row->pci;
        case AgpClock:
            return point.row->agp;
        case CpuClock:
            break;
        }
        return std::nullopt;
    };
    const auto clock = [&panel](const Point& point) {
        return static_cast<double>(point.row->clocks.values.at(panel.clock));
    };
    std::string path;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        if (i > 0 && divider(points_[i]) != divider(points_[i - 1])) {
            path += " M";
        } else {
            path += i == 0 ? "M" : " L";
        }
        path += svgNumber(x(points_[i].fsb)) + ' ' + svgNumber(panel.y(clock(points_[i])));
    }
    svg_.empty("path", {{"d", path},
                        {"fill", "none"},
                        {"stroke", std::string(palette_.series)},
                        {"stroke-width", "1.5"}});

    const std::string name = panel.clock == CpuClock   ? "cpu"
                             : panel.clock == PciClock ? "pci"
                                                       : "agp";
    const Point* current = nullptr;
    // The points' colours once, on their group: the current one's its own.
    svg_.beginGroup({{"fill", std::string(palette_.series)},
                     {"stroke", std::string(palette_.background)}});
    for (const Point& point : points_) {
        const std::string& value = point.row->clocks.texts.at(panel.clock);
        svg_.titled("circle",
                    {{"cx", svgNumber(x(point.fsb))},
                     {"cy", svgNumber(panel.y(clock(point)))},
                     {"r", svgNumber(point.current ? kCurrentRadius : kPointRadius)},
                     {"fill", point.current ? std::string(palette_.current) : std::string()},
                     {"class", "point " + name + (point.current ? " current" : "")},
                     {"data-fsb", point.row->fsb}},
                    "FSB " + point.row->fsb + ": " + value + " MHz");
        if (point.current) {
            current = &point;
        }
    }
    svg_.endGroup();
    if (current != nullptr) {
        // The value beside the point, where the rising line leaves room: up
        // and to the left in the right half, down and to the right in the
        // left half.
        const double px = x(current->fsb);
        const bool leftSide = px > (left_ + right()) / 2;
        const double py = std::clamp(panel.y(clock(*current)) + (leftSide ? -8 : 17),
                                     panel.top + 13, panel.top + kPanelHeight - 4);
        svg_.text(leftSide ? px - 9 : px + 9, py, current->row->clocks.texts.at(panel.clock),
                  {{"font-weight", "bold"},
                   {"fill", std::string(palette_.current)},
                   {"stroke", std::string(palette_.background)},
                   {"stroke-width", "3"},
                   {"paint-order", "stroke"},
                   {"text-anchor", leftSide ? "end" : ""}});
    }
}

void ChartWriter::fsbAxis() {
    const double base = bottom();
    svg_.beginGroup({{"text-anchor", "middle"}});
    for (const double tick : ticks(fsbRange_, 5)) {
        svg_.text(x(tick), base + 17, tickText(tick));
    }
    svg_.text((left_ + right()) / 2, base + 38, labels_.fsbAxis);
    svg_.endGroup();
}

SvgElement ChartWriter::write() {
    if (points_.empty()) {
        left_ = 20;
        open(kNoRowsHeight);
        svg_.text(kWidth / 2, 45, labels_.noRows,
                  {{"text-anchor", "middle"}, {"class", "no-rows"}});
        return svg_.close();
    }

    const auto [lowest, highest] =
        std::minmax_element(points_.begin(), points_.end(),
                            [](const Point& a, const Point& b) { return a.fsb < b.fsb; });
    fsbRange_ = padded(lowest->fsb, highest->fsb, 0.04);

    std::array<Panel, 3> panels{{
        {CpuClock, &labels_.cpuPanel, std::nullopt, 0, {}},
        {PciClock, &labels_.pciPanel, kNominalPci, 0, {}},
        {AgpClock, &labels_.agpPanel, kNominalAgp, 0, {}},
    }};
    std::size_t widestTick = 0;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        Panel& panel = panels.at(i);
        panel.top = kFirstPanelTop + static_cast<double>(i) * (kPanelHeight + kPanelGap);
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (const Point& point : points_) {
            const auto value = static_cast<double>(point.row->clocks.values.at(panel.clock));
            low = std::min(low, value);
            high = std::max(high, value);
        }
        if (panel.nominal) {
            // Every region stays in sight, so a chart of safe clocks still
            // shows how far they are from caution.
            low = std::min(low, *panel.nominal);
            high = std::max(high, *panel.nominal * kDangerShare);
        }
        panel.range = padded(low, high, 0.08);
        for (const double tick : ticks(panel.range, 4)) {
            widestTick = std::max(widestTick, tickText(tick).size());
        }
    }
    left_ = 14 + 0.62 * kFontSize * static_cast<double>(widestTick);

    open(height());
    legend();
    bands();
    for (const Panel& panel : panels) {
        this->panel(panel);
    }
    fsbAxis();
    for (const Point& point : points_) {
        if (point.current) {
            svg_.line(x(point.fsb), kFirstPanelTop, x(point.fsb), bottom(),
                      {{"stroke", std::string(palette_.current)},
                       {"stroke-opacity", "0.6"},
                       {"class", "current-fsb"}});
        }
    }
    return svg_.close();
}

} // namespace

ChartSize clockChartSize(std::span<const ClockCase> rows) {
    const bool drawn = std::any_of(rows.begin(), rows.end(),
                                   [](const ClockCase& row) { return !row.failed(); });
    return {kWidth, drawn ? ChartWriter::height() : kNoRowsHeight};
}

SvgElement clockChart(std::span<const ClockCase> rows, const ChartLabels& labels,
                      std::optional<std::size_t> highlighted, const ChartPalette& palette) {
    std::vector<Point> points;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].failed()) {
            continue;
        }
        // A row that did not fail has read its FSB text.
        points.push_back(
            {static_cast<double>(parseSingle(rows[i].fsb)), &rows[i], highlighted == i});
    }
    std::vector<Point> byFsb;
    byFsb.reserve(points.size());
    for (const std::size_t i : stableOrder(points.size(), [&points](std::size_t a, std::size_t b) {
             return points[a].fsb < points[b].fsb;
         })) {
        byFsb.push_back(points[i]);
    }
    return ChartWriter(std::move(byFsb), labels, palette).write();
}

std::string drawClockChart(std::span<const ClockCase> rows, const ChartLabels& labels,
                           std::optional<std::size_t> highlighted, const ChartPalette& palette) {
    return svgDocument(clockChart(rows, labels, highlighted, palette));
}

} // namespace quenvale
