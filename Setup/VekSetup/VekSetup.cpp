// Program entry: the arguments as the platform splits them, the run, and its exit code: 0 after a
// run (driver failures are reported by the driver itself), 1 after the last-chance report of an
// exception that escaped the parse, 2 when the machine cannot be used (a locked prefix, a running
// Wine server, a broken hive), in which case nothing is changed.

#include "VekSetupUtils/Program.h"
#include "platform/SystemInfo.h"

int main(int argc, char** argv) { return veksetup::RunProgram(platform::CommandLineArguments(argc, argv)); }
