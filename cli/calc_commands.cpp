#include <calculator/clock_calculation.h>
#include <calculator/clock_panel.h>
#include <calculator/failure_message.h>
#include <runtime/format_single.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>
#include <runtime/single_store.h>

#include <array>
#include <cli/calc_commands.h>
#include <cli/row_writer.h>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace quenvale::cli {

namespace {

constexpr std::string_view kVersion = "quenvale-calc " QUENVALE_VERSION;

constexpr std::string_view kUsage =
    "使い方 / usage:\n"
    "  quenvale-calc REF FSB [--pci 1/2|1/3|1/4] [--agp 1/1|2/3|1/2] [--format text|csv|json]\n"
    "  quenvale-calc --batch [--format csv|json] < cases\n"
    "  quenvale-calc --table [--ref REF] [--fsb FSB] [--format text|csv|json]\n"
    "  quenvale-calc --crystal-for TARGET --fsb FSB [--format text|csv|json]\n"
    "  quenvale-calc --help | --version\n";

constexpr std::string_view kHelp =
    "\n"
    "PLLの基準水晶(標準 14.318 MHz)を交換したときの CPU(FSB)、PCI、AGP クロックを\n"
    "Quenvale のウィンドウと同じ計算で求めます。数値はウィンドウと同じ表記で出力します。\n"
    "\n"
    "  REF FSB           水晶の周波数と、マザーボードで設定する FSB (MHz)。\n"
    "                    分周比を指定しなければ、FSB の帯域のもの(100 未満 1/2、\n"
    "                    134 以下 1/3、それを超えると 1/4 と AGP 1/2)を使います。\n"
    "  --pci, --agp      PCI と AGP の分周比。\n"
    "  --format          text(既定)、csv、json。\n"
    "  --batch           標準入力の各行 REF,FSB[,PCI,AGP] を計算し、一行ずつ出力します。\n"
    "                    失敗した行は error 列にエラーを書き、続けます。\n"
    "  --table           水晶の一覧と FSB の一覧のすべての組み合わせ(--ref、--fsb で絞り込み)。\n"
    "  --crystal-for     FSB の設定で CPU クロックを TARGET MHz にする水晶と、\n"
    "                    一覧の中でその上下にある水晶。\n"
    "  PCI が 37.5 MHz、AGP が 75 MHz を超えると caution(注意)、定格(33.33、66.67 MHz)\n"
    "  の 125%(約 41.67、83.33 MHz)を超えると danger(危険)と示します。\n"
    "  終了ステータス: 0 成功、1 計算エラー、2 コマンドラインの誤り。\n"
    "\n"
    "Computes the CPU (FSB), PCI and AGP clocks of a motherboard whose 14.318 MHz\n"
    "reference crystal is replaced, exactly as the Quenvale window shows them.\n"
    "\n"
    "  REF FSB           the crystal and the FSB set on the board, in MHz. Without\n"
    "                    dividers, those of the FSB's band are used (1/2 below 100,\n"
    "                    1/3 up to 134, 1/4 with AGP 1/2 above).\n"
    "  --pci, --agp      the PCI and AGP dividers.\n"
    "  --format          text (default), csv or json.\n"
    "  --batch           one case per line of standard input, REF,FSB[,PCI,AGP]; a\n"
    "                    failing case gets its message in the error column.\n"
    "  --table           every listed crystal with every listed FSB (or only --ref/--fsb).\n"
    "  --crystal-for     the crystal that makes a board set to FSB run at TARGET MHz,\n"
    "                    and the listed crystals just below and above it.\n"
    "  Hints: PCI above 37.5 MHz or AGP above 75 MHz is caution; above 125 % of the\n"
    "  nominal 33.33 and 66.67 MHz (about 41.67 and 83.33 MHz) is danger.\n"
    "  Exit status: 0 done, 1 a calculation failed, 2 a wrong command line.\n";

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

// "  PCI危険  AGP注意": the hints of a row, for one-line formats.
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

std::string firstLineOf(const std::string& message) {
    return message.substr(0, message.find('\n'));
}

// "CPU 104.7632 MHz", then the PCI and AGP lines with their hints.
void writeClockLines(std::ostream& out, const CaseRow& row) {
    out << "CPU " << row.clocks[0] << " MHz\n";
    out << "PCI " << row.clocks[1] << " MHz";
    if (row.pciHint != ClockHint::Ok) {
        out << "  " << pciHintText(row.pciHint);
    }
    out << "\nAGP " << row.clocks[2] << " MHz";
    if (row.agpHint != ClockHint::Ok) {
        out << "  " << agpHintText(row.agpHint);
    }
    out << '\n';
}

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) {
        out.append(width - out.size(), ' ');
    }
    return out;
}

