#include "engine/install.hpp"

#include "base/error.hpp"
#include "base/paths.hpp"
#include "components/component_page.hpp"
#include "components/component_tree.hpp"
#include "engine/install_component.hpp"
#include "engine/record_start.hpp"
#include "engine/system_steps.hpp"
#include "launch/run_programs.hpp"
#include "model/install_steps.hpp"
#include "script/script_file.hpp"
#include "script/section_variants.hpp"

namespace parcelkit::engine {

namespace {

// The setup script's own programs of one phase: its "setup_run" section, then the one of
// the language in use.
void runScriptPrograms(model::InstallContext& context, const wchar_t* phase) {
    const auto sections = script::sectionVariants(
        script::EntryKind::Programs, context.session.ostype, context.texts.langsection());
    for (const auto& section : sections) {
        if (launch::runprg(script::readListSection(context.setupini, section), phase,
                           context.platform, context.session.dirs) > 0) {
            context.copiedSizes.forget();
        }
    }
}

ComponentRef componentAt(const ChosenComponents& components, std::size_t node) {
    const components::Component& component = components.components.at(node);
    return {components.tree.text(node), component.name, component.dir};
}

} // namespace

void Install(model::InstallContext& context, const ChosenComponents& components, SystemSteps& steps,
             const model::StopRequest& stop) {
    const std::wstring& setupdir = context.session.dirs.setupdir;
    if (!base::isFullPath(setupdir)) {
        throw base::Error(L"Cannot install into", L"\"" + setupdir + L"\"",
                          L"The installation directory must be a full path.");
    }
    runScriptPrograms(context, L"before");
    engine::createun(context);

    std::vector<std::wstring> afterlist;
    for (std::size_t node = 0; node < components.tree.count(); ++node) {
        if (!components.tree.chosenForInstall(node)) {
            continue;
        }
        if (!installComponent(context, componentAt(components, node), steps, stop, afterlist) ||
            stop.requested()) {
            return;
        }
    }

    context.platform.log.setComponent({});
    model::flushRecord(context);
    if (launch::runprg(afterlist, L"after", context.platform, context.session.dirs) > 0) {
        context.copiedSizes.forget();
    }
    runScriptPrograms(context, L"after");
    steps.uninstall(context);
    model::flushRecord(context);
}

} // namespace parcelkit::engine
