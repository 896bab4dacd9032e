// Writes quenvale-calc's bash completion to the file named, at build time.
#include <cli/completion.h>

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_completion FILE\n";
        return 2;
    }
    std::ofstream file(argv[1], std::ios::binary);
    file << quenvale::cli::bashCompletion();
    file.close();
    if (!file) {
        std::cerr << "write_completion: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
