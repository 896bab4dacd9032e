#include <cli/calc_modes.h>

#include <gtest/gtest.h>

#include <ios>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

namespace quenvale::cli {
namespace {

// Gives its text, then fails as a file buffer does when read(2) fails.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }

private:
    std::string text_;
};

// Input that fails part way: the lines read before stand as whole rows in a
// closed document, the line the failure cut short is no case, and the run
// fails with the input named.
TEST(batch_input, a_read_failure_midway_keeps_whole_rows_and_fails) {
    const std::pair<Format, std::string> cases[] = {
        {Format::Csv, "reference,fsb,pci_divider,agp_divider,cpu_mhz,pci_mhz,agp_mhz,pci_hint,"
                      "agp_hint,error,error_code\n"
                      "15,100,1/3,2/3,104.7632,34.92108,69.84216,ok,ok,,\n"},
        {Format::Json, "[\n  {\"reference\": \"15\", \"fsb\": \"100\", \"pci_divider\": \"1/3\", "
                       "\"agp_divider\": \"2/3\", \"cpu_mhz\": 104.7632, \"pci_mhz\": 34.92108, "
                       "\"agp_mhz\": 69.84216, \"pci_hint\": \"ok\", \"agp_hint\": \"ok\", "
                       "\"error\": null, \"error_code\": null}\n]\n"},
    };
    for (const auto& [format, expected] : cases) {
        // The quoted field goes on past the line read last.
        for (const std::string input : {"15,100\n14.318,10", "15,100\n\"14.318\n"}) {
            FailingBuffer buffer(input);
            std::istream in(&buffer);
            std::ostringstream out;
            std::ostringstream err;
            EXPECT_EQ(runBatch({.format = format}, in, out, err, Language::English), 1);
            EXPECT_EQ(out.str(), expected);
            EXPECT_EQ(err.str(), "quenvale-calc: cannot read the standard input.\n");
        }
    }
}

} // namespace
} // namespace quenvale::cli
