#pragma once
// The report of an exception that no step handled: a message box, then exit code 1.

#include <cstdint>
#include <string>

namespace veksetup {

// "Exception <class> in module <module> at <address>.\r\n<message>[.]\r\n": the address as eight
// upper-case hexadecimal digits, a full stop after the message unless it ends in one.
std::string FormatLastChanceReport(const std::string& className, const std::string& moduleName,
                                   std::uint32_t codeAddress, const std::string& message);

// The file name of a Windows path: the text after its last "\" (or "/").
std::string FileNameOf(const std::string& path);

// Shows the report for the exception, captioned "Application Error" with MB_ICONERROR and
// MB_TASKMODAL, naming the program's own file.
void ShowLastChanceReport(const std::string& className, const std::string& message);

} // namespace veksetup
