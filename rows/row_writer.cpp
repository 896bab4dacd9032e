#include <rows/failure_text.h>
#include <rows/row_writer.h>
#include <runtime/utf8.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

namespace quenvale {

namespace {

// How a value is written: as a JSON string, number or boolean (in CSV, its
// text all the same), as JSON null (an empty CSV field), or not at all in
// JSON (an empty CSV field).
enum class Kind { Text, Number, Boolean, Null, Absent };

struct Field {
    std::string_view key;
    std::string text;
    Kind kind;
};

// The fields of a row, in column order, for the columns chosen.
std::vector<Field> fieldsOf(const CaseRow& row, const Columns& columns) {
    // A row whose core clock alone failed keeps its bus clocks and hints.
    const bool failed = !row.error.empty() && !row.coreFailed;
    const auto text = [&](std::string_view value) {
        return failed && value.empty() ? Kind::Null : Kind::Text;
    };
    const auto number = [&](std::string_view value) {
        return value.empty() ? Kind::Null : Kind::Number;
    };
    std::vector<Field> fields;
    if (columns.position) {
        fields.push_back({"position", row.position, Kind::Text});
    }
    fields.push_back({"reference", row.reference, Kind::Text});
    fields.push_back({"fsb", row.fsb, Kind::Text});
    fields.push_back({"pci_divider", row.pciDivider, text(row.pciDivider)});
    fields.push_back({"agp_divider", row.agpDivider, text(row.agpDivider)});
    fields.push_back({"cpu_mhz", row.clocks[0], number(row.clocks[0])});
    fields.push_back({"pci_mhz", row.clocks[1], number(row.clocks[1])});
    fields.push_back({"agp_mhz", row.clocks[2], number(row.clocks[2])});
    const Kind hint = failed ? Kind::Null : Kind::Text;
    fields.push_back({"pci_hint", std::string(hintName(row.pciHint)), hint});
    fields.push_back({"agp_hint", std::string(hintName(row.agpHint)), hint});
    if (columns.error) {
        // The message on one line; the typed fields stay as typed, CSV's
        // quotes and JSON's escapes carry their line breaks.
        const bool message = !row.error.empty();
        fields.push_back({"error", oneLine(row.error), message ? Kind::Text : Kind::Null});
        fields.push_back(
            {"error_code", std::to_string(row.errorCode), message ? Kind::Number : Kind::Null});
    }
    if (columns.consequences) {
        const Consequences c = row.consequences.value_or(Consequences{});
        const bool known = row.consequences.has_value();
        const Kind value = known ? Kind::Number : Kind::Null;
        fields.push_back({"usb_mhz", c.usbText, value});
        fields.push_back({"usb_ok", c.usbWithinTolerance ? "true" : "false",
                          known ? Kind::Boolean : Kind::Null});
        fields.push_back({"sio_mhz", c.sioText, value});
        fields.push_back({"timer_drift_s_per_day", c.timerDriftText, value});
    }
    if (columns.consequences || columns.core) {
        // Without a multiplier there is no core clock to speak of: JSON
        // leaves the key out.
        const Kind kind = row.core ? Kind::Number : columns.core ? Kind::Null : Kind::Absent;
        fields.push_back({"core_mhz", row.core.value_or(CoreClock{}).text, kind});
    }
    return fields;
}

// Digits from `i` on; returns the index after them and whether there was one.
bool skipDigits(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    return i > start;
}

// Whether what is left from i is empty or an exponent, [eE][+-]?digits:
// the same in both grammars below.
bool restIsEmptyOrExponent(std::string_view text, std::size_t i) {
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (!skipDigits(text, i)) {
            return false;
        }
    }
    return i == text.size();
}

// The number grammar of JSON: -?(0|[1-9]d*)(.d+)?([eE][+-]?d+)?
bool isJsonNumber(std::string_view text) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t integer = i;
    if (!skipDigits(text, i) || (text[integer] == '0' && i - integer > 1)) {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!skipDigits(text, i)) {
            return false;
        }
    }
    return restIsEmptyOrExponent(text, i);
}

// A number as a spreadsheet reads one: [+-]digits[.digits][e[+-]digits],
// or with no digit before the point. Such a cell is read as its value.
bool isPlainNumber(std::string_view text) {
    std::size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    const bool integer = skipDigits(text, i);
    bool fraction = false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        fraction = skipDigits(text, i);
    }
    if (!integer && !fraction) {
        return false;
    }
    return restIsEmptyOrExponent(text, i);
}

