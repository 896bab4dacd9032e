// Writes the clock chart of one crystal's FSB table to stdout:
//   chart_sample REF [ROW] [ja|en|hostile]
// ROW is the index of the highlighted FSB setting; "hostile" labels carry
// markup and control characters, to prove the output stays well-formed.
#include <report/chart_labels.h>
#include <report/clock_chart.h>

#include <iostream>
#include <optional>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
    using quenvale::ChartLabels;
    if (argc < 2) {
        std::cerr << "usage: chart_sample REF [ROW] [ja|en|hostile]\n";
        return 2;
    }
    const std::string reference = argv[1];
    std::optional<std::size_t> row;
    if (argc > 2) {
        row = std::stoul(argv[2]);
    }
    const std::string_view language = argc > 3 ? argv[3] : "ja";

    ChartLabels labels = quenvale::chartLabels(
        reference, language == "en" ? quenvale::Language::English : quenvale::Language::Japanese);
    if (language == "hostile") {
        labels = {.title = "<script>&amp;\"'\x01\x7f\xff",
                  .description = "]]><!-- --></desc>\xc2\x85\xef\xbf\xbe",
                  .fsbAxis = "<b>",
                  .cpuPanel = "&",
                  .pciPanel = "\"",
                  .agpPanel = "'",
                  .ok = "<",
                  .caution = ">",
                  .danger = "\x1b[31m",
                  .nominal = "&#0;",
                  .noRows = "<none/>"};
    }
    const auto rows = quenvale::fsbTable(reference);
    std::cout << quenvale::drawClockChart(rows, labels, row);
    return 0;
}
