#pragma once

#include "model/copied_sizes.hpp"
#include "model/install_view.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/platform.hpp"
#include "record/record_writer.hpp"

#include <memory>

namespace parcelkit::model {

// What the steps of one installation run share. Built by the wizard for the run; later
// steps find here everything that the session, the scripts and the machine provide.
struct InstallContext {
    platform::Platform& platform;
    model::Session& session;
    const platform::ProfileFile& setupini;
    const model::MessageTexts& texts;
    InstallView& view;
    // Open from the first directory creation of the run (the installation directory) on.
    std::unique_ptr<record::RecordWriter> uninstallini;
    CopiedSizes copiedSizes = {};
};

// The uninstall record; a step that writes it before the record exists is a fault of the
// run's order, reported as std::logic_error.
record::RecordWriter& uninstallRecord(InstallContext& context);

// Puts the record's new entries on the disk. Every step that changes the machine calls it
// first, after writing the entries that undo the step: nothing changes before the record
// that undoes it is on the disk. Nothing to do before the record exists.
void flushRecord(InstallContext& context);

// Where the record lives: uninstall.ini in the installation directory.
std::wstring uninstallRecordPath(const model::Session& session);

} // namespace parcelkit::model
