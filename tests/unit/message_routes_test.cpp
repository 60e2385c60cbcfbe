#include "presenters/message_routes.hpp"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace parcelkit;
using presenters::MessageLong;
using presenters::MessageWord;
using Log = std::vector<std::string>;

namespace {

constexpr unsigned kClick = 0x111;
constexpr unsigned kTimer = 0x113;
constexpr unsigned kUnrouted = 0x0F;
constexpr unsigned kThrowsError = 0x400;
constexpr unsigned kThrowsOther = 0x401;
constexpr unsigned kFailsInside = 0x402; // its handler runs a failing one, then fails too
constexpr MessageLong kDefaultResult = -7;

std::string call(const char* name, MessageWord wParam, MessageLong lParam) {
    return std::string(name) + " " + std::to_string(wParam) + " " + std::to_string(lParam);
}

// One window's routes on a guard whose report and end are logged. The report sends a click
// meanwhile, as the message loop of an error box may.
struct RoutesRig {
    Log log;
    presenters::HandlerGuard guard;
    presenters::MessageRoutes routes{guard, [this](unsigned message, MessageWord w, MessageLong l) {
                                         log.push_back(call("default", message, l) + " w" +
                                                       std::to_string(w));
                                         return kDefaultResult;
                                     }};

    RoutesRig() {
        routes.route(kClick, [this](MessageWord w, MessageLong l) {
            log.push_back(call("click", w, l));
            return MessageLong{1};
        });
        routes.route(kTimer, [this](MessageWord w, MessageLong l) {
            log.push_back(call("timer", w, l));
            return MessageLong{2};
        });
        routes.route(kThrowsError, [this](MessageWord, MessageLong) -> MessageLong {
            log.push_back("throws error");
            throw std::runtime_error("broken entry");
        });
        routes.route(kThrowsOther, [this](MessageWord, MessageLong) -> MessageLong {
            log.push_back("throws other");
            throw 42;
        });
        routes.route(kFailsInside, [this](MessageWord, MessageLong) -> MessageLong {
            log.push_back("fails inside");
            routes.dispatch(kThrowsError, 0, 0);
            log.push_back("goes on");
            throw std::logic_error("second failure");
        });
    }

    void connect() {
        guard.connect(
            [this](const std::exception& error) {
                log.push_back(std::string("report ") + error.what());
                routes.dispatch(kClick, 0, 0);
            },
            [this] { log.push_back("end"); });
    }
};

} // namespace

TEST(MessageRoutes, EachMessageReachesItsHandlerAndTheRestTheDefault) {
    struct Row {
        unsigned message;
        MessageWord wParam;
        MessageLong lParam;
        MessageLong result;
        std::string call;
    };
    const Row rows[] = {
        {kClick, 5, -1, 1, "click 5 -1"},
        {kTimer, 1, 0, 2, "timer 1 0"},
        {kUnrouted, 3, 4, kDefaultResult, "default 15 4 w3"},
    };
    RoutesRig rig;
    rig.connect();
    for (const Row& row : rows) {
        rig.log.clear();
        EXPECT_EQ(rig.routes.dispatch(row.message, row.wParam, row.lParam), row.result) << row.call;
        EXPECT_EQ(rig.log, Log{row.call});
    }
}

TEST(MessageRoutes, NoHandlerRunsBeforeTheGuardIsConnectedNorAfterItIsDisconnected) {
    RoutesRig rig;
    EXPECT_EQ(rig.routes.dispatch(kClick, 0, 0), kDefaultResult);
    rig.connect();
    EXPECT_EQ(rig.routes.dispatch(kClick, 0, 0), 1);
    rig.guard.disconnect();
    EXPECT_EQ(rig.routes.dispatch(kClick, 0, 0), kDefaultResult);
    EXPECT_EQ(rig.log, (Log{"default 273 0 w0", "click 0 0", "default 273 0 w0"}));
    EXPECT_FALSE(rig.guard.failed());
}

TEST(MessageRoutes, AFailedHandlerIsReportedOnceThenTheProgramEndsAndNoHandlerRuns) {
    struct Row {
        unsigned message;
        Log log;
    };
    const Row rows[] = {
        {kThrowsError, {"throws error", "report broken entry", "default 273 0 w0", "end"}},
        {kThrowsOther, {"throws other", "report unknown exception", "default 273 0 w0", "end"}},
        {kFailsInside,
         {"fails inside", "throws error", "report broken entry", "default 273 0 w0", "end",
          "goes on"}},
    };
    for (const Row& row : rows) {
        RoutesRig rig;
        rig.connect();
        EXPECT_EQ(rig.routes.dispatch(row.message, 0, 0), presenters::MessageRoutes::kFailedResult);
        EXPECT_EQ(rig.log, row.log);
        EXPECT_TRUE(rig.guard.failed());
        rig.log.clear();
        EXPECT_EQ(rig.routes.dispatch(kTimer, 9, 0), kDefaultResult);
        EXPECT_FALSE(rig.guard.run([&] { rig.log.push_back("run"); }));
        EXPECT_EQ(rig.log, Log{"default 275 0 w9"});
    }
}
