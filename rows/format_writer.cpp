#include <rows/row_writer.h>

#include <memory>
#include <stdexcept>

namespace quenvale {

std::unique_ptr<RowWriter> makeRowWriter(std::ostream& out, Format format, Columns columns,
                                         bool manyRows, const TextWriterMaker& text,
                                         const TextWriterMaker& chart) {
    // No default: a format added to the enum and not handled here does not
    // compile.
    switch (format) {
    case Format::Text:
        return text();
    case Format::Csv:
        return std::make_unique<CsvWriter>(out, columns);
    case Format::Json:
        return std::make_unique<JsonWriter>(out, columns, manyRows);
    case Format::Svg:
        if (!chart) {
            throw std::logic_error("this mode draws no chart");
        }
        return chart();
    }
    throw std::logic_error("unknown output format");
}

} // namespace quenvale
