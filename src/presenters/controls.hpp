#pragma once

namespace parcelkit::presenters {

// The wizard's controls, named as the windows name them.
enum class WizardControl {
    Shape1,         // white header band
    Image1,         // header picture
    Label2,         // page title
    Label3,         // page subtitle
    Label4,         // first information line
    Label5,         // second information line
    Label6,         // progress line: what is being done
    Label7,         // progress line: on which item
    RichEdit1,      // readme
    GroupBox1,      // destination frame
    Edit1,          // destination directory, inside GroupBox1
    Button_dir,     // browse, inside GroupBox1
    Treeview1,      // component tree
    Memo1,          // component information
    CheckBox1,      // switches off the installed-component warning
    ProgressBar1,   // installation progress
    Label_Branding, // branding text
    Bevel1,         // separator right of the branding text
    Button2,        // Back
    Button1,        // Next / Install / Upgrade
    Button_exit,    // Exit / Finish
};

// The language dialog's controls.
enum class DialogControl {
    Label1,  // prompt
    list1,   // language names
    Button1, // OK
    Button2, // Cancel
};

// The uninstaller's controls.
enum class UninstallerControl {
    ClosePrograms,   // advice to close running programs
    DirectoryLabel,  // caption of Directory
    Directory,       // the installation directory
    ChooseHint,      // how to choose components
    ComponentsGroup, // frame around Components and SelectAll
    Components,      // one check box per installed component, inside ComponentsGroup
    SelectAll,       // checks or clears every component, inside ComponentsGroup
    DeleteRegistry,  // also removes the registry entries
    Progress,        // what is being removed, then the outcome
    RestartHint,     // a restart may be needed
    Uninstall,       // starts the removal
    Cancel,          // Cancel before the removal, Finish after it
};

} // namespace parcelkit::presenters
