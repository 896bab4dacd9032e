#include <cli/messages.h>

namespace quenvale::cli {

std::string programMessage(std::string_view message) {
    std::string line(kProgramName);
    line += ": ";
    line += message;
    line += '\n';
    return line;
}

} // namespace quenvale::cli
