// Program entry: the arguments as the platform splits them, the run, and its exit code.

#include "VekSetupUtils/Program.h"
#include "platform/SystemInfo.h"

int main(int argc, char** argv) {
    return veksetup::RunProgram(platform::CommandLineArguments(argc, argv));
}
