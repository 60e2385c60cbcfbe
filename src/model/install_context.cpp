#include "model/install_context.hpp"

#include <stdexcept>

namespace parcelkit::model {

record::RecordWriter& uninstallRecord(InstallContext& context) {
    if (!context.uninstallini) {
        throw std::logic_error("the uninstall record is written before it was created");
    }
    return *context.uninstallini;
}

void flushRecord(InstallContext& context) {
    if (context.uninstallini) {
        context.uninstallini->flush();
    }
}

std::wstring uninstallRecordPath(const model::Session& session) {
    return session.dirs.setupdir + L"\\uninstall.ini";
}

} // namespace parcelkit::model
