#include "KOSetupUtils/HelpContents.h"

namespace kosetup {

bool IsHelpIde(const std::string& name, std::int32_t version) {
    return (name == "Delphi" && version < 8) || (name == "CBuilder" && version >= 4 && version <= 6);
}

void UpdateHelpContents(const std::string& /*rootDir*/, const std::string& /*name*/, std::int32_t /*version*/,
                        const std::string& /*helpTitle*/, const std::string& /*helpFile*/,
                        const std::string& /*vclHelpFile*/, bool /*addIndex*/, bool /*addInclude*/) {}

} // namespace kosetup
