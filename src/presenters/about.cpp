#include "presenters/about.hpp"

namespace parcelkit::presenters {

std::wstring aboutText() {
    return L"Parcelkit, a table-driven installer for Windows programs.\r\n"
           L"Written by the Parcelkit developers.\r\n"
           L"Built " __DATE__ ".";
}

} // namespace parcelkit::presenters
