#include <calculator/failure_message.h>
#include <cli/text_output.h>
#include <runtime/catalogue.h>
#include <runtime/utf8.h>

#include <array>
#include <ostream>
#include <utility>

namespace quenvale::cli {

namespace {

// The code point of the well-formed sequence of `length` bytes at text[i].
char32_t codePoint(std::string_view text, std::size_t i, std::size_t length) {
    const auto byte = [&](std::size_t k) { return static_cast<char32_t>(text[i + k]) & 0xFF; };
    switch (length) {
    case 1:
        return byte(0);
    case 2:
        return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
        return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    default:
        return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
               (byte(3) & 0x3F);
    }
}

// The blocks a terminal draws two columns wide (East Asian Wide and
// Fullwidth: kana, kanji, hangul, the full-width forms, emoji).
constexpr std::array<std::pair<char32_t, char32_t>, 14> kWide{{{0x1100, 0x115F},
                                                               {0x2E80, 0x303E},
                                                               {0x3041, 0x33FF},
                                                               {0x3400, 0x4DBF},
                                                               {0x4E00, 0x9FFF},
                                                               {0xA000, 0xA4CF},
                                                               {0xAC00, 0xD7A3},
                                                               {0xF900, 0xFAFF},
                                                               {0xFE30, 0xFE4F},
                                                               {0xFF00, 0xFF60},
                                                               {0xFFE0, 0xFFE6},
                                                               {0x1F300, 0x1F64F},
                                                               {0x1F900, 0x1F9FF},
                                                               {0x20000, 0x3FFFD}}};

std::size_t columnsOf(char32_t c) {
    if (c >= 0x0300 && c <= 0x036F) {
        return 0; // a combining mark sits on the character before it
    }
    for (const auto& [first, last] : kWide) {
        if (c >= first && c <= last) {
            return 2;
        }
    }
    return 1;
}

} // namespace

std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            ++width; // shown as one replacement character
            ++i;
            continue;
        }
        width += columnsOf(codePoint(text, i, length));
        i += length;
    }
    return width;
}

std::string_view hintLabel(ClockHint hint, Language language) {
    switch (hint) {
    case ClockHint::Caution:
        return tr(language, {"注意", "table hint"});
    case ClockHint::Danger:
        return tr(language, {"危険", "table hint"});
    case ClockHint::Ok:
        break;
    }
    return "";
}

std::string hintSuffix(const CaseRow& row, Language language) {
    std::string suffix;
    if (row.pciHint != ClockHint::Ok) {
        suffix += "  PCI";
        suffix += hintLabel(row.pciHint, language);
    }
    if (row.agpHint != ClockHint::Ok) {
        suffix += "  AGP";
        suffix += hintLabel(row.agpHint, language);
    }
    return suffix;
}

std::string dividerLine(const CaseRow& row, bool pciGiven, bool agpGiven, Language language) {
    const std::initializer_list<Argument> dividers{{"pci", row.pciDivider},
                                                   {"agp", row.agpDivider}};
    if (pciGiven && agpGiven) {
        return tr(language, "分周比 PCI {pci}, AGP {agp} (--pci、--agp の指定)", dividers);
    }
    if (pciGiven) {
        return tr(language,
                  "分周比 PCI {pci}, AGP {agp} (PCI は --pci の指定、AGP は FSBの帯域から)",
                  dividers);
    }
    if (agpGiven) {
        return tr(language,
                  "分周比 PCI {pci}, AGP {agp} (PCI は FSBの帯域から、AGP は --agp の指定)",
                  dividers);
    }
    return tr(language, "分周比 PCI {pci}, AGP {agp} (FSBの帯域から)", dividers);
}

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    const std::size_t shown = displayWidth(text);
    if (shown < width) {
        out.append(width - shown, ' ');
    }
    return out;
}

std::vector<std::string> consequenceLines(const Consequences& consequences, Language language) {
    return {
        "USB " + consequences.usbText + " MHz  " + std::string(usbVerdict(consequences, language)),
        "Super I/O " + consequences.sioText + " MHz  " + superIoVerdict(consequences, language),
        std::string(timerClockName(language)) + ": " + timerDriftSentence(consequences, language)};
}

TableTextWriter::TableTextWriter(std::ostream& out, Language language, bool details)
    : out_(out), language_(language), details_(details) {
    out_ << kTableColumns << '\n';
}

void TableTextWriter::endCrystal() {
    if (consequences_) {
        for (const std::string& line : consequenceLines(*consequences_, language_)) {
            out_ << "  " << line << '\n';
        }
    }
    consequences_.reset();
}

void TableTextWriter::finish() {
    endCrystal();
}

// The typed fields are echoed as messages quote them, so that a line break or
// a terminal escape in the input neither splits the case nor reaches the
// terminal.
void TableTextWriter::write(const CaseRow& row) {
    if (details_) {
        if (crystal_ != row.reference) {
            endCrystal();
            crystal_ = row.reference;
        }
        if (row.consequences) {
            consequences_ = row.consequences;
        }
    }
    const auto cell = [](std::string_view text, std::size_t width) {
        return padded(quotableText(text), width);
    };
    std::string line = cell(row.reference, 9) + cell(row.fsb, 9);
    if (!row.error.empty()) {
        out_ << line << tr(language_, "エラー: ") << oneLine(row.error) << '\n';
        return;
    }
    line += cell(row.pciDivider, 5) + cell(row.agpDivider, 5) + padded(row.clocks[0], 13) +
            padded(row.clocks[1], 13) + row.clocks[2] + hintSuffix(row, language_);
    out_ << line << '\n';
}

} // namespace quenvale::cli
