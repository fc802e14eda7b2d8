# Writes a C++ source that registers the bytes of INPUT as the program's RCDATA resource RESOURCE_ID.
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.
#include \"platform/posix/OwnResourceTable.h\"

namespace {
const unsigned char kBytes[] = {${bytes}};
const platform::posix::OwnResourceRegistration kRegistration(${RESOURCE_ID}, kBytes, sizeof kBytes);
} // namespace
")