// One line of a text table; the hint labels close it.
void writeTableLine(std::ostream& out, const CaseRow& row) {
    std::string line = padded(row.reference, 9) + padded(row.fsb, 9);
    if (!row.error.empty()) {
        out << line << "エラー: " << firstLineOf(row.error) << '\n';
        return;
    }
    line += padded(row.pciDivider, 5) + padded(row.agpDivider, 5) + padded(row.clocks[0], 13) +
            padded(row.clocks[1], 13) + row.clocks[2] + hintSuffix(row);
    out << line << '\n';
}

constexpr std::string_view kTableHeader =
    "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)\n";

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const auto comma = line.find(',', start);
        fields.push_back(trimmed(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

// One line of --batch input as a row.
CaseRow batchCase(std::string_view line) {
    const std::vector<std::string> fields = splitFields(line);
    if (fields.size() != 2 && fields.size() != 4) {
        CaseRow row;
        row.reference = fields[0];
        row.fsb = fields.size() > 1 ? fields[1] : std::string();
        row.error = "入力行は REF,FSB[,PCI,AGP] の形で書いてください。";
        return row;
    }
    std::optional<std::size_t> pci;
    std::optional<std::size_t> agp;
    std::string error;
    if (fields.size() == 4) {
        if (!fields[2].empty() && !(pci = pciIndex(fields[2]))) {
            error = "PCIの分周比「" + fields[2] + "」は 1/2、1/3、1/4 のいずれかです。";
        }
        if (!fields[3].empty() && !(agp = agpIndex(fields[3])) && error.empty()) {
            error = "AGPの分周比「" + fields[3] + "」は 1/1、2/3、1/2 のいずれかです。";
        }
    }
    if (!error.empty()) {
        CaseRow row;
        row.reference = fields[0];
        row.fsb = fields[1];
        row.pciDivider = fields[2];
        row.agpDivider = fields[3];
        row.error = error;
        return row;
    }
    return calculateCase(fields[0], fields[1], pci, agp);
}

int runSingle(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const CaseRow row = calculateCase(line.reference, line.fsb, line.pci, line.agp);
    if (!row.error.empty()) {
        err << row.error << '\n';
        return 1;
    }
    if (line.format == Format::Text) {
        writeClockLines(out, row);
    } else {
        RowWriter writer(out, line.format, {}, false);
        writer.write(row);
        writer.finish();
    }
    return 0;
}

int runBatch(const CommandLine& line, std::istream& in, std::ostream& out) {
    RowWriter writer(out, line.format, {.position = false, .error = true}, true);
    bool anyFailed = false;
    std::string text;
    bool first = true;
    while (std::getline(in, text)) {
        // Editors on some systems begin a UTF-8 file with a byte-order mark.
        if (first && text.starts_with("\xEF\xBB\xBF")) {
            text.erase(0, 3);
        }
        first = false;
        const std::string content = trimmed(text);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        const CaseRow row = batchCase(content);
        anyFailed = anyFailed || !row.error.empty();
        writer.write(row);
    }
    writer.finish();
    return anyFailed ? 1 : 0;
}

int runTable(const CommandLine& line, std::ostream& out) {
    std::vector<std::string> references(kReferencePresets.begin(), kReferencePresets.end());
    std::vector<std::string> settings(kFsbPresets.begin(), kFsbPresets.end());
    if (line.tableRef) {
        references = {*line.tableRef};
    }
    if (line.tableFsb) {
        settings = {*line.tableFsb};
    }
    bool anyFailed = false;
    std::optional<RowWriter> writer;
    if (line.format == Format::Text) {
        out << kTableHeader;
    } else {
        writer.emplace(out, line.format, RowWriter::Columns{.position = false, .error = true},
                       true);
    }
    for (const std::string& reference : references) {
        for (const std::string& fsb : settings) {
            const CaseRow row = calculateCase(reference, fsb, std::nullopt, std::nullopt);
            anyFailed = anyFailed || !row.error.empty();
            if (writer) {
                writer->write(row);
            } else {
                writeTableLine(out, row);
            }
        }
    }
    if (writer) {
        writer->finish();
    }
    return anyFailed ? 1 : 0;
}

int runCrystalFor(const CommandLine& line, std::ostream& out, std::ostream& err) {
    float crystal = 0;
    try {
        float target = 0;
        try {
            target = parseSingle(line.target);
        } catch (const RuntimeError& error) {
            err << failureMessage(error, "目標クロック") << '\n';
            return 1;
        }
        const float fsb = parseSingle(line.fsb);
        if (fsb == 0) {
            throw RuntimeError(ErrorNumber::DivisionByZero);
        }
        crystal = storeSingle(checkedStep(checkedStep(kNominalReference * target) / fsb));
    } catch (const RuntimeError& error) {
        err << failureMessage(error,
                              error.text() ? std::optional<std::string_view>("FSB") : std::nullopt)
            << '\n';
        return 1;
    }

    std::optional<std::size_t> below;
    std::optional<std::size_t> above;
    for (std::size_t i = 0; i < kReferencePresets.size(); ++i) {
        const float preset = parseSingle(kReferencePresets[i]);
        if (preset <= crystal) {
            below = i; // the list is in rising order
        } else if (!above) {
            above = i;
        }
    }

    std::vector<CaseRow> rows;
    rows.push_back(calculateCase(formatSingle(crystal), line.fsb, std::nullopt, std::nullopt));
    rows.back().position = "required";
    for (const auto& [index, position] : {std::pair{below, "below"}, std::pair{above, "above"}}) {
        if (index) {
            rows.push_back(
                calculateCase(kReferencePresets[*index], line.fsb, std::nullopt, std::nullopt));
            rows.back().position = position;
        }
    }
    for (const CaseRow& row : rows) {
        if (!row.error.empty()) {
            err << row.error << '\n';
            return 1;
        }
    }

    if (line.format != Format::Text) {
        RowWriter writer(out, line.format, {.position = true, .error = false}, true);
        for (const CaseRow& row : rows) {
            writer.write(row);
        }
        writer.finish();
        return 0;
    }
    out << "FSB " << line.fsb << " MHz で CPU を " << line.target
        << " MHz にする水晶: " << rows.front().reference << " MHz\n";
    for (const CaseRow& row : rows) {
        const std::string_view label = row.position == "required" ? "必要な水晶"
                                       : row.position == "below"  ? "下の候補  "
                                                                  : "上の候補  ";
        out << label << "  " << padded(row.reference + " MHz", 14) << "CPU " << row.clocks[0]
            << " MHz  PCI " << row.clocks[1] << " MHz  AGP " << row.clocks[2] << " MHz"
            << hintSuffix(row) << '\n';
    }
    return 0;
}

} // namespace

CaseRow calculateCase(std::string_view reference, std::string_view fsb,
                      std::optional<std::size_t> pci, std::optional<std::size_t> agp) {
    CaseRow row;
    row.reference = std::string(reference);
    row.fsb = std::string(fsb);

    ClockPanel panel;
    panel.load();
    panel.referenceText = row.reference;
    panel.fsbText = row.fsb;
    std::span<const InputBox> converted = kCalculateConverts;
    try {
        // The reference is read first, as 計算実行 reads it, so that a case
        // with two bad texts is reported as the window reports it.
        parseSingle(reference);
        if (!pci || !agp) {
            panel.listPicked();
        }
        if (pci) {
            panel.pci.select(*pci);
        }
        if (agp) {
            panel.agp.select(*agp);
        }
        row.pciDivider = std::string(kPciCaptions.at(panel.pci.selection().value()));
        row.agpDivider = std::string(kAgpCaptions.at(panel.agp.selection().value()));
        const ClockResults clocks =
            computeClocks(panel.pci.selection(), panel.agp.selection(), reference, fsb);
        row.clocks = clocks.texts;
        row.pciHint = pciHint(clocks.values[PciClock]);
        row.agpHint = agpHint(clocks.values[AgpClock]);
    } catch (const RuntimeError& error) {
        row.error = describeFailure(error, panel, converted).message;
    }
    return row;
}

int runCalc(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    CommandLine line;
    try {
        line = parseCommandLine(args);
    } catch (const UsageError& error) {
        err << "quenvale-calc: " << error.what() << '\n' << kUsage;
        return 2;
    }
    int status = 0;
    switch (line.mode) {
    case Mode::Help:
        out << kUsage << kHelp;
        break;
    case Mode::Version:
        out << kVersion << '\n';
        break;
    case Mode::Batch:
        status = runBatch(line, in, out);
        break;
    case Mode::Table:
        status = runTable(line, out);
        break;
    case Mode::CrystalFor:
        status = runCrystalFor(line, out, err);
        break;
    case Mode::Single:
        status = runSingle(line, out, err);
        break;
    }
    // A full disk or a closed pipe must not pass for success.
    out.flush();
    if (!out) {
        err << "quenvale-calc: 出力を書き込めませんでした。\n";
        return 1;
    }
    return status;
}

} // namespace quenvale::cli
