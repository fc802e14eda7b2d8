#pragma once
// The program's run from its arguments to its exit code, on the machine the caller holds open.

#include "VekSetupUtils/CommandLine.h"

namespace veksetup {

inline constexpr int kExitSuccess = 0;
// An exception escaped the parse: it was shown in the last-chance report.
inline constexpr int kExitUnhandledException = 1;
// The machine itself could not be used (a locked prefix, a running Wine server, a broken hive).
inline constexpr int kExitMachineError = 2;

// Parses the arguments and runs the setup driver. The silent abort ends the run quietly with 0; any
// other exception gets the last-chance report and 1. Errors of the machine (MachineError) pass.
int RunVekSetup(const CommandLineArgs& args);

// The whole program: opens the default machine, runs, and commits the machine's changes. A machine
// error is printed on standard error and gives 2.
int RunProgram(const CommandLineArgs& args);

} // namespace veksetup
