#include "calc_harness.h"

#include <cli/csv_reader.h>
#include <cli/text_output.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quenvale::cli::test {

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The environment without the variables that choose the messages' language,
// and with `locale` ("LANG=C", ...) instead.
std::vector<std::string> environmentWith(const std::vector<std::string>& locale) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        if (!text.starts_with("LANG=") && !text.starts_with("LC_ALL=") &&
            !text.starts_with("LC_MESSAGES=") && !text.starts_with("LANGUAGE=")) {
            variables.push_back(text);
        }
    }
    variables.insert(variables.end(), locale.begin(), locale.end());
    return variables;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

Outcome runCalc(const std::vector<std::string>& args, const std::string& input,
                const std::string& outputTo, const std::vector<std::string>& locale,
                InputFrom inputFrom) {
    std::string dir = testing::TempDir() + "quenvale-calc-XXXXXX";
    if (mkdtemp(dir.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
        return {};
    }
    const std::string in = dir + "/in";
    const std::string out = outputTo.empty() ? dir + "/out" : outputTo;
    const std::string err = dir + "/err";
    std::ofstream(in, std::ios::binary) << input;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    switch (inputFrom) {
    case InputFrom::Text:
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        break;
    case InputFrom::Closed:
        posix_spawn_file_actions_addclose(&actions, 0);
        break;
    case InputFrom::Directory:
        posix_spawn_file_actions_addopen(&actions, 0, dir.c_str(), O_RDONLY | O_DIRECTORY, 0);
        break;
    }
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    std::vector<std::string> argv{QUENVALE_CALC};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers = pointersTo(argv);
    std::vector<std::string> environment = environmentWith(locale);
    std::vector<char*> environmentPointers = pointersTo(environment);

    Outcome outcome;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, QUENVALE_CALC, &actions, nullptr, pointers.data(),
                                    environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << QUENVALE_CALC;
        return outcome;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (outputTo.empty()) {
        outcome.out = readFile(out);
        std::remove(out.c_str());
    }
    outcome.err = readFile(err);
    std::remove(in.c_str());
    std::remove(err.c_str());
    rmdir(dir.c_str());
    return outcome;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::size_t widestLine(const std::string& text) {
    std::size_t widest = 0;
    for (const std::string& line : linesOf(text)) {
        widest = std::max(widest, displayWidth(line));
    }
    return widest;
}

void PrintTo(const ConventionCase& c, std::ostream* out) {
    *out << c.name;
}

TEST_P(calc_conventions, hold) {
    const ConventionCase& c = GetParam();
    const Outcome outcome = runCalc(c.args, c.input, {}, c.locale);
    EXPECT_EQ(outcome.status, c.status) << outcome.err;
    EXPECT_EQ(outcome.out.substr(0, c.outStart.size()), c.outStart) << outcome.out;
    EXPECT_EQ(outcome.err.substr(0, c.errStart.size()), c.errStart) << outcome.err;
    if (!c.json.is_null()) {
        EXPECT_EQ(nlohmann::json::parse(outcome.out), c.json) << outcome.out;
    }
    if (!c.csv.empty()) {
        std::istringstream text(outcome.out);
        CsvReader reader(text);
        std::vector<std::vector<std::string>> records;
        while (const auto record = reader.next()) {
            EXPECT_TRUE(record->wellFormed);
            records.push_back(record->fields);
        }
        EXPECT_EQ(records, c.csv);
        // One line a record: no message breaks a line.
        EXPECT_EQ(linesOf(outcome.out).size(), c.csv.size()) << outcome.out;
    }
    EXPECT_NE(outcome.out.find(c.outHas), std::string::npos) << outcome.out;
}

nlohmann::json jsonRow(const JsonRow& row) {
    nlohmann::json object{{"reference", row.reference},
                          {"fsb", row.fsb},
                          {"pci_divider", row.pciDivider},
                          {"agp_divider", row.agpDivider},
                          {"cpu_mhz", row.cpu},
                          {"pci_mhz", row.pci},
                          {"agp_mhz", row.agp},
                          {"pci_hint", row.pciHint},
                          {"agp_hint", row.agpHint},
                          {"error", row.error},
                          {"error_code", row.errorCode}};
    if (!row.errorColumns) {
        object.erase("error");
        object.erase("error_code");
    }
    object.update(row.more);
    return object;
}

nlohmann::json failedJson(const std::string& reference, const std::string& fsb,
                          const std::string& error, int code) {
    return jsonRow({.reference = reference, .fsb = fsb, .error = error, .errorCode = code});
}

const std::vector<std::string> kCsvHeader{"reference", "fsb",     "pci_divider", "agp_divider",
                                          "cpu_mhz",   "pci_mhz", "agp_mhz",     "pci_hint",
                                          "agp_hint",  "error",   "error_code"};

} // namespace quenvale::cli::test
