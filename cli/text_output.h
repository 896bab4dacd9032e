#pragma once

#include <iosfwd>
#include <optional>
#include <rows/case_row.h>
#include <rows/row_writer.h>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale::cli {

// The columns of a text table; the plan's table goes on after them.
inline constexpr std::string_view kTableColumns =
    "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)";

// The columns a terminal gives the text: two for a full-width character.
std::size_t displayWidth(std::string_view text);

// "注意", "危険", or nothing for ok.
std::string_view hintLabel(ClockHint hint, Language language);

// "  PCI危険  AGP注意": the hints of a row, for one-line formats.
std::string hintSuffix(const CaseRow& row, Language language);

// "分周比 PCI 1/4, AGP 1/2 (FSBの帯域から)": the dividers a case used, and
// whether the FSB band chose them (as a pick from the window's list does) or
// the command line did.
std::string dividerLine(const CaseRow& row, bool pciGiven, bool agpGiven, Language language);

// The text, padded with blanks to `width` columns.
std::string padded(std::string_view text, std::size_t width);

// What --details tells of a crystal, a line each: the USB clock and its
// verdict, the Super I/O clock and its verdict, the drift of the clock kept
// by timer ticks.
std::vector<std::string> consequenceLines(const Consequences& consequences, Language language);

// The rows of --batch and --table as a text table: the columns, then a line
// a row, a failure's message in place of its clocks; with `details`, each
// crystal's rows followed by its consequence lines, indented.
class TableTextWriter final : public RowWriter {
public:
    TableTextWriter(std::ostream& out, Language language, bool details = false);
    void write(const CaseRow& row) override;
    void finish() override;

private:
    void endCrystal();

    std::ostream& out_;
    Language language_;
    bool details_;
    std::optional<std::string> crystal_; // the reference of the rows so far
    std::optional<Consequences> consequences_;
};

} // namespace quenvale::cli
