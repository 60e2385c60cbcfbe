#pragma once

#include "presenters/handler_guard.hpp"

#include <cstdint>
#include <functional>
#include <map>

namespace parcelkit::presenters {

// A message's parameters and result as a window procedure passes them: integers as wide as
// a pointer.
using MessageWord = std::uintptr_t; // the first parameter
using MessageLong = std::intptr_t;  // the second parameter and the result

// Where the messages of one window go: one handler per message, each run through the
// program's handler guard. Messages without a handler, and every message while the guard is
// closed, go to the default handling.
class MessageRoutes {
public:
    using Handler = std::function<MessageLong(MessageWord, MessageLong)>;
    using DefaultHandler = std::function<MessageLong(unsigned, MessageWord, MessageLong)>;

    // What a message whose handler failed returns: it counts as handled.
    static constexpr MessageLong kFailedResult = 0;

    MessageRoutes(HandlerGuard& guard, DefaultHandler defaultHandler);

    // A later handler for the same message replaces the earlier one.
    void route(unsigned message, Handler handler);
    MessageLong dispatch(unsigned message, MessageWord wParam, MessageLong lParam) const;

private:
    HandlerGuard& guard_;
    DefaultHandler defaultHandler_;
    std::map<unsigned, Handler> handlers_;
};

} // namespace parcelkit::presenters
