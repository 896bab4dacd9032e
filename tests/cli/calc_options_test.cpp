#include <cli/calc_help.h>
#include <cli/option_table.h>

#include <gtest/gtest.h>

#include <string>

namespace quenvale::cli {
namespace {

// An option added to the table but left out of the usage or the help (or
// described in one language only) is found here, not by a user.
TEST(calc_options, every_option_is_in_the_usage_and_the_help_in_both_languages) {
    for (const Language language : {Language::Japanese, Language::English}) {
        const std::string usage = usageText(language);
        const std::string help = helpText(language);
        for (const OptionSpec& option : kOptions) {
            EXPECT_NE(usage.find(option.name), std::string::npos) << option.name;
            // The help begins with the usage: look past it.
            EXPECT_NE(help.find(option.name, usage.size()), std::string::npos) << option.name;
            if (!option.shortName.empty()) {
                EXPECT_NE(usage.find(option.shortName), std::string::npos) << option.shortName;
                EXPECT_NE(help.find(option.shortName, usage.size()), std::string::npos)
                    << option.shortName;
            }
            // Text of its own in both languages, unless another entry tells it.
            const bool toldElsewhere =
                option.place == HelpPlace::SharesEntry || option.place == HelpPlace::InAnother;
            EXPECT_EQ(!option.help.has_value(), toldElsewhere) << option.name;
        }
    }
}

} // namespace
} // namespace quenvale::cli
