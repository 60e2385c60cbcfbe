#pragma once

#include <string>

namespace parcelkit::model {

// The four status lines of the installing page, top to bottom.
enum class StatusLine {
    Heading,  // what the page is doing as a whole
    Notice,   // what the user should expect
    Activity, // the step under way ("creating directory:", "registering:")
    Subject,  // what the step works on (a directory, a file)
};

// What the installation shows while it runs; the wizard's installing page implements it.
class InstallView {
public:
    virtual ~InstallView() = default;
    virtual void setStatus(StatusLine line, const std::wstring& text) = 0;
    // 0 to 100.
    virtual void setProgress(int percent) = 0;
    // Lets the window repaint: the whole run happens on the window's own thread.
    virtual void processMessages() = 0;
};

} // namespace parcelkit::model
