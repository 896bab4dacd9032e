#include <calculator/failure_message.h>
#include <cli/text_output.h>

#include <ostream>

namespace quenvale::cli {

std::string_view hintLabel(ClockHint hint) {
    switch (hint) {
    case ClockHint::Caution:
        return "注意";
    case ClockHint::Danger:
        return "危険";
    case ClockHint::Ok:
        break;
    }
    return "";
}

std::string hintSuffix(const CaseRow& row) {
    std::string suffix;
    if (row.pciHint != ClockHint::Ok) {
        suffix += "  PCI";
        suffix += hintLabel(row.pciHint);
    }
    if (row.agpHint != ClockHint::Ok) {
        suffix += "  AGP";
        suffix += hintLabel(row.agpHint);
    }
    return suffix;
}

std::string dividerLine(const CaseRow& row, bool pciGiven, bool agpGiven) {
    std::string line = "分周比 PCI " + row.pciDivider + ", AGP " + row.agpDivider;
    if (pciGiven && agpGiven) {
        return line + " (--pci、--agp の指定)";
    }
    if (pciGiven) {
        return line + " (PCI は --pci の指定、AGP は FSBの帯域から)";
    }
    if (agpGiven) {
        return line + " (PCI は FSBの帯域から、AGP は --agp の指定)";
    }
    return line + " (FSBの帯域から)";
}

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) {
        out.append(width - out.size(), ' ');
    }
    return out;
}

TableTextWriter::TableTextWriter(std::ostream& out, Language language)
    : out_(out), language_(language) {
    out_ << kTableColumns << '\n';
}

// The typed fields are echoed as messages quote them, so that a line break or
// a terminal escape in the input neither splits the case nor reaches the
// terminal.
void TableTextWriter::write(const CaseRow& row) {
    std::string line = padded(quotableText(row.reference), 9) + padded(quotableText(row.fsb), 9);
    if (!row.error.empty()) {
        out_ << line << say(language_, "エラー: ", "error: ") << oneLine(row.error) << '\n';
        return;
    }
    line += padded(quotableText(row.pciDivider), 5) + padded(quotableText(row.agpDivider), 5) +
            padded(row.clocks[0], 13) + padded(row.clocks[1], 13) + row.clocks[2] + hintSuffix(row);
    out_ << line << '\n';
}

} // namespace quenvale::cli
