#include "presenters/layout.hpp"

#include <array>
#include <stdexcept>

namespace parcelkit::presenters {

namespace {

constexpr int id(WizardControl c) {
    return static_cast<int>(c);
}
constexpr int id(DialogControl c) {
    return static_cast<int>(c);
}
constexpr int id(UninstallerControl c) {
    return static_cast<int>(c);
}

constexpr Form W = Form::Wizard;
constexpr Form D = Form::LanguageDialog;
constexpr Form U = Form::Uninstaller;
using K = ControlKind;
using C = WizardControl;
using DC = DialogControl;
using UC = UninstallerControl;

constexpr std::array kForms{
    FormLayout{W, 449, 347, L"", DesignFont{L"Tahoma", 9, 0, kAnsiCharset, false}},
    FormLayout{D, 201, 120, L"安装语言", DesignFont{L"宋体", 9, 0, kGb2312Charset, false}},
    // Its font comes with its texts, from the uninstall record.
    FormLayout{U, 480, 458, L"", DesignFont{}},
};

// clang-format off
constexpr std::array kControls{
    //            form id                       name                kind              left top  width height parent              design text             auto   hidden default cancel
    ControlLayout{W,   id(C::Shape1),           L"Shape1",          K::Rectangle,     0,   0,   449,  57,    L"",                L"",                    false, false, false,  false},
    ControlLayout{W,   id(C::Image1),           L"Image1",          K::Picture,       392, 5,   48,   48,    L"",                L"",                    false, false, false,  false},
    ControlLayout{W,   id(C::Label2),           L"Label2",          K::Label,         8,   8,   0,    0,     L"",                L"",                    true,  false, false,  false},
    ControlLayout{W,   id(C::Label3),           L"Label3",          K::Label,         24,  32,  0,    0,     L"",                L"",                    true,  false, false,  false},
    ControlLayout{W,   id(C::Label4),           L"Label4",          K::Label,         40,  80,  0,    0,     L"",                L"",                    true,  false, false,  false},
    ControlLayout{W,   id(C::Label5),           L"Label5",          K::Label,         40,  128, 0,    0,     L"",                L"",                    true,  false, false,  false},
    ControlLayout{W,   id(C::Label6),           L"Label6",          K::Label,         8,   216, 0,    0,     L"",                L"",                    true,  false, false,  false},
    ControlLayout{W,   id(C::Label7),           L"Label7",          K::Label,         8,   238, 0,    0,     L"",                L"",                    true,  false, false,  false},
    ControlLayout{W,   id(C::RichEdit1),        L"RichEdit1",       K::RichText,      8,   64,  433,  229,   L"",                L"",                    false, false, false,  false},
    ControlLayout{W,   id(C::GroupBox1),        L"GroupBox1",       K::GroupBox,      8,   244, 433,  49,    L"",                L"路径",                false, false, false,  false},
    ControlLayout{W,   id(C::Edit1),            L"Edit1",           K::Edit,          8,   16,  336,  22,    L"GroupBox1",       L"",                    false, false, false,  false},
    ControlLayout{W,   id(C::Button_dir),       L"Button_dir",      K::Button,        350, 16,  75,   25,    L"GroupBox1",       L"浏览(&B)...",         false, false, false,  false},
    ControlLayout{W,   id(C::Treeview1),        L"Treeview1",       K::TreeView,      8,   63,  241,  207,   L"",                L"",                    false, false, false,  false},
    ControlLayout{W,   id(C::Memo1),            L"Memo1",           K::Memo,          256, 64,  185,  229,   L"",                L"",                    false, false, false,  false},
    ControlLayout{W,   id(C::CheckBox1),        L"CheckBox1",       K::CheckBox,      6,   278, 177,  17,    L"",                L"不警告已安装项目",    false, true,  false,  false},
    ControlLayout{W,   id(C::ProgressBar1),     L"ProgressBar1",    K::ProgressBar,   8,   276, 433,  17,    L"",                L"",                    false, false, false,  false},
    ControlLayout{W,   id(C::Label_Branding),   L"Label_Branding",  K::Label,         6,   299, 0,    0,     L"",                L"",                    true,  false, false,  false},
    ControlLayout{W,   id(C::Bevel1),           L"Bevel1",          K::Bevel,         70,  306, 369,  2,     L"",                L"",                    false, false, false,  false},
    ControlLayout{W,   id(C::Button2),          L"Button2",         K::Button,        166, 314, 75,   25,    L"",                L"上一步(&P)",          false, false, false,  false},
    ControlLayout{W,   id(C::Button1),          L"Button1",         K::Button,        262, 314, 75,   25,    L"",                L"下一步(&N)",          false, false, true,   false},
    ControlLayout{W,   id(C::Button_exit),      L"Button_exit",     K::Button,        358, 314, 75,   25,    L"",                L"退出(&X)",            false, false, false,  true},
    ControlLayout{D,   id(DC::Label1),          L"Label1",          K::Label,         16,  16,  169,  33,    L"",                L"请选择安装界面语言:", false, false, false,  false},
    ControlLayout{D,   id(DC::list1),           L"list1",           K::DropDownList,  16,  56,  169,  20,    L"",                L"",                    false, false, false,  false},
    ControlLayout{D,   id(DC::Button1),         L"Button1",         K::Button,        16,  88,  75,   25,    L"",                L"确定(&O)",            false, false, true,   false},
    ControlLayout{D,   id(DC::Button2),         L"Button2",         K::Button,        118, 87,  75,   25,    L"",                L"取消(&C)",            false, false, false,  true},
    ControlLayout{U,   id(UC::ClosePrograms),   L"ClosePrograms",   K::PrefixedLabel, 12,  12,  456,  20,    L"",                L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::DirectoryLabel),  L"DirectoryLabel",  K::PrefixedLabel, 12,  40,  456,  18,    L"",                L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::Directory),       L"Directory",       K::ReadOnlyField, 12,  60,  456,  22,    L"",                L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::ChooseHint),      L"ChooseHint",      K::PrefixedLabel, 12,  100, 144,  80,    L"",                L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::ComponentsGroup), L"ComponentsGroup", K::GroupBox,      164, 92,  304,  194,   L"",                L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::Components),      L"Components",      K::CheckList,     12,  20,  280,  140,   L"ComponentsGroup", L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::SelectAll),       L"SelectAll",       K::CheckBox,      12,  164, 280,  22,    L"ComponentsGroup", L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::DeleteRegistry),  L"DeleteRegistry",  K::CheckBox,      12,  294, 456,  22,    L"",                L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::Progress),        L"Progress",        K::FramedMemo,    12,  322, 456,  64,    L"",                L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::RestartHint),     L"RestartHint",     K::PrefixedLabel, 12,  394, 270,  20,    L"",                L"",                    false, false, false,  false},
    ControlLayout{U,   id(UC::Uninstall),       L"Uninstall",       K::Button,        290, 420, 86,   26,    L"",                L"",                    false, false, true,   false},
    ControlLayout{U,   id(UC::Cancel),          L"Cancel",          K::Button,        382, 420, 86,   26,    L"",                L"",                    false, false, false,  true},
};
// clang-format on

const ControlLayout& find(Form form, int controlId) {
    for (const auto& control : kControls) {
        if (control.form == form && control.id == controlId) {
            return control;
        }
    }
    throw std::logic_error("control missing from the layout table");
}

} // namespace

std::span<const FormLayout> formLayouts() {
    return kForms;
}

std::span<const ControlLayout> controlLayouts() {
    return kControls;
}

const FormLayout& layoutOf(Form form) {
    for (const auto& layout : kForms) {
        if (layout.form == form) {
            return layout;
        }
    }
    throw std::logic_error("form missing from the layout table");
}

const ControlLayout& layoutOf(WizardControl control) {
    return find(Form::Wizard, id(control));
}

const ControlLayout& layoutOf(DialogControl control) {
    return find(Form::LanguageDialog, id(control));
}

const ControlLayout& layoutOf(UninstallerControl control) {
    return find(Form::Uninstaller, id(control));
}

std::optional<int> controlOfCommand(Form form, int commandId) {
    for (const auto& control : kControls) {
        if (control.form == form && commandIdOf(control.id) == commandId) {
            return control.id;
        }
    }
    return std::nullopt;
}

} // namespace parcelkit::presenters
