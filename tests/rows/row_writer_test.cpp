#include <gtest/gtest.h>

#include <rows/row_writer.h>
#include <sstream>
#include <stdexcept>

namespace quenvale {
namespace {

TEST(csv_field, quotes_only_what_needs_it) {
    const std::pair<std::string, std::string> cases[] = {
        {"14.318", "14.318"},
        {"14,318", "\"14,318\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"carriage\rreturn", "\"carriage\rreturn\""},
        {"", ""},
        // Control characters that a viewer would act on are not copied; a
        // tab is text.
        {"1\x1B[31m5", "1\uFFFD[31m5"},
        {std::string("1\0"
                     "5",
                     3),
         "1\uFFFD5"},
        {"1\u009B5", "1\uFFFD5"},
        {"1\t5", "1\t5"},
        // A no-break space is text, not a control character.
        {"1\u00a05", "1\u00a05"},
    };
    for (const auto& [text, field] : cases) {
        EXPECT_EQ(csvField(text), field) << text;
    }
}

// A spreadsheet that opens the CSV must not run an echoed text as a
// formula, nor read a number otherwise than as written.
TEST(csv_field, keeps_text_from_being_read_as_a_formula) {
    const std::pair<std::string, std::string> cases[] = {
        {"=1+2", "\"'=1+2\""},
        {"+cmd|' /C calc'!A0", "\"'+cmd|' /C calc'!A0\""},
        {"-2+3", "\"'-2+3\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"\t=1", "\"'\t=1\""},
        {"\r=1", "\"'\r=1\""},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"-", "\"'-\""},
        {"-Infinity", "\"'-Infinity\""},
        // Numbers stay as written, negative ones too.
        {"-5", "-5"},
        {"-9160.161", "-9160.161"},
        {"+5", "+5"},
        {"-.5", "-.5"},
        {"-1.234568E+07", "-1.234568E+07"},
        {"a=b", "a=b"},
    };
    for (const auto& [text, field] : cases) {
        EXPECT_EQ(csvField(text), field) << text;
    }
}

TEST(json_string, escapes_and_keeps_valid_utf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"100", "\"100\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line\nnext", "\"line\\nnext\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"\t\x1f\x7f", "\"\\u0009\\u001f\\u007f\""},
        // A C1 control by its code point, not its lead byte; a no-break space
        // kept.
        {"\u0085", "\"\\u0085\""},
        {"1\u00a05", "\"1\u00a05\""},
        {"型が一致しません。", "\"型が一致しません。\""},
        {"😀", "\"😀\""},
        // Bytes that are not UTF-8 (a stray continuation, a cut sequence, a
        // surrogate, an overlong form) become U+FFFD.
        {"\x80", "\"\\ufffd\""},
        {"\xe3\x81", "\"\\ufffd\\ufffd\""},
        {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
        {"\xc0\xaf", "\"\\ufffd\\ufffd\""},
    };
    for (const auto& [text, json] : cases) {
        EXPECT_EQ(jsonString(text), json) << text;
    }
}

TEST(json_number, keeps_the_clock_texts_and_quotes_anything_else) {
    const std::pair<std::string, std::string> cases[] = {
        {"104.7632", "104.7632"},
        {"-100", "-100"},
        {"0", "0"},
        {"1.234568E+07", "1.234568E+07"},
        {"5E-08", "5E-08"},
        {"NaN", "\"NaN\""},
        {"-Infinity", "\"-Infinity\""},
        {"007", "\"007\""},
        {"1.", "\"1.\""},
        {"1E", "\"1E\""},
        {"", "\"\""},
    };
    for (const auto& [text, json] : cases) {
        EXPECT_EQ(jsonNumber(text), json) << text;
    }
}

CaseRow sampleRow() {
    CaseRow row;
    row.reference = "15.000";
    row.fsb = "100";
    row.pciDivider = "1/3";
    row.agpDivider = "2/3";
    row.clocks = {"104.7632", "34.92108", "69.84216"};
    return row;
}

TEST(row_writer, json_array_is_empty_or_comma_separated) {
    std::ostringstream none;
    JsonWriter(none, {}, true).finish();
    EXPECT_EQ(none.str(), "[]\n");

    std::ostringstream two;
    JsonWriter writer(two, {.position = false, .error = true}, true);
    writer.write(sampleRow());
    CaseRow failed;
    failed.reference = "abc";
    failed.fsb = "100";
    failed.error = "bad";
    failed.errorCode = 13;
    writer.write(failed);
    writer.finish();
    const std::string text = two.str();
    EXPECT_EQ(text.front(), '[');
    EXPECT_NE(text.find("\"cpu_mhz\": 104.7632,"), std::string::npos);
    EXPECT_NE(text.find("\"error\": null, \"error_code\": null},\n"), std::string::npos);
    EXPECT_NE(text.find("\"cpu_mhz\": null"), std::string::npos);
    EXPECT_NE(text.find("\"error\": \"bad\", \"error_code\": 13}\n]\n"), std::string::npos);
}

TEST(row_writer, keeps_typed_fields_as_typed_and_the_message_on_one_line) {
    CaseRow failed;
    failed.reference = "1\n5";
    failed.fsb = "100";
    failed.error = "first\nsecond";
    failed.errorCode = 13;
    const std::pair<Format, std::string> cases[] = {
        {Format::Csv, "\"1\n5\",100,,,,,,,,first second,13\n"},
        {Format::Json, "{\"reference\": \"1\\n5\", \"fsb\": \"100\", \"pci_divider\": null, "
                       "\"agp_divider\": null, \"cpu_mhz\": null, \"pci_mhz\": null, \"agp_mhz\": "
                       "null, \"pci_hint\": null, \"agp_hint\": null, \"error\": \"first second\", "
                       "\"error_code\": 13}\n"},
    };
    for (const auto& [format, text] : cases) {
        std::ostringstream out;
        const auto writer =
            makeRowWriter(out, format, {.position = false, .error = true}, false,
                          []() -> std::unique_ptr<RowWriter> { throw std::logic_error("text"); });
        writer->write(failed);
        const std::string written = out.str();
        // CSV begins with its header line.
        EXPECT_EQ(written.substr(format == Format::Csv ? written.find('\n') + 1 : 0), text);
    }
}

} // namespace
} // namespace quenvale
