#include <calculator/clock_calculation.h>
#include <calculator/clock_panel.h>
#include <calculator/consequences.h>
#include <calculator/divider_rules.h>
#include <calculator/failure_message.h>
#include <calculator/planner.h>
#include <runtime/format_single.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>
#include <runtime/single_store.h>

#include <algorithm>
#include <array>
#include <cli/calc_commands.h>
#include <cli/csv_reader.h>
#include <cli/messages.h>
#include <cli/row_writer.h>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace quenvale::cli {

namespace {

constexpr std::string_view kVersion = "quenvale-calc " QUENVALE_VERSION;

// The usage lines after their localised heading ("使い方:" or "usage:").
constexpr std::string_view kUsageLines =
    "  quenvale-calc REF FSB [--pci 1/2|1/3|1/4] [--agp 1/1|2/3|1/2] [--details] [--multiplier M]\n"
    "                [--format text|csv|json]\n"
    "  quenvale-calc --batch [--format csv|json|text] < cases\n"
    "  quenvale-calc --table [--ref REF] [--fsb FSB] [--format text|csv|json]\n"
    "  quenvale-calc --crystal-for TARGET --fsb FSB [--pci D] [--agp D] [--format text|csv|json]\n"
    "  quenvale-calc --plan --target MHZ [--multiplier M] [--limit ok|caution|danger] [--top N]\n"
    "                [--format text|csv|json]\n"
    "  quenvale-calc -h|--help | -V|--version\n";

void writeUsage(std::ostream& out, Language language) {
    out << say(language, "使い方:\n", "usage:\n") << kUsageLines;
}

constexpr std::string_view kHelpJapanese =
    "\n"
    "PLLの基準水晶(標準 14.318 MHz)を交換したときの CPU(FSB)、PCI、AGP クロックを\n"
    "Quenvale のウィンドウと同じ計算で求めます。数値はウィンドウと同じ表記で出力します。\n"
    "\n"
    "  REF FSB           水晶の周波数と、マザーボードで設定する FSB (MHz)。\n"
    "                    分周比を指定しなければ、FSB の帯域のもの(100 未満 1/2、\n"
    "                    134 以下 1/3、それを超えると 1/4 と AGP 1/2)を使います。\n"
    "                    text の出力は使った分周比とその出どころも示します。\n"
    "  --pci, --agp      PCI と AGP の分周比。\n"
    "  --format          text(既定)、csv、json。失敗した計算も csv と json では\n"
    "                    error(一行のメッセージ)と error_code(13、6 など)の行になります。\n"
    "  --batch           標準入力の各行 REF,FSB[,PCI,AGP] を計算し、一行ずつ出力します\n"
    "                    (既定は csv)。reference で始まる最初の行は見出しとして飛ばし、\n"
    "                    \"15\",\"100\" のように引用符で囲んだ欄も読みます。\n"
    "  --table           水晶の一覧と FSB の一覧のすべての組み合わせ(--ref、--fsb で絞り込み)。\n"
    "  --crystal-for     FSB の設定で CPU クロックを TARGET MHz にする水晶と、\n"
    "                    一覧の中でその上下にある水晶。\n"
    "  --details         水晶が変える他のクロックも示します: USB 48 MHz(±0.25% を外れると\n"
    "                    USB 機器が動かないおそれ)、Super I/O 24 MHz(シリアルポートと\n"
    "                    フロッピーが同じ割合でずれる)、8254 タイマー(タイマーの刻みで\n"
    "                    時刻を数える OS の時計は 1日に (比 − 1) × 86400 秒ずれる。RTC は別)。\n"
    "  --multiplier M    CPU の倍率。コアクロック = CPU クロック × M。\n"
    "  --plan            一覧の水晶と FSB の全組み合わせ(分周比は FSB の帯域)から、\n"
    "                    PCI と AGP が --limit(既定 caution)までのものを、コアクロック\n"
    "                    (倍率がなければ CPU クロック)が --target に近い順、同じなら PCI が\n"
    "                    低い順、水晶が 14.318 に近い順に --top 件(既定 10)示します。\n"
    "  -h, --help        この説明。   -V, --version   版数。\n"
    "  PCI が 37.5 MHz、AGP が 75 MHz を超えると caution(注意)、定格(33.33、66.67 MHz)\n"
    "  の 125%(約 41.67、83.33 MHz)を超えると danger(危険)と示します。\n"
    "  メッセージは LC_ALL、LC_MESSAGES、LANG の順に見たロケールが ja で始まれば日本語、\n"
    "  それ以外は英語です。結果の表記はどちらでも同じです。\n"
    "  終了ステータス: 0 成功、1 計算エラー、2 コマンドラインの誤り。\n";

constexpr std::string_view kHelpEnglish =
    "\n"
    "Computes the CPU (FSB), PCI and AGP clocks of a motherboard whose 14.318 MHz\n"
    "reference crystal is replaced, exactly as the Quenvale window shows them.\n"
    "\n"
    "  REF FSB           the crystal and the FSB set on the board, in MHz. Without\n"
    "                    dividers, those of the FSB's band are used (1/2 below 100,\n"
    "                    1/3 up to 134, 1/4 with AGP 1/2 above); the text output\n"
    "                    names the dividers used and where they came from.\n"
    "  --pci, --agp      the PCI and AGP dividers.\n"
    "  --format          text (default), csv or json. In csv and json a failed case\n"
    "                    is a row too, with error (a one-line message) and\n"
    "                    error_code (13, 6, ...).\n"
    "  --batch           one case per line of standard input, REF,FSB[,PCI,AGP]\n"
    "                    (csv by default); a first line starting with reference is\n"
    "                    a header, and fields may be quoted (\"15\",\"100\").\n"
    "  --table           every listed crystal with every listed FSB (or only --ref/--fsb).\n"
    "  --crystal-for     the crystal that makes a board set to FSB run at TARGET MHz,\n"
    "                    and the listed crystals just below and above it.\n"
    "  --details         the other clocks the crystal changes: USB 48 MHz (beyond\n"
    "                    ±0.25 % USB devices may fail), Super I/O 24 MHz (serial ports\n"
    "                    and the floppy run off by the same share), and the 8254 timer\n"
    "                    (an OS that counts timer ticks gains (ratio − 1) × 86,400 s a\n"
    "                    day; the real-time clock has its own crystal).\n"
    "  --multiplier M    the processor's multiplier: core clock = CPU clock × M.\n"
    "  --plan            every listed crystal with every listed FSB (band dividers)\n"
    "                    whose PCI and AGP hints stay within --limit (caution by\n"
    "                    default), nearest core clock (CPU clock without a\n"
    "                    multiplier) to --target first, then lower PCI, then the\n"
    "                    crystal nearer 14.318; the first --top (10 by default).\n"
    "  -h, --help        this help.   -V, --version   the version.\n"
    "  Hints: PCI above 37.5 MHz or AGP above 75 MHz is caution; above 125 % of the\n"
    "  nominal 33.33 and 66.67 MHz (about 41.67 and 83.33 MHz) is danger.\n"
    "  Messages are in Japanese when the locale (LC_ALL, else LC_MESSAGES, else LANG)\n"
    "  starts with ja, in English otherwise; results read the same in both.\n"
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

// "分周比 PCI 1/4, AGP 1/2 (FSBの帯域から)": the dividers a case used, and
// whether the FSB band chose them (as a pick from the window's list does) or
// the command line did; a window whose FSB was typed keeps its dividers.
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

// "CPU 104.7632 MHz", then the PCI and AGP lines with their hints.
void writeClockLines(std::ostream& out, const CaseRow& row) {
    out << "CPU " << row.clocks[0] << " MHz\n";
    out << "PCI " << row.clocks[1] << " MHz";
    if (row.pciHint != ClockHint::Ok) {
        out << "  " << pciHintText(row.pciHint, quenvale::Language::Japanese);
    }
    out << "\nAGP " << row.clocks[2] << " MHz";
    if (row.agpHint != ClockHint::Ok) {
        out << "  " << agpHintText(row.agpHint, quenvale::Language::Japanese);
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

// The columns of a text table; the plan's table goes on after them.
constexpr std::string_view kTableColumns =
    "REF      FSB      PCI  AGP  CPU(MHz)     PCI(MHz)     AGP(MHz)";

// One line of a text table; the hint labels close it. The typed fields are
// echoed as messages quote them, so that a line break or a terminal escape
// in the input neither splits the case nor reaches the terminal.
void writeTableLine(std::ostream& out, const CaseRow& row, Language language) {
    std::string line = padded(quotableText(row.reference), 9) + padded(quotableText(row.fsb), 9);
    if (!row.error.empty()) {
        out << line << say(language, "エラー: ", "error: ") << oneLine(row.error) << '\n';
        return;
    }
    line += padded(quotableText(row.pciDivider), 5) + padded(quotableText(row.agpDivider), 5) +
            padded(row.clocks[0], 13) + padded(row.clocks[1], 13) + row.clocks[2] + hintSuffix(row);
    out << line << '\n';
}

// A row of a many-row run: through the CSV or JSON writer, else as a line
// of the text table.
void writeRow(std::optional<RowWriter>& writer, std::ostream& out, const CaseRow& row,
              Language language) {
    if (writer) {
        writer->write(row);
    } else {
        writeTableLine(out, row, language);
    }
}

// The row of a case that failed before it could be calculated.
CaseRow failedRow(const std::vector<std::string>& fields, std::string error) {
    CaseRow row;
    row.reference = fields.empty() ? std::string() : fields[0];
    row.fsb = fields.size() > 1 ? fields[1] : std::string();
    row.pciDivider = fields.size() > 2 ? fields[2] : std::string();
    row.agpDivider = fields.size() > 3 ? fields[3] : std::string();
    row.error = std::move(error);
    row.errorCode = kBadCaseLine;
    return row;
}

// One record of --batch input as a row.
CaseRow batchCase(const CsvReader::Record& record, Language language) {
    const std::vector<std::string>& fields = record.fields;
    if (!record.wellFormed || (fields.size() != 2 && fields.size() != 4)) {
        return failedRow(
            fields, std::string(say(language, "入力行は REF,FSB[,PCI,AGP] の形で書いてください。",
                                    "Write each input line as REF,FSB[,PCI,AGP].")));
    }
    std::optional<std::size_t> pci;
    std::optional<std::size_t> agp;
    if (fields.size() == 4) {
        if (!fields[2].empty() && !(pci = pciIndex(fields[2]))) {
            return failedRow(fields,
                             std::string(say(language, "PCIの分周比「", "The PCI divider \"")) +
                                 quotableText(fields[2]) +
                                 std::string(say(language, "」は 1/2、1/3、1/4 のいずれかです。",
                                                 "\" is not one of 1/2, 1/3, 1/4.")));
        }
        if (!fields[3].empty() && !(agp = agpIndex(fields[3]))) {
            return failedRow(fields,
                             std::string(say(language, "AGPの分周比「", "The AGP divider \"")) +
                                 quotableText(fields[3]) +
                                 std::string(say(language, "」は 1/1、2/3、1/2 のいずれかです。",
                                                 "\" is not one of 1/1, 2/3, 1/2.")));
        }
    }
    return calculateCase(fields[0], fields[1], pci, agp, language);
}

// The lines --details and --multiplier add to the text output.
void writeExtraLines(std::ostream& out, const CaseRow& row, const CaseExtras& extras) {
    if (row.core) {
        out << "コア " << row.core->text << " MHz (CPU × " << *extras.multiplier << ")\n";
    }
    if (const auto& c = row.consequences) {
        // The window's sentences, with the signed drift kept in front.
        out << "USB " << c->usbText << " MHz  " << usbVerdict(*c, quenvale::Language::Japanese)
            << "\nSuper I/O " << c->sioText << " MHz\n"
            << "時計のずれ " << (c->timerDriftSecondsPerDay > 0 ? "+" : "") << c->timerDriftText
            << " 秒/日 (" << timerDriftSentence(*c, quenvale::Language::Japanese) << ")\n";
    }
}

int runSingle(const CommandLine& line, std::ostream& out, std::ostream& err, Language language) {
    const CaseExtras extras{.consequences = line.details, .multiplier = line.multiplier};
    const CaseRow row =
        calculateCase(line.reference, line.fsb, line.pci, line.agp, language, extras);
    if (line.format != Format::Text) {
        RowWriter writer(out, line.format,
                         {.position = false,
                          .error = true,
                          .consequences = line.details,
                          .core = line.multiplier.has_value()},
                         false);
        writer.write(row);
        writer.finish();
    } else if (!row.error.empty()) {
        err << row.error << '\n';
    } else {
        writeClockLines(out, row);
        out << dividerLine(row, line.pci.has_value(), line.agp.has_value()) << '\n';
        writeExtraLines(out, row, extras);
    }
    return row.error.empty() ? 0 : 1;
}

int runBatch(const CommandLine& line, std::istream& in, std::ostream& out, Language language) {
    std::optional<RowWriter> writer;
    if (line.format == Format::Text) {
        out << kTableColumns << '\n';
    } else {
        writer.emplace(out, line.format, RowWriter::Columns{.position = false, .error = true},
                       true);
    }
    CsvReader reader(in);
    bool anyFailed = false;
    bool first = true;
    while (const std::optional<CsvReader::Record> record = reader.next()) {
        // A spreadsheet's export begins with the column names.
        const bool header = first && record->fields.front() == "reference";
        first = false;
        if (header) {
            continue;
        }
        const CaseRow row = batchCase(*record, language);
        anyFailed = anyFailed || !row.error.empty();
        writeRow(writer, out, row, language);
    }
    if (writer) {
        writer->finish();
    }
    return anyFailed ? 1 : 0;
}

int runTable(const CommandLine& line, std::ostream& out, Language language) {
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
        out << kTableColumns << '\n';
    } else {
        writer.emplace(out, line.format, RowWriter::Columns{.position = false, .error = true},
                       true);
    }
    for (const std::string& reference : references) {
        for (const std::string& fsb : settings) {
            const CaseRow row = calculateCase(reference, fsb, std::nullopt, std::nullopt, language);
            anyFailed = anyFailed || !row.error.empty();
            writeRow(writer, out, row, language);
        }
    }
    if (writer) {
        writer->finish();
    }
    return anyFailed ? 1 : 0;
}

// The crystal's rows as text, each column as wide as its widest entry.
void writeCrystalRows(std::ostream& out, const std::vector<CaseRow>& rows) {
    const auto cells = [](const CaseRow& row) {
        return std::array<std::string, 4>{row.reference + " MHz", "CPU " + row.clocks[0] + " MHz",
                                          "PCI " + row.clocks[1] + " MHz",
                                          "AGP " + row.clocks[2] + " MHz"};
    };
    std::array<std::size_t, 4> widths{};
    for (const CaseRow& row : rows) {
        const auto texts = cells(row);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            widths[i] = std::max(widths[i], texts[i].size());
        }
    }
    for (const CaseRow& row : rows) {
        // Padded to the same width on a terminal: a kanji takes two columns.
        const std::string_view label = row.position == "required" ? "必要な水晶"
                                       : row.position == "below"  ? "下の候補  "
                                                                  : "上の候補  ";
        std::string line(label);
        const auto texts = cells(row);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            line += "  ";
            line += i + 1 < texts.size() ? padded(texts[i], widths[i]) : texts[i];
        }
        line += hintSuffix(row);
        out << line << '\n';
    }
}

