#pragma once

#include <cli/case_row.h>
#include <cli/command_line.h>
#include <iosfwd>
#include <string>
#include <string_view>

namespace quenvale::cli {

// Writes rows as CSV (a header, then one line each) or JSON (one object, or
// an array of objects when more than one row may come), as they arrive, so
// that long runs stream.
class RowWriter {
public:
    struct Columns {
        bool position = false; // a leading "position" column
        bool error = false;    // "error" and "error_code" after the clocks' columns
        // Then "usb_mhz", "usb_ok", "sio_mhz", "timer_drift_s_per_day" and
        // "core_mhz" (empty in CSV, absent in JSON without a multiplier).
        bool consequences = false;
        bool core = false; // "core_mhz" alone, or filled in after the consequences
    };

    RowWriter(std::ostream& out, Format format, Columns columns, bool manyRows);
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    void write(const CaseRow& row);
    // Closes the JSON array; call once after the last row.
    void finish();

private:
    void writeCsv(const CaseRow& row);
    void writeJson(const CaseRow& row);

    std::ostream& out_;
    Format format_;
    Columns columns_;
    bool manyRows_;
    std::size_t rows_ = 0;
};

std::string csvField(std::string_view text);
std::string jsonString(std::string_view text);
// A clock's text as a JSON number: the texts are already valid JSON numbers
// ("104.7632", "1.234568E+07"); anything else stays a string.
std::string jsonNumber(std::string_view text);

} // namespace quenvale::cli
