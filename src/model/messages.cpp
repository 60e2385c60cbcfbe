#include "model/messages.hpp"

#include "platform/profile.hpp"

namespace parcelkit::model {

std::wstring MessageTexts::text(const Message& message) const {
    return value(std::wstring(message.key), std::wstring(message.fallback));
}

std::wstring MessageTexts::value(const std::wstring& key, const std::wstring& fallback) const {
    return langfile_->readString(langsection_, key, fallback);
}

} // namespace parcelkit::model
