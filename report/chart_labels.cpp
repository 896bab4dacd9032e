#include <report/chart_labels.h>
#include <runtime/catalogue.h>

namespace quenvale {

std::string hintWords(ClockHint hint, Language language) {
    switch (hint) {
    case ClockHint::Ok:
        return std::string(tr(language, {"安全", "companion"}));
    case ClockHint::Caution:
        return std::string(tr(language, {"注意", "companion"}));
    case ClockHint::Danger:
        break;
    }
    return std::string(tr(language, {"危険", "companion"}));
}

ChartLabels chartLabels(std::string_view crystal, Language language) {
    const auto text = [&](Message message) { return std::string(tr(language, message)); };
    return {.title = tr(language, "水晶 {crystal} MHz のクロックと FSB", {{"crystal", crystal}}),
            .description = text(
                {"FSB 設定ごとの CPU、PCI、AGP クロック。PCI と AGP は定格からの余裕で安全・注意・"
                 "危険に色分けしています。",
                 "companion"}),
            .fsbAxis = text({"FSB 設定 (MHz)", "companion"}),
            .cpuPanel = text({"CPU クロック (MHz)", "companion"}),
            .pciPanel = text({"PCI クロック (MHz)", "companion"}),
            .agpPanel = text({"AGP クロック (MHz)", "companion"}),
            .ok = hintWords(ClockHint::Ok, language),
            .caution = hintWords(ClockHint::Caution, language),
            .danger = hintWords(ClockHint::Danger, language),
            .nominal = text({"定格", "companion"}),
            .noRows = text({"計算できる FSB 設定がありません。", "companion"})};
}

} // namespace quenvale
