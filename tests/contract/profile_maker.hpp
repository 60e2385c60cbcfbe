#pragma once

#include "platform/profile.hpp"

#include <memory>
#include <string>

namespace parcelkit::doubles {

// A profile file that holds exactly these bytes: natively the in-memory double, under
// Wine a real file read through the private-profile functions.
std::unique_ptr<platform::ProfileFile> makeProfile(const std::string& bytes);

// UTF-16LE with a byte-order mark, from UTF-8 source text.
std::string utf16File(const std::string& utf8);

} // namespace parcelkit::doubles