// A cell that a spreadsheet would take for a formula (or that it trims to
// one): it begins with one of these and is not a plain number.
bool readAsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos &&
           !isPlainNumber(text);
}

} // namespace

std::string jsonNumber(std::string_view text) {
    return isJsonNumber(text) ? std::string(text) : jsonString(text);
}

std::string csvField(std::string_view text) {
    // An echoed input may hold bytes that are not UTF-8, or control
    // characters (an escape, a NUL) that a viewer would act on: the file
    // stays UTF-8 text, with U+FFFD for either. Tabs and line breaks are
    // text that the quotes carry.
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        const bool kept =
            length > 0 && (!isControlCharacter(text, i, length) ||
                           std::string_view("\t\n\r").find(text[i]) != std::string_view::npos);
        if (kept) {
            valid.append(text.substr(i, length));
        } else {
            valid += "\uFFFD";
        }
        i += std::max<std::size_t>(length, 1);
    }
    const bool formula = readAsFormula(valid);
    if (!formula && valid.find_first_of(",\"\r\n") == std::string::npos) {
        return valid;
    }
    // A leading apostrophe makes a spreadsheet show the cell as text.
    std::string out = formula ? "\"'" : "\"";
    for (const char c : valid) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    return out + '"';
}

std::string jsonString(std::string_view text) {
    static constexpr std::string_view kHex = "0123456789abcdef";
    std::string out = "\"";
    // Most texts need no escape: one allocation, where a long one (a pasted
    // box's text, in the page) would otherwise take twice its size.
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8SequenceLength(text, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (length == 0) {
            out += "\\ufffd"; // a byte that is not UTF-8
        } else if (isControlCharacter(text, i, length)) {
            // One byte, or U+0080 to U+009F in two: the code point is its last.
            const auto code = static_cast<unsigned char>(length == 1 ? c : text[i + 1]);
            out += "\\u00";
            out += kHex[code >> 4];
            out += kHex[code & 0xF];
        } else {
            out.append(text.substr(i, length));
        }
        i += std::max<std::size_t>(length, 1);
    }
    out += '"';
    return out;
}

std::string csvHeader(const Columns& columns) {
    std::string line;
    for (const Field& field : fieldsOf(CaseRow{}, columns)) {
        // Appended in place: GCC 12 at -O3 reports a false -Wrestrict on a
        // literal joined to a std::string with operator+ (GCC bug 105329).
        if (!line.empty()) {
            line += ',';
        }
        line += field.key;
    }
    line += '\n';
    return line;
}

std::string csvLine(const CaseRow& row, const Columns& columns) {
    const std::vector<Field> fields = fieldsOf(row, columns);
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        if (fields[i].kind != Kind::Null && fields[i].kind != Kind::Absent) {
            line += csvField(fields[i].text);
        }
    }
    return line + '\n';
}

CsvWriter::CsvWriter(std::ostream& out, Columns columns) : out_(out), columns_(columns) {
    out_ << csvHeader(columns_);
}

void CsvWriter::write(const CaseRow& row) {
    out_ << csvLine(row, columns_);
}

void CsvWriter::finish() {
    out_.flush();
}

JsonWriter::JsonWriter(std::ostream& out, Columns columns, bool manyRows)
    : out_(out), columns_(columns), manyRows_(manyRows) {
    if (manyRows_) {
        out_ << '[';
    }
}

void JsonWriter::write(const CaseRow& row) {
    if (manyRows_) {
        out_ << (rows_ == 0 ? "\n  " : ",\n  ");
    }
    ++rows_;
    out_ << '{';
    bool first = true;
    for (const Field& field : fieldsOf(row, columns_)) {
        if (field.kind == Kind::Absent) {
            continue;
        }
        out_ << (first ? "\"" : ", \"") << field.key << "\": ";
        first = false;
        switch (field.kind) {
        case Kind::Text:
            out_ << jsonString(field.text);
            break;
        case Kind::Number:
            out_ << jsonNumber(field.text);
            break;
        case Kind::Boolean:
            out_ << field.text;
            break;
        case Kind::Null:
        case Kind::Absent:
            out_ << "null";
            break;
        }
    }
    out_ << '}';
    if (!manyRows_) {
        out_ << '\n';
    }
}

void JsonWriter::finish() {
    if (manyRows_) {
        out_ << (rows_ == 0 ? "]\n" : "\n]\n");
    }
    out_.flush();
}

} // namespace quenvale
