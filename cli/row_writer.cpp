#include <runtime/utf8.h>

#include <array>
#include <cctype>
#include <cli/messages.h>
#include <cli/row_writer.h>
#include <ostream>

namespace quenvale::cli {

namespace {

constexpr std::array<std::string_view, 9> kKeys{"reference",   "fsb",      "pci_divider",
                                                "agp_divider", "cpu_mhz",  "pci_mhz",
                                                "agp_mhz",     "pci_hint", "agp_hint"};

std::array<std::string_view, 9> valuesOf(const CaseRow& row) {
    const bool failed = !row.error.empty();
    return {row.reference,
            row.fsb,
            row.pciDivider,
            row.agpDivider,
            row.clocks[0],
            row.clocks[1],
            row.clocks[2],
            failed ? std::string_view{} : hintName(row.pciHint),
            failed ? std::string_view{} : hintName(row.agpHint)};
}

// The keys whose values are clocks, written as numbers in JSON.
constexpr bool isClockKey(std::size_t index) {
    return index >= 4 && index <= 6;
}

// Digits from `i` on; returns the index after them and whether there was one.
bool skipDigits(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    return i > start;
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

} // namespace

std::string jsonNumber(std::string_view text) {
    return isJsonNumber(text) ? std::string(text) : jsonString(text);
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
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
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c == '\n') {
            out += "\\n";
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            ++i;
        } else if (const std::size_t length = utf8SequenceLength(text, i); length > 0) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            out += "\\ufffd"; // a byte that is not UTF-8
            ++i;
        }
    }
    return out + '"';
}

RowWriter::RowWriter(std::ostream& out, Format format, Columns columns, bool manyRows)
    : out_(out), format_(format), columns_(columns), manyRows_(manyRows) {
    if (format_ == Format::Csv) {
        if (columns_.position) {
            out_ << "position,";
        }
        for (std::size_t i = 0; i < kKeys.size(); ++i) {
            out_ << (i == 0 ? "" : ",") << kKeys[i];
        }
        out_ << (columns_.error ? ",error,error_code\n" : "\n");
    } else if (format_ == Format::Json && manyRows_) {
        out_ << '[';
    }
}

void RowWriter::write(const CaseRow& row) {
    if (format_ == Format::Csv) {
        writeCsv(row);
    } else {
        writeJson(row);
    }
    ++rows_;
}

void RowWriter::finish() {
    if (format_ == Format::Json && manyRows_) {
        out_ << (rows_ == 0 ? "]\n" : "\n]\n");
    }
    out_.flush();
}

void RowWriter::writeCsv(const CaseRow& row) {
    if (columns_.position) {
        out_ << csvField(row.position) << ',';
    }
    const auto values = valuesOf(row);
    for (std::size_t i = 0; i < values.size(); ++i) {
        out_ << (i == 0 ? "" : ",") << csvField(values[i]);
    }
    if (columns_.error) {
        out_ << ',' << csvField(oneLine(row.error)) << ',';
        if (row.errorCode != 0) {
            out_ << row.errorCode;
        }
    }
    out_ << '\n';
}

void RowWriter::writeJson(const CaseRow& row) {
    if (manyRows_) {
        out_ << (rows_ == 0 ? "\n  " : ",\n  ");
    }
    out_ << '{';
    if (columns_.position) {
        out_ << "\"position\": " << jsonString(row.position) << ", ";
    }
    const auto values = valuesOf(row);
    for (std::size_t i = 0; i < values.size(); ++i) {
        out_ << (i == 0 ? "" : ", ") << '"' << kKeys[i] << "\": ";
        if (values[i].empty() && !row.error.empty()) {
            out_ << "null";
        } else if (isClockKey(i)) {
            out_ << jsonNumber(values[i]);
        } else {
            out_ << jsonString(values[i]);
        }
    }
    if (columns_.error) {
        if (row.error.empty()) {
            out_ << R"(, "error": null, "error_code": null)";
        } else {
            out_ << ", \"error\": " << jsonString(oneLine(row.error))
                 << ", \"error_code\": " << row.errorCode;
        }
    }
    out_ << '}';
    if (!manyRows_) {
        out_ << '\n';
    }
}

} // namespace quenvale::cli
