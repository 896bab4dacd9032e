#include <cli/csv_reader.h>
#include <istream>
#include <string_view>

namespace quenvale::cli {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return std::string(text.substr(first, last - first + 1));
}

void dropLineEnd(std::string& line) {
    if (line.ends_with('\r')) {
        line.pop_back();
    }
}

} // namespace

std::optional<CsvReader::Record> CsvReader::next() {
    std::string line;
    while (std::getline(in_, line)) {
        // Editors on some systems begin a UTF-8 file with a byte-order mark.
        if (first_ && line.starts_with("\xEF\xBB\xBF")) {
            line.erase(0, 3);
        }
        first_ = false;
        dropLineEnd(line);
        const std::string content = trimmed(line);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        return parse(std::move(line));
    }
    return std::nullopt;
}

CsvReader::Record CsvReader::parse(std::string line) {
    Record record;
    std::string field;
    bool quoted = false;   // the field began with a quote
    bool inQuotes = false; // between its quotes now
    bool closed = false;   // its closing quote was read
    const auto endField = [&] {
        record.fields.push_back(quoted ? field : trimmed(field));
        field.clear();
        quoted = inQuotes = closed = false;
    };
    std::size_t i = 0;
    while (true) {
        if (i == line.size()) {
            if (!inQuotes) {
                break;
            }
            // A quoted field goes on over the line break.
            if (!std::getline(in_, line)) {
                record.wellFormed = false;
                break;
            }
            dropLineEnd(line);
            field += '\n';
            i = 0;
            continue;
        }
        const char c = line[i++];
        if (inQuotes) {
            if (c != '"') {
                field += c;
            } else if (i < line.size() && line[i] == '"') {
                field += '"';
                ++i;
            } else {
                inQuotes = false;
                closed = true;
            }
        } else if (c == ',') {
            endField();
        } else if (closed) {
            record.wellFormed = record.wellFormed && kBlanks.find(c) != std::string_view::npos;
        } else if (c == '"' && trimmed(field).empty()) {
            field.clear();
            quoted = inQuotes = true;
        } else {
            field += c;
        }
    }
    endField();
    return record;
}

} // namespace quenvale::cli
