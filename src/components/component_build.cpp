// Building the component page's tree from the component folders.
#include "base/text.hpp"
#include "components/component_page.hpp"
#include "components/component_scan.hpp"
#include "model/language.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/platform.hpp"
#include "script/script_file.hpp"
#include "script/section_variants.hpp"

namespace parcelkit::components {

bool ComponentPage::readlist() {
    tree_.clear();
    components_.clear();
    built_ = false;
    view_.showTree(tree_);

    auto roots = scanComponents(session_.dirs.currentdir, {session_.ininame, session_.ostype},
                                platform_.files, platform_.profiles);
    if (roots.empty()) {
        const model::MessageTexts texts = language_.texts();
        platform_.boxes.show(texts.text(model::msg::NothingToInstall),
                             texts.text(model::msg::ErrorCaption), platform::BoxIcon::Error,
                             platform::BoxButtons::Ok);
        return false;
    }
    sortBranches(roots, collation_);
    tree_.assign(roots);
    // Every component counts as not installed until detection says otherwise.
    for (std::size_t i = 0; i < tree_.count(); ++i) {
        components_.push_back({tree_.text(i), false, L"", L""});
    }

    readTitles();
    view_.showTree(tree_);
    readInitialStates();
    built_ = true;
    if (session_.setupini && session_.setupini->readString(L"main", L"expanded", L"0") == L"1") {
        tree_.expandAll();
    }
    showAll();
    return true;
}

void ComponentPage::readTitles() {
    const std::wstring& lang = language_.langsection;
    for (std::size_t i = 0; i < tree_.count(); ++i) {
        const auto file = platform_.profiles.open(componentFile(i));
        std::wstring title;
        if (script::languageInUse(lang) && script::sectionExists(*file, lang)) {
            title = file->readString(lang, L"title", L"");
        }
        if (title.empty()) {
            title = file->readString(L"main", L"title", L"");
        }
        tree_.setText(i, std::move(title));
    }
}

void ComponentPage::readInitialStates() {
    // Parents come first, so a parent's state cascades to its children before each
    // child's own value overrides it. The exclusion list is still short of the tree
    // meanwhile, so no initial state unchecks another component.
    for (std::size_t i = 0; i < tree_.count(); ++i) {
        const auto file = platform_.profiles.open(componentFile(i));
        const std::wstring checked = file->readString(L"main", L"checked", L"0");
        if (checked == L"1") {
            setState(i, CheckState::Checked);
        } else if (checked == L"0") {
            setState(i, CheckState::Unchecked);
        } else if (checked == L"2") {
            setState(i, CheckState::Checked);
            tree_.putState(i, CheckState::Mandatory);
        }
        components_[i].mutex = base::asciiUpper(file->readString(L"main", L"mutex", L""));
        components_[i].name = base::asciiUpper(file->readString(L"main", L"name", L""));
        if (file->readString(L"main", L"expanded", L"0") == L"1") {
            tree_.expand(i);
        }
    }
}

} // namespace parcelkit::components
