#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>

#include "TallyTestRig.h"
#include "analytics/TLANJournal.h"
#include "analytics/TallyStatCrash.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyUncaughtExceptionHandler.h"
#include "platform/foundation/UserDefaults.h"

extern char** environ;

namespace {

constexpr int16_t kEntryInstantMessages = 6;
constexpr int16_t kMessageErrors = 2;
constexpr int16_t kErrorContext = 2;
constexpr int16_t kEntrySessions = 7;
constexpr int16_t kSessionId = 1;
constexpr int16_t kSessionDuration = 4;
constexpr int16_t kSessionPages = 5;
constexpr int16_t kPageName = 1;
constexpr int16_t kPageMs = 2;
constexpr int16_t kMessageId = 1;
constexpr int16_t kMessageEvents = 3;
constexpr int16_t kEventName = 1;

// Runs the helper against the rig's service and home; returns its wait status.
int runCrashingChild(TallyTestRig& rig, const std::string& version, const std::string& mode) {
    const std::string primary = rig.sim().baseUrl(0);
    const std::string fallback = rig.sim().baseUrl(1);
    std::vector<std::string> arguments = {TALLY_CRASH_HELPER, primary, fallback, version, mode};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, TALLY_CRASH_HELPER, nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

std::vector<std::string> uploadedErrors(const TallyTestRig& rig) {
    std::vector<std::string> contexts;
    for (const SimAnalyticsRequest& upload : rig.uploads()) {
        if (!upload.entry) {
            continue;
        }
        for (const SimThriftValue& message : upload.entry->listAt(kEntryInstantMessages)) {
            for (const SimThriftValue& error : message.listAt(kMessageErrors)) {
                contexts.push_back(error.textAt(kErrorContext));
            }
        }
    }
    return contexts;
}

// The next launch after a crash: defaults read again from the file the child wrote.
void launchAgain(TallyTestRig& rig, const std::string& version) {
    UserDefaults::resetStandardUserDefaults();
    rig.sim().clearRequests();
    rig.start(version);
    ASSERT_TRUE(rig.runUntil([&] { return !rig.uploads().empty(); }));
    ASSERT_TRUE(rig.settle());
}

}  // namespace

TEST(TallyStatCrashTest, shouldUploadTheUncaughtExceptionAtTheNextLaunchOfTheSameVersion) {
    TallyTestRig rig;
    const int status = runCrashingChild(rig, "3.0", "exception");
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGABRT);

    launchAgain(rig, "3.0");
    const std::vector<std::string> errors = uploadedErrors(rig);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().rfind("boom from the helper\n(null)\n(\n", 0), 0u) << errors.front();
    EXPECT_NE(errors.front().find("\n\ndSYM UUID: "), std::string::npos);
    EXPECT_NE(errors.front().find("Binary Image: tally_crash_helper\n"), std::string::npos);
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("TLAppVersion"), "3.0");
}

TEST(TallyStatCrashTest, shouldUploadASegmentationFaultAtTheNextLaunch) {
    TallyTestRig rig;
    const int status = runCrashingChild(rig, "3.0", "segv");
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);

    launchAgain(rig, "3.0");
    const std::vector<std::string> errors = uploadedErrors(rig);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().rfind("Application received signal SIGSEGV\n(null)\n(\n", 0), 0u)
        << errors.front();
    EXPECT_NE(errors.front().find("CPU Type: "), std::string::npos);
    std::error_code ignored;
    EXPECT_FALSE(
        std::filesystem::exists(TallyUncaughtExceptionHandler::pendingCrashFile(), ignored));
}

