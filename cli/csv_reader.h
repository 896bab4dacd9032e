#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quenvale::cli {

// Reads records as RFC 4180 writes them: fields split by commas; a field in
// double quotes may hold commas, doubled quotes and line breaks. Blanks around
// a field, outside its quotes, are dropped; a line may end in CR LF. Blank
// lines and lines starting with # hold no record, and a byte-order mark at the
// start of the input is skipped.
class CsvReader {
public:
    struct Record {
        std::vector<std::string> fields;
        // False when a quote is never closed, or text follows a closing quote.
        bool wellFormed = true;
    };

    explicit CsvReader(std::istream& in) : in_(in) {}

    // The next record; none at the end of the input.
    std::optional<Record> next();

private:
    Record parse(std::string line);

    std::istream& in_;
    bool first_ = true;
};

} // namespace quenvale::cli
