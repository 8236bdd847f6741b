// A second writer of an INI file for the end-to-end tests, through the program's own profile
// layer: iniwrite FILE SECTION KEY=VALUE... writes the entries as one replacement of the file.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/Profile.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: iniwrite FILE SECTION KEY=VALUE...\n");
        return 2;
    }
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t eq = arg.find('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "iniwrite: %s is not KEY=VALUE\n", argv[i]);
            return 2;
        }
        entries.emplace_back(arg.substr(0, eq), arg.substr(eq + 1));
    }
    const huebird::WriteResult r = huebird::Profile(argv[1]).WriteStrings(argv[2], entries);
    if (!r) {
        std::fprintf(stderr, "iniwrite: %s\n", r.message.c_str());
        return 1;
    }
    return 0;
}
