#pragma once

#include <string>

namespace parcelkit::doubles {

// A directory of this test program's own, with a blank in its name, emptied and removed
// when the program ends.
const std::wstring& testDirectory();

} // namespace parcelkit::doubles
