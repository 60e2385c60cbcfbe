#pragma once

#include <string>

namespace parcelkit::platform {
class ProfileFile;
}

namespace parcelkit::model {
class MessageTexts;
}

namespace parcelkit::components {

// The description panel of a component: its description, packager, date and version,
// each under its label, and the note on grey bold items. Each value comes from the
// language section when it is not empty there, else from [main]; values are unescaped.
std::wstring componentDescription(const platform::ProfileFile& componentFile,
                                  const model::MessageTexts& texts);

// What the panel shows when no component is pointed at: the hint to choose components on
// the left and, after empty lines, the note on grey bold items.
std::wstring pageHint(const model::MessageTexts& texts);

} // namespace parcelkit::components
