// Fuzz target of the command-line parse after the IDE lists (the part that reads no registry).
// Input: the arguments, separated by NUL bytes. Beyond not crashing, a parse either fails with one of
// the program's own exceptions or gives options that keep the rules every later step relies on.

#include "VekSetupUtils/CommandLine.h"
#include "VekSetupUtils/Options.h"
#include "platform/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

veksetup::CommandLineArgs SplitArguments(const std::uint8_t* data, std::size_t size) {
    veksetup::CommandLineArgs args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    return args;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const veksetup::CommandLineArgs args = SplitArguments(data, size);
    for (const char* name : {"-N", "-PATH", "-P", "-CN"}) {
        const veksetup::ParamLookup lookup = veksetup::GetParam(args, name);
        Require(lookup.value.size() <= 9999);
        Require(lookup.found || lookup.value.empty());
    }
    Require(!veksetup::SplitBar(veksetup::GetParam(args, "-CV").value).empty());
    try {
        const veksetup::RunOptions options = veksetup::ReadRunOptions(args);
        // A finished parse always has a product directory that ends in "\".
        Require(!options.ProductDir.empty() && options.ProductDir.back() == '\\');
        Require(!options.ProductName.empty() && !options.ProductTitle.empty());
    } catch (const platform::Exception&) {
    }
    return 0;
}
