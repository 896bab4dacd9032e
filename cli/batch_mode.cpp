#include <calculator/clock_case.h>
#include <calculator/dividers.h>
#include <calculator/failure_message.h>
#include <cli/calc_modes.h>
#include <cli/csv_reader.h>
#include <cli/messages.h>
#include <cli/text_output.h>
#include <runtime/catalogue.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace quenvale::cli {

namespace {

// The error code of a line that is not REF,FSB[,PCI,AGP] with known
// dividers: the runtime's "invalid procedure call or argument".
constexpr int kBadCaseLine = 5;

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

// "「1/5」は 1/2、1/3、1/4 のいずれかです。", from the divider table.
std::string notADivider(DividerGroup group, std::string_view given, Language language) {
    std::string choices;
    for (const Divider& divider : dividerTable(group)) {
        choices += choices.empty() ? "" : tr(language, {"、", "list"});
        choices += divider.caption;
    }
    const std::string quoted = quotableText(given);
    const std::initializer_list<Argument> arguments{{"text", quoted}, {"choices", choices}};
    return group == DividerGroup::Pci
               ? tr(language, "PCIの分周比「{text}」は {choices} のいずれかです。", arguments)
               : tr(language, "AGPの分周比「{text}」は {choices} のいずれかです。", arguments);
}

// One record of --batch input as a row.
CaseRow batchCase(const CsvReader::Record& record, Language language) {
    if (record.tooLong) {
        // Cut short with an ellipsis, as every quoted text is.
        return failedRow({}, tr(language, "入力行が長すぎます ({size} KiB まで): 「{text}」",
                                {{"size", std::to_string(CsvReader::kMaxRecord / 1024)},
                                 {"text", quotableText(record.start)}}));
    }
    const std::vector<std::string>& fields = record.fields;
    if (!record.wellFormed || (fields.size() != 2 && fields.size() != 4)) {
        return failedRow(
            fields, std::string(tr(language, "入力行は REF,FSB[,PCI,AGP] の形で書いてください。")));
    }
    DividerChoice pci;
    DividerChoice agp;
    if (fields.size() == 4) {
        if (!fields[2].empty() && !(pci = dividerIndex(DividerGroup::Pci, fields[2]))) {
            return failedRow(fields, notADivider(DividerGroup::Pci, fields[2], language));
        }
        if (!fields[3].empty() && !(agp = dividerIndex(DividerGroup::Agp, fields[3]))) {
            return failedRow(fields, notADivider(DividerGroup::Agp, fields[3], language));
        }
    }
    return caseRow(calculateCase(fields[0], fields[1], pci, agp), language);
}

} // namespace

int runBatch(const BatchArgs& args, std::istream& in, std::ostream& out, std::ostream& err,
             Language language) {
    // Made at the first row, or at the end of a readable input, so that an
    // input that cannot be read at all leaves the output empty.
    std::unique_ptr<RowWriter> writer;
    const auto ensureWriter = [&] {
        if (!writer) {
            writer = makeRowWriter(out, args.format, {.position = false, .error = true}, true, [&] {
                return std::make_unique<TableTextWriter>(out, language);
            });
        }
    };
    CsvReader reader(in);
    bool anyFailed = false;
    bool first = true;
    while (const std::optional<CsvReader::Record> record = reader.next()) {
        // A spreadsheet's export begins with the column names; only the
        // first line may be such a header.
        const bool header =
            first && !record->fields.empty() && record->fields.front() == "reference";
        first = false;
        if (header) {
            continue;
        }
        const CaseRow row = batchCase(*record, language);
        anyFailed = anyFailed || !row.error.empty();
        ensureWriter();
        writer->write(row);
    }
    if (reader.readFailed()) {
        // The rows of the lines read stand whole (a JSON array closed), and
        // the status and the message say that the input went no further.
        if (writer) {
            writer->finish();
        }
        err << programMessage(tr(language, "標準入力を読み込めませんでした。"));
        return 1;
    }
    ensureWriter();
    writer->finish();
    return anyFailed ? 1 : 0;
}

} // namespace quenvale::cli
