#include <cli/calc_commands.h>
#include <cli/calc_help.h>
#include <cli/calc_modes.h>
#include <cli/calc_options.h>
#include <cli/messages.h>
#include <runtime/catalogue.h>

#include <istream>
#include <ostream>
#include <variant>

namespace quenvale::cli {

namespace {

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
        // As GNU tools do: the fault, and where to read more; the whole
        // usage would push the fault itself out of view.
        err << programMessage(error.what())
            << tr(language, "詳しくは '{program} --help' を実行してください。",
                  {{"program", kProgramName}})
            << '\n';
        return 2;
    }
    const int status = std::visit(
        Overloaded{
            [&](const HelpArgs&) {
                out << helpText(language);
                return 0;
            },
            [&](const VersionArgs&) {
                out << kProgramName << " " QUENVALE_VERSION "\n";
                return 0;
            },
            [&](const SingleArgs& single) { return runSingle(single, out, err, language); },
            [&](const BatchArgs& batch) { return runBatch(batch, in, out, err, language); },
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
        err << programMessage(tr(language, "出力を書き込めませんでした。"));
        return 1;
    }
    return status;
}

} // namespace quenvale::cli
