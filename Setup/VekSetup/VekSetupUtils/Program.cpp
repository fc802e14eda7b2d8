#include "VekSetupUtils/Program.h"

#include "VekSetupUtils/LastChanceReport.h"
#include "VekSetupUtils/Options.h"
#include "VekSetupUtils/SetupDriver.h"
#include "platform/Exceptions.h"
#include "platform/Machine.h"

#include <iostream>

namespace veksetup {

int RunVekSetup(const CommandLineArgs& args) {
    try {
        RunSetup(ReadOptions(args));
        return kExitSuccess;
    } catch (const platform::EAbort&) {
        return kExitSuccess;
    } catch (const platform::Exception& error) {
        ShowLastChanceReport(error.ClassName(), error.Message());
    } catch (const platform::MachineError&) {
        throw;
    } catch (const std::exception& error) {
        ShowLastChanceReport("Exception", error.what());
    }
    return kExitUnhandledException;
}

int RunProgram(const CommandLineArgs& args) {
    try {
        platform::Machine machine = platform::Machine::OpenDefault();
        const int exitCode = RunVekSetup(args);
        machine.Commit();
        return exitCode;
    } catch (const platform::MachineError& error) {
        std::cerr << "VekSetup: " << error.what() << '\n';
        return kExitMachineError;
    }
}

} // namespace veksetup
