#pragma once

#include "model/install_context.hpp"

namespace parcelkit::engine {

// Starts the uninstall record of a run: creates the installation directory and
// uninstall.ini (opened in the context from then on), writes the record's general
// sections ([main], the setup script's [uninstall_run], the uninstaller's [language]
// texts), and copies uninstall.exe and the readme from the setup folder into the
// installation directory. Copies whose source is missing, or that fail, are passed over.
// Throws base::Error when a write to the record is refused.
void createun(model::InstallContext& context);

} // namespace parcelkit::engine