TEST(TallyStatCrashTest, shouldKeepTheEventsOfAProcessKilledBySignalAndEndItsSession) {
    TallyTestRig rig;
    const int status = runCrashingChild(rig, "3.0", "events-segv");
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    // The crashed process never saved its events to the cache file.
    const std::optional<PropertyList> cache =
        PropertyList::readFile(TallyStatInternal::cacheFilePath());
    EXPECT_FALSE(cache && (*cache)["body"].contains("event"));
    std::error_code ignored;

    launchAgain(rig, "3.0");
    std::vector<std::string> events;
    std::vector<std::string> eventSessions;
    std::vector<std::string> errorSessions;
    std::vector<std::string> sessions;
    std::vector<std::pair<std::string, int64_t>> pages;
    for (const SimAnalyticsRequest& upload : rig.uploads()) {
        ASSERT_TRUE(upload.entry);
        for (const SimThriftValue& message : upload.entry->listAt(kEntryInstantMessages)) {
            for (const SimThriftValue& event : message.listAt(kMessageEvents)) {
                events.push_back(event.textAt(kEventName));
                eventSessions.push_back(message.textAt(kMessageId));
            }
            if (!message.listAt(kMessageErrors).empty()) {
                errorSessions.push_back(message.textAt(kMessageId));
            }
        }
        for (const SimThriftValue& session : upload.entry->listAt(kEntrySessions)) {
            sessions.push_back(session.textAt(kSessionId));
            EXPECT_GE(session.integerAt(kSessionDuration), 0);
            for (const SimThriftValue& page : session.listAt(kSessionPages)) {
                pages.emplace_back(page.textAt(kPageName), page.integerAt(kPageMs));
            }
        }
    }
    EXPECT_EQ(events, (std::vector<std::string>{"before-crash", "before-crash"}));
    ASSERT_EQ(errorSessions.size(), 1u);
    // The crashed session is ended: one session, the one the events and the crash belong to.
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions.front(), errorSessions.front());
    EXPECT_EQ(eventSessions.front(), errorSessions.front());
    // Its page view, finished but never saved, ends with it.
    EXPECT_EQ(pages, (std::vector<std::pair<std::string, int64_t>>{{"崩溃前", 4000}}));
    EXPECT_FALSE(std::filesystem::exists(TLANJournal::pageViewFile(), ignored));
    EXPECT_FALSE(std::filesystem::exists(TLANJournal::sessionFile(), ignored) &&
                 TLANJournal::openSession()->sessionId == sessions.front());
}

TEST(TallyStatCrashTest, shouldDropTheCrashOfAnotherVersion) {
    TallyTestRig rig;
    const int exceptionStatus = runCrashingChild(rig, "3.0", "exception");
    ASSERT_TRUE(WIFSIGNALED(exceptionStatus));
    const int signalStatus = runCrashingChild(rig, "3.0", "segv");
    ASSERT_TRUE(WIFSIGNALED(signalStatus));

    launchAgain(rig, "3.1");
    EXPECT_TRUE(uploadedErrors(rig).empty());
}

TEST(TallyStatCrashFacts, shouldNameSignalsAndFormatBuildIdsAsUuids) {
    EXPECT_EQ(TallyUncaughtExceptionHandler::signalReason(SIGSEGV),
              "Application received signal SIGSEGV");
    Bytes id;
    for (uint8_t i = 0; i < 20; ++i) {
        id.push_back(i);
    }
    EXPECT_EQ(TallyUncaughtExceptionHandler::uuidString(id),
              "00010203-0405-0607-0809-0A0B0C0D0E0F");
    EXPECT_FALSE(TallyUncaughtExceptionHandler::isOwnImage("/usr/lib/x86_64-linux-gnu/libc.so.6"));
    EXPECT_FALSE(TallyUncaughtExceptionHandler::isOwnImage("linux-vdso.so.1"));
    EXPECT_TRUE(TallyUncaughtExceptionHandler::isOwnImage("/work/build/app/vkjy"));
}

TEST(TallyStatCrashFacts, shouldDescribeTheTestProgramAsTheOwnImage) {
    std::optional<PropertyList> image = TallyUncaughtExceptionHandler::ownImageInfo();
    ASSERT_TRUE(image);
    EXPECT_EQ((*image)["image_name"].toString(), "test_analytics");
    EXPECT_EQ((*image)["cpu_arch"].toString(), "x86_64");
    EXPECT_EQ((*image)["binary_uuid"].toString().size(), 36u);
    EXPECT_EQ((*image)["slide_address"].toString().rfind("0x", 0), 0u);
}

TEST(TallyStatCrashFacts, shouldWriteReasonAddressesAndStackAsTheCrashText) {
    EXPECT_EQ(TallyStatCrash::crashText("bad", {"0 a", "1 b"}),
              "bad\n(null)\n(\n    0 a,\n    1 b\n)");
}
