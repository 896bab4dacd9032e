#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quenvale::cli {

// Reads records as RFC 4180 writes them: fields split by commas; a field in
// double quotes may hold commas, doubled quotes and line breaks. Blanks around
// a field, outside its quotes, are dropped; a line may end in CR LF. Blank
// lines and lines starting with # hold no record, and a byte-order mark at the
// start of the input is skipped. A record longer than kMaxRecord bytes is not
// kept: the reader skips to the next line break, so that memory stays flat
// whatever the input. Where the input cannot be read (a closed descriptor, a
// directory, an I/O error), reading ends there, a record cut short by it is
// dropped, and readFailed() tells the input's end from the failure.
class CsvReader {
public:
    static constexpr std::size_t kMaxRecord = 64 * 1024;
    // How much of a record too long to read is kept, in characters.
    static constexpr std::size_t kQuotedStart = 40;

    struct Record {
        std::vector<std::string> fields;
        // False when a quote is never closed, or text follows a closing quote.
        bool wellFormed = true;
        // Set when the record passed kMaxRecord: then no fields, and
        // `start` holds its first characters.
        bool tooLong = false;
        std::string start;
    };

    explicit CsvReader(std::istream& in) : in_(in) {}

    // The next record; none at the end of the input or once reading failed.
    std::optional<Record> next();

    bool readFailed() const { return failed_; }

private:
    enum class Read { Line, TooLong, End };
    // The next line without its line break, at most `limit` bytes of it;
    // End, with failed_ set, where the input fails.
    Read readLine(std::string& line, std::size_t limit);
    Read readLineOrThrow(std::string& line, std::size_t limit);
    Record parse(const std::string& first);
    static Record tooLong(const std::string& line);

    std::istream& in_;
    bool first_ = true;
    bool failed_ = false;
    std::string line_;
    std::string more_;
};

} // namespace quenvale::cli
