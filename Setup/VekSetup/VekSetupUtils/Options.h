#pragma once
// The parse of the command line into the run's context: run options, IDE list, system directory.

#include "VekSetupUtils/CommandLine.h"
#include "VekSetupUtils/RunOptions.h"
#include "VekSetupUtils/SetupContext.h"

namespace veksetup {

// The platforms of -P: Win32, Win64, OSX32, iOS, Android and Net (ASCII case ignored); All for all six.
PlatformSet ReadPlatforms(const CommandLineArgs& args);
// The platforms of -G: Win32, Win64 and Net only.
PlatformSet ReadControlsPlatforms(const CommandLineArgs& args);

// The options after the IDE lists: product texts, directory, switches and platform sets. A missing
// -N, -FN or -PATH, and -INDY or -MW without the package or expert name they need, raise an
// Exception naming the option, so that no step ever runs on a half-read command line.
RunOptions ReadRunOptions(const CommandLineArgs& args);

// The whole parse. Without -CN or -CV (or with "N/A" for either) the context stays empty and there
// is nothing to set up. Otherwise builds the IDE list, testing that every IDE is installed (a missing
// one shows its warning and raises EAbort), then reads the run options and the system directory.
SetupContext ReadOptions(const CommandLineArgs& args);

} // namespace veksetup
