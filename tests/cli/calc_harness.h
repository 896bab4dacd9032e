#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace quenvale::cli::test {

// What a run of quenvale-calc gave.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// How the standard input is given: the input text in a file, closed, or a
// directory opened in its place.
enum class InputFrom { Text, Closed, Directory };

// Runs quenvale-calc with the arguments, the standard input and the locale
// given (Japanese unless told); files stand in for pipes so that a large
// input cannot deadlock the test. The standard output goes to `outputTo`
// instead when it is given, and is not read.
Outcome runCalc(const std::vector<std::string>& args, const std::string& input = {},
                const std::string& outputTo = {},
                const std::vector<std::string>& locale = {"LANG=ja_JP.UTF-8"},
                InputFrom inputFrom = InputFrom::Text);

std::vector<std::string> linesOf(const std::string& text);

// The widest line of the text in terminal columns, a wide character two.
std::size_t widestLine(const std::string& text);

// The conventions of shells and scripts: short options, the locale's
// language, failed cases as rows a CSV or JSON reader takes. A row checks
// what it names: the output's and the error's beginnings, the JSON it
// parses to, the CSV records it reads as, a text the raw output holds.
struct ConventionCase {
    std::string name;
    std::vector<std::string> locale;
    std::vector<std::string> args;
    std::string input{};
    int status = 0;
    std::string outStart{};
    std::string errStart{};
    nlohmann::json json{};
    std::vector<std::vector<std::string>> csv{};
    std::string outHas{};
};

void PrintTo(const ConventionCase& c, std::ostream* out);

class calc_conventions : public testing::TestWithParam<ConventionCase> {};

// The JSON object of a case: the eleven keys of every row (null where a row
// has no value), then the columns a mode adds.
struct JsonRow {
    std::string reference;
    std::string fsb;
    nlohmann::json pciDivider = nullptr;
    nlohmann::json agpDivider = nullptr;
    nlohmann::json cpu = nullptr;
    nlohmann::json pci = nullptr;
    nlohmann::json agp = nullptr;
    nlohmann::json pciHint = nullptr;
    nlohmann::json agpHint = nullptr;
    nlohmann::json error = nullptr;
    nlohmann::json errorCode = nullptr;
    nlohmann::json more = nlohmann::json::object(); // columns after error_code
    bool errorColumns = true; // a plan's rows have none
};
nlohmann::json jsonRow(const JsonRow& row);

// A failed case's object: no dividers, clocks or hints.
nlohmann::json failedJson(const std::string& reference, const std::string& fsb,
                          const std::string& error, int code);

extern const std::vector<std::string> kCsvHeader;

} // namespace quenvale::cli::test
