// vekreg: the scenario suite's registry tool for Wine prefixes.
//   vekreg import <prefix> <file.reg>   imports REGEDIT4 text as a 32-bit program would write it
//   vekreg dump <prefix> [HKLM|HKCU]    prints both hives, or one, canonically (HiveDump.h)
// Exit code 0 on success, 1 on a failure (printed on stderr), 2 on wrong usage.

#include "HiveDump.h"
#include "RegeditText.h"
#include "RegistryImport.h"
#include "platform/Machine.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

int Usage() {
    std::cerr << "usage: vekreg import <prefix> <file.reg>\n       vekreg dump <prefix> [HKLM|HKCU]\n";
    return 2;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int Import(const std::string& prefix, const std::string& regFile) {
    const auto edits = vekreg::ParseRegedit4(ReadFile(regFile));
    platform::Machine machine = platform::Machine::OpenPrefix(prefix);
    vekreg::ApplyEdits(edits);
    machine.Commit();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "import" && argc == 4)
            return Import(argv[2], argv[3]);
        if (command == "dump" && (argc == 3 || argc == 4)) {
            const std::string hive = argc == 4 ? argv[3] : "";
            if (hive != "" && hive != "HKLM" && hive != "HKCU")
                return Usage();
            const auto selection = hive == "HKLM"   ? vekreg::HiveSelection::LocalMachine
                                   : hive == "HKCU" ? vekreg::HiveSelection::CurrentUser
                                                    : vekreg::HiveSelection::Both;
            vekreg::DumpHives(argv[2], selection, std::cout);
            return 0;
        }
    } catch (const std::exception& error) {
        std::cerr << "vekreg " << command << ": " << error.what() << '\n';
        return 1;
    }
    return Usage();
}