int runCrystalFor(const CommandLine& line, std::ostream& out, std::ostream& err,
                  Language language) {
    // Both numbers were checked with the command line.
    const float target = parseSingle(line.target);
    const float fsb = parseSingle(line.fsb);
    // A crystal runs at a positive frequency: at an FSB of 0 or below it
    // gives no positive CPU clock, and no crystal gives one of 0 or below.
    if (fsb <= 0) {
        err << say(language,
                   "FSB が 0 MHz 以下では、どの水晶でも CPU クロックは正の値にならないため、"
                   "水晶を求められません。",
                   "At an FSB of 0 MHz or below no crystal gives a positive CPU clock, so no "
                   "crystal can be found for a target.")
            << '\n';
        return 1;
    }
    if (target <= 0) {
        err << say(language, "CPU クロックを 0 MHz 以下にする水晶はありません。",
                   "No crystal gives a CPU clock of 0 MHz or below.")
            << '\n';
        return 1;
    }
    float crystal = 0;
    try {
        crystal = storeSingle(checkedStep(checkedStep(kNominalReference * target) / fsb));
    } catch (const RuntimeError& error) {
        err << failureText(error, std::nullopt, language) << '\n';
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
    rows.push_back(calculateCase(formatSingle(crystal), line.fsb, line.pci, line.agp, language));
    rows.back().position = "required";
    for (const auto& [index, position] : {std::pair{below, "below"}, std::pair{above, "above"}}) {
        if (index) {
            rows.push_back(
                calculateCase(kReferencePresets[*index], line.fsb, line.pci, line.agp, language));
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
    out << "FSB " << quotableText(line.fsb) << " MHz で CPU を " << quotableText(line.target)
        << " MHz にする水晶: " << rows.front().reference << " MHz\n"
        << dividerLine(rows.front(), line.pci.has_value(), line.agp.has_value()) << '\n';
    writeCrystalRows(out, rows);
    return 0;
}

// A candidate of the plan as a row of the output.
CaseRow planRow(const PlanCandidate& candidate) {
    CaseRow row;
    row.reference = candidate.reference;
    row.fsb = candidate.fsb;
    row.pciDivider = std::string(candidate.pciCaption);
    row.agpDivider = std::string(candidate.agpCaption);
    row.clocks = candidate.clocks.texts;
    row.pciHint = candidate.pciHint;
    row.agpHint = candidate.agpHint;
    row.consequences = candidate.consequences;
    row.core = candidate.core;
    return row;
}

// "ok", "caution(注意)" or "danger(危険)".
std::string limitLabel(ClockHint limit) {
    std::string label(hintName(limit));
    if (limit != ClockHint::Ok) {
        label += "(" + std::string(hintLabel(limit)) + ")";
    }
    return label;
}

void writePlanTable(std::ostream& out, const CommandLine& line, const std::vector<CaseRow>& rows,
                    std::size_t candidates) {
    if (line.multiplier) {
        out << "コアクロック (CPU × " << *line.multiplier << ")";
    } else {
        out << "CPU クロック";
    }
    out << "が " << line.target << " MHz に近い順、PCI・AGP は " << limitLabel(line.limit)
        << " まで: " << candidates << " 件中 " << rows.size() << " 件\n";
    std::string header = std::string(kTableColumns) + "     ";
    if (line.multiplier) {
        header += "CORE(MHz)    ";
    }
    out << header << "USB(MHz)     SIO(MHz)     DRIFT(s/day)\n";
    for (const CaseRow& row : rows) {
        std::string text = padded(row.reference, 9) + padded(row.fsb, 9) +
                           padded(row.pciDivider, 5) + padded(row.agpDivider, 5) +
                           padded(row.clocks[0], 13) + padded(row.clocks[1], 13) +
                           padded(row.clocks[2], 13);
        if (row.core) {
            text += padded(row.core->text, 13);
        }
        text += padded(row.consequences->usbText, 13) + padded(row.consequences->sioText, 13) +
                row.consequences->timerDriftText + hintSuffix(row);
        if (!row.consequences->usbWithinTolerance) {
            text += "  USB範囲外";
        }
        out << text << '\n';
    }
}

int runPlan(const CommandLine& line, std::ostream& out, std::ostream& err, Language language) {
    std::vector<PlanCandidate> plan;
    try {
        plan = planCrystals(line.target, line.multiplier, line.limit);
    } catch (const RuntimeError& error) {
        err << failureText(error, std::nullopt, language) << '\n';
        return 1;
    }
    if (plan.empty()) {
        err << say(language, "PCI と AGP が ",
                   "No crystal and FSB setting keeps PCI and AGP within ")
            << hintName(line.limit)
            << say(language, " までに収まる水晶と FSB の組み合わせはありません。", ".") << '\n';
        return 1;
    }
    std::vector<CaseRow> rows;
    for (std::size_t i = 0; i < plan.size() && i < line.top; ++i) {
        rows.push_back(planRow(plan[i]));
    }
    if (line.format == Format::Text) {
        writePlanTable(out, line, rows, plan.size());
        return 0;
    }
    RowWriter writer(out, line.format,
                     {.position = false,
                      .error = false,
                      .consequences = true,
                      .core = line.multiplier.has_value()},
                     true);
    for (const CaseRow& row : rows) {
        writer.write(row);
    }
    writer.finish();
    return 0;
}

} // namespace

CaseRow calculateCase(std::string_view reference, std::string_view fsb,
                      std::optional<std::size_t> pci, std::optional<std::size_t> agp,
                      Language language, const CaseExtras& extras) {
    CaseRow row;
    row.reference = std::string(reference);
    row.fsb = std::string(fsb);

    // Only its texts: a failure is matched against them to name the value.
    ClockPanel panel;
    panel.referenceText = row.reference;
    panel.fsbText = row.fsb;
    try {
        // The reference is read first, as 計算実行 reads it, so that a case
        // with two bad texts is reported as the window reports it.
        parseSingle(reference);
        BandDividers dividers{.pci = pci, .agp = agp};
        if (!pci || !agp) {
            const BandDividers band = bandDividers(fsb);
            dividers = {.pci = pci ? pci : band.pci, .agp = agp ? agp : band.agp};
        }
        row.pciDivider = std::string(kPciDividers.at(dividers.pci.value()).caption);
        row.agpDivider = std::string(kAgpDividers.at(dividers.agp.value()).caption);
        const ClockResults clocks = computeClocks(dividers.pci, dividers.agp, reference, fsb);
        std::optional<Consequences> consequences;
        if (extras.consequences) {
            try {
                consequences = computeConsequences(reference);
            } catch (const RuntimeError&) {
                // From a crystal of about 1e34 MHz the drift overflows; the
                // clocks are still shown, as the window shows them.
            }
        }
        std::optional<CoreClock> core;
        if (extras.multiplier) {
            core = computeCoreClock(clocks.values[CpuClock], *extras.multiplier);
        }
        // Written only once everything is known: a failure leaves no clocks.
        row.clocks = clocks.texts;
        row.pciHint = pciHint(clocks.values[PciClock]);
        row.agpHint = agpHint(clocks.values[AgpClock]);
        row.consequences = std::move(consequences);
        row.core = std::move(core);
    } catch (const RuntimeError& error) {
        const std::optional<InputBox> box =
            describeFailure(error, panel, kCalculateConverts, quenvale::Language::Japanese).box;
        std::optional<FieldName> field;
        if (error.text() && box) {
            field = *box == InputBox::Reference ? kReferenceField : kFsbField;
        }
        row.error = failureText(error, field, language);
        row.errorCode = error.code();
    }
    return row;
}

int runCalc(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
            std::ostream& err, Language language) {
    CommandLine line;
    try {
        line = parseCommandLine(args, language);
    } catch (const UsageError& error) {
        err << "quenvale-calc: " << error.what() << '\n';
        writeUsage(err, language);
        return 2;
    }
    int status = 0;
    switch (line.mode) {
    case Mode::Help:
        writeUsage(out, language);
        out << say(language, kHelpJapanese, kHelpEnglish);
        break;
    case Mode::Version:
        out << kVersion << '\n';
        break;
    case Mode::Batch:
        status = runBatch(line, in, out, language);
        break;
    case Mode::Table:
        status = runTable(line, out, language);
        break;
    case Mode::CrystalFor:
        status = runCrystalFor(line, out, err, language);
        break;
    case Mode::Plan:
        status = runPlan(line, out, err, language);
        break;
    case Mode::Single:
        status = runSingle(line, out, err, language);
        break;
    }
    // A full disk or a closed pipe must not pass for success.
    out.flush();
    if (!out) {
        err << "quenvale-calc: "
            << say(language, "出力を書き込めませんでした。", "cannot write the output.") << '\n';
        return 1;
    }
    return status;
}

} // namespace quenvale::cli
