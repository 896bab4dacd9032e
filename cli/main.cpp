#include <cli/calc_commands.h>
#include <runtime/language.h>

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return quenvale::cli::runCalc(args, std::cin, std::cout, std::cerr,
                                  quenvale::environmentLanguage());
}
