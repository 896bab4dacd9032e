// Writes the clock chart of one crystal's FSB table to stdout:
//   chart_sample REF [ROW] [ja|en|hostile]
// ROW is the index of the highlighted FSB setting; "hostile" labels carry
// markup and control characters, to prove the output stays well-formed.
#include <iostream>
#include <optional>
#include <report/clock_chart.h>
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

    ChartLabels labels;
    if (language == "en") {
        labels = {.title = "Clocks of a " + reference + " MHz crystal at every FSB setting",
                  .description = "CPU, PCI and AGP clocks against the FSB setting, with the "
                                 "PCI and AGP clocks shaded ok, caution or danger.",
                  .fsbAxis = "FSB setting (MHz)",
                  .cpuPanel = "CPU clock (MHz)",
                  .pciPanel = "PCI clock (MHz)",
                  .agpPanel = "AGP clock (MHz)",
                  .ok = "ok",
                  .caution = "caution",
                  .danger = "danger",
                  .nominal = "nominal",
                  .noRows = "No FSB setting could be calculated."};
    } else if (language == "hostile") {
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
    } else {
        labels = {.title = "水晶 " + reference + " MHz での FSB ごとのクロック",
                  .description = "FSB 設定ごとの CPU、PCI、AGP クロック。PCI と AGP は"
                                 "定格からの余裕で 安全・注意・危険 に色分けしています。",
                  .fsbAxis = "FSB 設定 (MHz)",
                  .cpuPanel = "CPU クロック (MHz)",
                  .pciPanel = "PCI クロック (MHz)",
                  .agpPanel = "AGP クロック (MHz)",
                  .ok = "安全",
                  .caution = "注意",
                  .danger = "危険",
                  .nominal = "定格",
                  .noRows = "計算できる FSB 設定がありません。"};
    }
    const auto rows = quenvale::fsbTable(reference);
    std::cout << quenvale::drawClockChart(rows, labels, row);
    return 0;
}
