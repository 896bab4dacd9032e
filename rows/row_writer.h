#pragma once

#include <rows/case_row.h>

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace quenvale {

// How the rows of a run are written; svg draws them as a chart (a table of
// one crystal only).
enum class Format { Text, Csv, Json, Svg };

// Where the rows of a run go, one at a time as they are known, so that long
// runs stream; finish() once after the last.
class RowWriter {
public:
    RowWriter() = default;
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;
    virtual ~RowWriter() = default;

    virtual void write(const CaseRow& row) = 0;
    virtual void finish() = 0;
};

// Which columns CSV and JSON write.
struct Columns {
    bool position = false; // a leading "position" column
    bool error = false;    // "error" and "error_code" after the clocks' columns
    // Then "usb_mhz", "usb_ok", "sio_mhz", "timer_drift_s_per_day" and
    // "core_mhz" (empty in CSV, absent in JSON without a multiplier).
    bool consequences = false;
    bool core = false; // "core_mhz" alone, or filled in after the consequences
};

// The CSV header line and a row's line, each ending in a line feed: what
// CsvWriter writes, for callers that keep the text (the page's download).
std::string csvHeader(const Columns& columns);
std::string csvLine(const CaseRow& row, const Columns& columns);

// A header, then one line a row.
class CsvWriter final : public RowWriter {
public:
    CsvWriter(std::ostream& out, Columns columns);
    void write(const CaseRow& row) override;
    void finish() override;

private:
    std::ostream& out_;
    Columns columns_;
};

// One object, or an array of objects when more than one row may come.
class JsonWriter final : public RowWriter {
public:
    JsonWriter(std::ostream& out, Columns columns, bool manyRows);
    void write(const CaseRow& row) override;
    void finish() override;

private:
    std::ostream& out_;
    Columns columns_;
    bool manyRows_;
    std::size_t rows_ = 0;
};

// The writer of a format; each mode lays out its own text.
// `chart` draws the rows where the mode has a chart; empty elsewhere, where
// the parser refuses svg.
using TextWriterMaker = std::function<std::unique_ptr<RowWriter>()>;
std::unique_ptr<RowWriter> makeRowWriter(std::ostream& out, Format format, Columns columns,
                                         bool manyRows, const TextWriterMaker& text,
                                         const TextWriterMaker& chart = {});

std::string csvField(std::string_view text);
std::string jsonString(std::string_view text);
// A clock's text as a JSON number: the texts are already valid JSON numbers
// ("104.7632", "1.234568E+07"); anything else stays a string.
std::string jsonNumber(std::string_view text);

} // namespace quenvale
