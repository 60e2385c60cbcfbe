#include "components/component_page.hpp"

#include "base/escapes.hpp"
#include "base/text.hpp"
#include "components/description_panel.hpp"
#include "components/detection.hpp"
#include "components/warning_question.hpp"
#include "model/language.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/platform.hpp"

namespace parcelkit::components {

ComponentPage::ComponentPage(ComponentTreeView& view, const model::Session& session,
                             const model::LanguageSource& language, platform::Platform& platform,
                             const platform::Collation& collation)
    : view_(view), session_(session), language_(language), platform_(platform),
      collation_(collation) {}

std::wstring ComponentPage::componentFile(std::size_t node) const {
    return components_.at(node).dir + L"\\" + session_.ininame;
}

bool ComponentPage::installed(std::size_t node) const {
    const std::size_t first = tree_.firstWithTitle(node);
    return first < components_.size() && components_[first].installed;
}

void ComponentPage::detect() {
    const std::wstring& lang = language_.langsection;
    for (std::size_t i = 0; i < tree_.count(); ++i) {
        const auto file = platform_.profiles.open(componentFile(i));
        const DetectionEntry entry = readDetection(*file, lang);
        // Both tests run; either is enough.
        const bool byRegistry = installedByRegistry(entry, platform_.registry);
        const bool byFile = installedByFile(entry, session_.dirs, platform_.files);
        if (byRegistry || byFile) {
            components_.at(i).installed = true;
        }
        if (components_.at(i).installed) {
            setState(i, CheckState::Unchecked);
        }
    }
    showAll();
}

void ComponentPage::setState(std::size_t node, CheckState state) {
    setCheckState(tree_, node, state, *this);
}

void ComponentPage::choose(std::size_t node, CheckState state) {
    choosing_ = true;
    setState(node, state);
    choosing_ = false;
}

void ComponentPage::setAllStates(CheckState state) {
    for (std::size_t i = 0; i < tree_.count(); ++i) {
        tree_.putState(i, state);
    }
    showAll();
}

void ComponentPage::expand(std::size_t node) {
    tree_.expand(node);
    view_.showNode(node, Treeview1CustomDrawItem(node));
}

void ComponentPage::expandAll() {
    tree_.expandAll();
    showAll();
}

void ComponentPage::toggle(std::size_t node) {
    toggleCheckState(tree_, node, *this);
}

void ComponentPage::Treeview1MouseDown(MouseButton button) {
    if (button != MouseButton::Right) {
        return;
    }
    uncheckAll(tree_);
    showAll();
}

void ComponentPage::Treeview1Change(std::size_t node) {
    if (node >= tree_.count()) {
        ReadContent(std::nullopt);
        return;
    }
    ReadContent(tree_.firstWithTitle(node));
}

void ComponentPage::Treeview1MouseMove(std::optional<std::size_t> node) {
    if (!node || *node >= tree_.count()) {
        showHint(language_.texts());
        return;
    }
    ReadContent(tree_.firstWithTitle(*node));
}

NodeLook ComponentPage::Treeview1CustomDrawItem(std::size_t node) const {
    NodeLook look;
    look.box = tree_.state(node);
    look.expanded = tree_.node(node).expanded;
    if (look.box == CheckState::Mandatory) {
        look.bold = true;
        look.colour = TextColour::Grey;
    }
    if (installed(node)) {
        look.colour = TextColour::Red;
    }
    return look;
}

void ComponentPage::repaint() {
    settleUnset(tree_);
    showAll();
}

void ComponentPage::ReadContent(std::optional<std::size_t> node) {
    const model::MessageTexts texts = language_.texts();
    if (!node || *node >= tree_.count()) {
        showHint(texts);
    } else {
        const auto file = platform_.profiles.open(componentFile(*node));
        // The whole text decides whether the panel changes, so that moving the pointer
        // over the same component does not redraw it, while a component without a
        // description of its own never keeps showing another one's.
        const std::wstring text = componentDescription(*file, texts);
        if (view_.description() != text) {
            view_.setDescription(text);
        }
    }
    view_.scrollDescriptionPageUp();
}

void ComponentPage::showHint(const model::MessageTexts& texts) {
    const std::wstring hint = pageHint(texts);
    if (view_.description() != hint) {
        view_.setDescription(hint);
    }
}

bool ComponentPage::Treeview1StateChanging(std::size_t node, CheckState next) {
    // Only once the tree is complete: during the build no component is installed anyway.
    if (choosing_ || components_.size() != tree_.count() || next != CheckState::Checked ||
        !installed(node) || view_.installedWarningOff()) {
        return true;
    }
    const model::MessageTexts texts = language_.texts();
    return askWarning(platform_.boxes,
                      texts.text(model::msg::InstalledWarning1) + L"\r" +
                          texts.text(model::msg::InstalledWarning2),
                      texts.text(model::msg::NoticeCaption), platform::BoxButtons::YesNoDefaultNo);
}

void ComponentPage::Treeview1StateChange(std::size_t node, CheckState state) {
    view_.showNode(node, Treeview1CustomDrawItem(node));
    // The exclusion list is complete only after the build, so initial states exclude
    // nothing.
    if (built_ && state == CheckState::Checked) {
        excludeOthers(node);
    }
}

void ComponentPage::excludeOthers(std::size_t node) {
    // A component unchecks the ones its own mutex names; components with equal titles all
    // take part.
    for (const std::size_t same : tree_.allWithTitle(node)) {
        std::vector<std::wstring> names;
        base::extstring(L",", components_.at(same).mutex, names);
        for (const auto& name : names) {
            for (std::size_t other = 0; other < components_.size(); ++other) {
                if (base::equalsIgnoreCase(components_[other].name, name)) {
                    setState(other, CheckState::Unchecked);
                    break;
                }
            }
        }
    }
}

void ComponentPage::showAll() {
    for (std::size_t i = 0; i < tree_.count(); ++i) {
        view_.showNode(i, Treeview1CustomDrawItem(i));
    }
}

} // namespace parcelkit::components
