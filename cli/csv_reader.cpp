#include <cli/csv_reader.h>
#include <runtime/utf8.h>

#include <algorithm>
#include <ios>
#include <istream>
#include <streambuf>
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

CsvReader::Read CsvReader::readLine(std::string& line, std::size_t limit) {
    if (failed_) {
        return Read::End;
    }
    try {
        return readLineOrThrow(line, limit);
    } catch (const std::ios_base::failure&) {
        // A file buffer throws where read(2) fails, whatever the stream's
        // exception mask; the line it cut short is not a case.
        failed_ = true;
        line.clear();
        return Read::End;
    }
}

CsvReader::Read CsvReader::readLineOrThrow(std::string& line, std::size_t limit) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    if (buffer == nullptr) {
        return Read::End;
    }
    using Traits = std::streambuf::traits_type;
    bool any = false;
    for (auto c = buffer->sbumpc(); !Traits::eq_int_type(c, Traits::eof()); c = buffer->sbumpc()) {
        any = true;
        if (c == '\n') {
            return Read::Line;
        }
        if (line.size() == limit) {
            // Too long: the rest of the line is read past, not kept.
            for (c = buffer->sbumpc(); !Traits::eq_int_type(c, Traits::eof()) && c != '\n';
                 c = buffer->sbumpc()) {
            }
            return Read::TooLong;
        }
        line.push_back(Traits::to_char_type(c));
    }
    return any ? Read::Line : Read::End;
}

CsvReader::Record CsvReader::tooLong(const std::string& line) {
    Record record;
    record.tooLong = true;
    record.wellFormed = false;
    std::size_t end = 0;
    for (std::size_t characters = 0; end < line.size() && characters < kQuotedStart; ++characters) {
        // Whole characters; a stray byte counts as one.
        end += std::max<std::size_t>(1, utf8SequenceLength(line, end));
    }
    record.start = line.substr(0, std::min(end, line.size()));
    return record;
}

std::optional<CsvReader::Record> CsvReader::next() {
    while (true) {
        const Read read = readLine(line_, kMaxRecord);
        if (read == Read::End) {
            return std::nullopt;
        }
        // Editors on some systems begin a UTF-8 file with a byte-order mark.
        if (first_ && line_.starts_with("\xEF\xBB\xBF")) {
            line_.erase(0, 3);
        }
        first_ = false;
        if (read == Read::TooLong) {
            return tooLong(line_);
        }
        dropLineEnd(line_);
        const std::string content = trimmed(line_);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        Record record = parse(line_);
        // A quoted field whose next line could not be read.
        if (failed_) {
            return std::nullopt;
        }
        return record;
    }
}

CsvReader::Record CsvReader::parse(const std::string& first) {
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
    std::size_t length = first.size(); // of the record so far
    const std::string* line = &first;
    std::size_t i = 0;
    while (true) {
        if (i == line->size()) {
            if (!inQuotes) {
                break;
            }
            // A quoted field goes on over the line break, within the cap.
            const Read read = readLine(more_, kMaxRecord - std::min(length, kMaxRecord));
            if (read == Read::TooLong) {
                return tooLong(first);
            }
            if (read == Read::End) {
                record.wellFormed = false;
                break;
            }
            length += more_.size() + 1;
            dropLineEnd(more_);
            line = &more_;
            field += '\n';
            i = 0;
            continue;
        }
        const char c = (*line)[i++];
        if (inQuotes) {
            if (c != '"') {
                field += c;
            } else if (i < line->size() && (*line)[i] == '"') {
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
