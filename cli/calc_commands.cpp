#include <cli/calc_commands.h>
#include <cli/calc_modes.h>
#include <cli/calc_options.h>
#include <runtime/catalogue.h>

#include <istream>
#include <ostream>
#include <variant>

namespace quenvale::cli {

namespace {

constexpr std::string_view kVersion = "quenvale-calc " QUENVALE_VERSION;

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

int runCalc(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
            std::ostream& err, Language environment) {
    const Language language = commandLanguage(args, environment);
    Command command;
    try {
        command = parseCommandLine(args, language);
    } catch (const UsageError& error) {
        err << "quenvale-calc: " << error.what() << '\n' << usageText(language);
        return 2;
    }
    const int status = std::visit(
        Overloaded{
            [&](const HelpArgs&) {
                out << helpText(language);
                return 0;
            },
            [&](const VersionArgs&) {
                out << kVersion << '\n';
                return 0;
            },
            [&](const SingleArgs& single) { return runSingle(single, out, err, language); },
            [&](const BatchArgs& batch) { return runBatch(batch, in, out, language); },
            [&](const TableArgs& table) { return runTable(table, out, language); },
            [&](const CrystalForArgs& crystal) {
                return runCrystalFor(crystal, out, err, language);
            },
            [&](const PlanArgs& plan) { return runPlan(plan, out, err, language); },
        },
        command);
    // A full disk or a closed pipe must not pass for success.
    out.flush();
    if (!out) {
        err << "quenvale-calc: " << tr(language, "出力を書き込めませんでした。") << '\n';
        return 1;
    }
    return status;
}

} // namespace quenvale::cli
