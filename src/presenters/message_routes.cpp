#include "presenters/message_routes.hpp"

namespace parcelkit::presenters {

MessageRoutes::MessageRoutes(HandlerGuard& guard, DefaultHandler defaultHandler)
    : guard_(guard), defaultHandler_(std::move(defaultHandler)) {}

void MessageRoutes::route(unsigned message, Handler handler) {
    handlers_[message] = std::move(handler);
}

MessageLong MessageRoutes::dispatch(unsigned message, MessageWord wParam,
                                    MessageLong lParam) const {
    const auto route = handlers_.find(message);
    if (route == handlers_.end() || !guard_.open()) {
        return defaultHandler_(message, wParam, lParam);
    }
    MessageLong result = kFailedResult;
    guard_.run([&] { result = route->second(wParam, lParam); });
    return result;
}

} // namespace parcelkit::presenters
