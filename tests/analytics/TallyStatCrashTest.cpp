#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <thread>
#include <utility>

#include "TallyEntryFields.h"
#include "TallyTestRig.h"
#include "analytics/TLANFiles.h"
#include "analytics/TLANJournal.h"
#include "analytics/TLANWorkGate.h"
#include "analytics/TallyStat.h"
#include "analytics/TallyStatCrash.h"
#include "analytics/TallyStatEnvelope.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatPageView.h"
#include "analytics/TallyStatSession.h"
#include "analytics/TallyUncaughtExceptionHandler.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"
#include "support/FileSizeLimit.h"

extern char** environ;

namespace {

constexpr int16_t kErrorContext = 2;
constexpr int16_t kSessionId = 1;
constexpr int16_t kPageName = 1;
constexpr int16_t kPageMs = 2;
constexpr int16_t kMessageId = 1;
constexpr int16_t kEventName = 1;

constexpr double kLifeDeadline = 30.0;
constexpr const char* kUpdateReply = R"({"update":"YES","version":"3.1","path":"http://x/3.1"})";

bool exitedNormally(int status) {
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// One run of the helper against the rig's service and home; what it reports on stdout is read
// through a pipe as it comes.
class HelperRun {
public:
    HelperRun(TallyTestRig& rig, const std::string& version, std::vector<std::string> mode) {
        std::vector<std::string> arguments = {TALLY_CRASH_HELPER, rig.sim().baseUrl(0),
                                              rig.sim().baseUrl(1), version};
        arguments.insert(arguments.end(), mode.begin(), mode.end());
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        int out[2] = {-1, -1};
        if (pipe2(out, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        if (posix_spawn(&m_pid, TALLY_CRASH_HELPER, &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        m_out = out[0];
    }
    ~HelperRun() {
        kill();
        wait();
        close(m_out);
    }
    HelperRun(const HelperRun&) = delete;
    HelperRun& operator=(const HelperRun&) = delete;

    // Waits a moment for output, reads it; whether the helper still runs.
    bool running() {
        pollfd ready{m_out, POLLIN, 0};
        if (poll(&ready, 1, 5) > 0) {
            readOutput();
        }
        if (m_pid > 0 && waitpid(m_pid, &m_status, WNOHANG) == m_pid) {
            m_pid = -1;
        }
        return m_pid > 0;
    }
    void kill() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
        }
    }
    // The wait status once it has ended (-1 when it never started); all its output is read.
    int wait() {
        if (m_pid > 0 && waitpid(m_pid, &m_status, 0) == m_pid) {
            m_pid = -1;
        }
        while (readOutput()) {
        }
        return m_status;
    }
    bool reported(const std::string& line) const {
        return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
    }
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    bool readOutput() {
        char buffer[4096];
        const ssize_t got = read(m_out, buffer, sizeof buffer);
        if (got <= 0) {
            return false;
        }
        m_pending.append(buffer, static_cast<size_t>(got));
        for (size_t end = m_pending.find('\n'); end != std::string::npos;
             end = m_pending.find('\n')) {
            m_lines.push_back(m_pending.substr(0, end));
            m_pending.erase(0, end + 1);
        }
        return true;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    int m_status = -1;
    std::string m_pending;
    std::vector<std::string> m_lines;
};

// Runs the helper against the rig's service and home; returns its wait status.
int runCrashingChild(TallyTestRig& rig, const std::string& version, const std::string& mode) {
    return HelperRun(rig, version, {mode}).wait();
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

namespace {

// How the pending crash file came into the caches folder while `run` ran: "created" or "renamed
// onto", once per time.
std::vector<std::string> crashFileArrivals(const std::function<void()>& run) {
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(watch, 0);
    EXPECT_GE(inotify_add_watch(watch, Paths::caches().c_str(), IN_CREATE | IN_MOVED_TO), 0);
    run();
    const std::string name =
        std::filesystem::path(TallyUncaughtExceptionHandler::pendingCrashFile()).filename();
    std::vector<std::string> arrivals;
    alignas(inotify_event) char buffer[8192];
    for (ssize_t got = read(watch, buffer, sizeof buffer); got > 0;
         got = read(watch, buffer, sizeof buffer)) {
        for (char* at = buffer; at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (event->len > 0 && name == event->name) {
                arrivals.push_back((event->mask & IN_MOVED_TO) != 0 ? "renamed onto" : "created");
            }
            at += sizeof(inotify_event) + event->len;
        }
    }
    close(watch);
    return arrivals;
}

}  // namespace

TEST(TallyStatCrashTest, shouldUploadASegmentationFaultAtTheNextLaunch) {
    TallyTestRig rig;
    int status = 0;
    // Whole or not at all: a launch of another thread may look for it as it is written.
    EXPECT_EQ(crashFileArrivals([&] { status = runCrashingChild(rig, "3.0", "segv"); }),
              (std::vector<std::string>{"renamed onto"}));
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);

    launchAgain(rig, "3.0");
    const std::vector<std::string> errors = uploadedErrors(rig);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().rfind("Application received signal SIGSEGV\n(null)\n(\n", 0), 0u)
        << errors.front();
    EXPECT_NE(errors.front().find("CPU Type: "), std::string::npos);
    std::error_code ignored;
    for (const std::string& path :
         {TallyUncaughtExceptionHandler::pendingCrashFile(), TallyStatCrash::takenCrashFile()}) {
        EXPECT_FALSE(std::filesystem::exists(path, ignored)) << path;
    }
}

// The launch runs on its own thread: this process can crash while it takes the file of the last,
// found where the last process's crash left it or where a launch killed before it was done with
// it had moved it aside.
TEST(TallyStatCrashTest, shouldKeepACrashFileWrittenWhileTheLaunchTakesTheLastOne) {
    TallyTestRig rig;
    const std::string pending = TallyUncaughtExceptionHandler::pendingCrashFile();
    for (const bool leftAside : {false, true}) {
        rig.resetLibrary();
        ASSERT_TRUE(WIFSIGNALED(runCrashingChild(rig, "3.0", "segv")));
        std::optional<Bytes> last = AtomicFile::read(pending);
        ASSERT_TRUE(last);
        if (leftAside) {
            std::filesystem::rename(pending, TallyStatCrash::takenCrashFile());
        }
        // The same crash a second later, as the signal writer would write it.
        std::vector<std::string> lines = Text::split(std::string(last->begin(), last->end()), "\n");
        ASSERT_GE(lines.size(), 5u);
        lines[2] = std::to_string(Text::longLongValue(lines[2]) + 1);
        const std::string next = Text::join(lines, "\n");
        bool written = false;
        TLANJournal::setBeforeAppendHook([&](const TLANBaseEvent& record) {
            if (dynamic_cast<const TLANError*>(&record) && !std::exchange(written, true)) {
                AtomicFile::write(pending, Bytes(next.begin(), next.end()));
            }
        });
        launchAgain(rig, "3.0");
        TLANJournal::setBeforeAppendHook({});
        ASSERT_TRUE(written) << "left aside: " << leftAside;
        EXPECT_EQ(uploadedErrors(rig).size(), 2u) << "left aside: " << leftAside;
        std::error_code ignored;
        EXPECT_FALSE(std::filesystem::exists(pending, ignored));
        EXPECT_FALSE(std::filesystem::exists(TallyStatCrash::takenCrashFile(), ignored));
    }
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

    // A kill as the launch journals the crash or the crashed session's end loses neither: each
    // is still on disk in its first form (the crash file, the open session's marker). A kill as
    // the marker goes finds the session's page views gone from the page-view log with it (a
    // launch without the marker would send them again with its own session).
    std::vector<bool> crashKept;
    std::vector<bool> sessionKept;
    std::vector<size_t> viewsLeft;
    TLANJournal::setBeforeAppendHook([&](const TLANBaseEvent& record) {
        if (dynamic_cast<const TLANError*>(&record)) {
            crashKept.push_back(std::filesystem::exists(TallyStatCrash::takenCrashFile(), ignored));
        } else if (dynamic_cast<const TLANTerminate*>(&record)) {
            sessionKept.push_back(TLANJournal::openSession().has_value());
        }
    });
    TLANJournal::setBeforeEndSessionHook([&] {
        const std::vector<TLANJournal::PageView> views = TLANJournal::readPageViews();
        viewsLeft.push_back(views.size());
    });
    launchAgain(rig, "3.0");
    TLANJournal::setBeforeAppendHook({});
    TLANJournal::setBeforeEndSessionHook({});
    EXPECT_EQ(crashKept, (std::vector<bool>{true}));
    EXPECT_EQ(sessionKept, (std::vector<bool>{true}));
    EXPECT_EQ(viewsLeft, (std::vector<size_t>{0}));
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

TEST(TallyStatCrashTest, shouldSendTheCrashAndItsSessionOnceWhenKilledAsTheirFirstFormsGo) {
    TallyTestRig rig;
    ASSERT_TRUE(WIFSIGNALED(runCrashingChild(rig, "3.0", "events-segv")));
    // A kill after the launch journaled the crash and the session's end, before it deleted the
    // crash file, the session marker and the page-view log: the disk then holds both forms.
    std::map<std::string, Bytes> disk;
    const auto keep = [&](const std::string& path) {
        if (std::optional<Bytes> bytes = AtomicFile::read(path)) {
            disk[path] = *bytes;
        }
    };
    keep(TallyUncaughtExceptionHandler::pendingCrashFile());
    keep(TLANJournal::sessionFile());
    keep(TLANJournal::pageViewFile());
    bool loaded = false;
    TLANJournal::setBeforeAppendHook([&](const TLANBaseEvent& record) {
        if (dynamic_cast<const TLANLaunch*>(&record) && !std::exchange(loaded, true)) {
            keep(TallyStatInternal::cacheFilePath());
            keep(TLANJournal::journalFile());
        }
    });
    launchAgain(rig, "3.0");
    TLANJournal::setBeforeAppendHook({});
    ASSERT_TRUE(loaded);
    ASSERT_EQ(disk.size(), 4u) << "crash file, marker, page views, cache file";
    // The launch had moved the crash file aside before it journaled the crash.
    auto crashFile = disk.extract(TallyUncaughtExceptionHandler::pendingCrashFile());
    ASSERT_FALSE(crashFile.empty());
    crashFile.key() = TallyStatCrash::takenCrashFile();
    disk.insert(std::move(crashFile));
    rig.resetLibrary();
    std::error_code ignored;
    std::filesystem::remove(TLANJournal::journalFile(), ignored);
    for (const auto& [path, bytes] : disk) {
        ASSERT_TRUE(AtomicFile::write(path, bytes));
    }

    launchAgain(rig, "3.0");
    EXPECT_EQ(rig.acceptedErrors(), 1);
    EXPECT_EQ(rig.acceptedSessionMs().size(), 1u);
    EXPECT_EQ(rig.acceptedPages(), (std::map<std::string, int>{{"崩溃前", 1}}));
}

// A crash the disk has no room for leaves the crash file of the last one as it was.
TEST(TallyStatCrashTest, shouldKeepTheLastCrashWhenTheNextCannotBeWritten) {
    TallyTestRig rig;
    ASSERT_TRUE(WIFSIGNALED(runCrashingChild(rig, "3.0", "segv")));
    ASSERT_TRUE(WIFSIGNALED(HelperRun(rig, "3.0", {"life", "F S"}).wait()));
    launchAgain(rig, "3.0");
    EXPECT_EQ(uploadedErrors(rig).size(), 1u);
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

namespace {

// The next launch, and one more upload after it: a launch that finds a kept envelope only sends
// it again.
void launchAndUploadTwice(TallyTestRig& rig) {
    Application application;
    UserDefaults::resetStandardUserDefaults();
    const size_t sent = rig.uploads().size();
    rig.start("3.0");
    ASSERT_TRUE(rig.runUntil([&] { return rig.uploads().size() > sent; }));
    ASSERT_TRUE(rig.settle());
    application.resignActive();
    application.becomeActive();
    ASSERT_TRUE(rig.runUntil([&] { return rig.uploads().size() > sent + 1; }));
    ASSERT_TRUE(rig.settle());
}

// Over every upload the service took, "once" came once.
void expectOnceAcrossTheNextLaunch(TallyTestRig& rig) {
    launchAndUploadTwice(rig);
    EXPECT_EQ(rig.acceptedEvents()["once"], 1);
}

// A life that records "once" and dies as an upload hangs; the service takes that upload, the app
// never hears.
void expectOnceAfterDyingDuringAnUpload(const std::string& script) {
    TallyTestRig rig;
    rig.sim().holdUploads();
    {
        HelperRun life(rig, "3.0", {"life", script});
        ASSERT_TRUE(rig.runUntil([&] { return rig.sim().heldUploads() > 0 || !life.running(); }));
        life.kill();
        // The wait reads what the life wrote: the held upload can end the loop above before
        // its report was read.
        life.wait();
        ASSERT_TRUE(life.reported("E once"));
    }
    rig.sim().release();
    ASSERT_TRUE(rig.runUntil([&] { return rig.acceptedEvents()["once"] == 1; }));
    expectOnceAcrossTheNextLaunch(rig);
}

}  // namespace

TEST(TallyStatCrashTest, shouldSendAnEventOnceWhenTheAppDiesDuringItsUpload) {
    expectOnceAfterDyingDuringAnUpload("e:once a l H");
}

// Neither the sending marks nor the kept envelope can be written: the upload waits for space.
TEST(TallyStatCrashTest, shouldSendAnEventOnceWhenTheDiskIsFullAsItsUploadIsBuilt) {
    expectOnceAfterDyingDuringAnUpload("e:once F a l b G a l H");
}

// The service took the upload, but the cache file cannot let its records go: the envelope
// stays, so a kill now repeats it rather than sending its records anew.
TEST(TallyStatCrashTest, shouldKeepTheEnvelopeUntilTheCacheFileLetsItsRecordsGo) {
    TallyTestRig rig;
    rig.sim().holdUploads();
    TallyStat::event("once");
    rig.start("3.0");
    ASSERT_TRUE(rig.runUntil([&] { return rig.sim().heldUploads() > 0; }));
    {
        FileSizeLimit full(0);
        rig.sim().release();
        ASSERT_TRUE(rig.settle());
    }
    ASSERT_EQ(rig.acceptedEvents()["once"], 1);
    const std::optional<Bytes> envelope = rig.envelopeFileBytes();
    ASSERT_TRUE(envelope);
    // Killed now.
    rig.resetLibrary();
    ASSERT_TRUE(AtomicFile::write(TallyStatEnvelope::envelopeFile(), *envelope));
    expectOnceAcrossTheNextLaunch(rig);
}

TEST(TallyStatCrashTest, shouldDeliverWhatIsJournaledAfterAnAppendAFullDiskCutShort) {
    TallyTestRig rig;
    rig.start("3.0");
    ASSERT_TRUE(rig.runUntil([] { return TallyStatSession::sharedInstance().launchHasBegan(); }));
    ASSERT_TRUE(rig.settle());
    std::error_code absent;
    const uintmax_t size = std::filesystem::file_size(TLANJournal::journalFile(), absent);
    {
        FileSizeLimit full((absent ? 0 : size) + 3);
        TallyStat::event("cut-short");
    }
    TallyStat::event("after-1");
    TallyStat::event("after-2");
    // Killed before any save: the journal alone holds them.
    rig.resetLibrary();
    launchAgain(rig, "3.0");
    EXPECT_EQ(rig.acceptedEvents(),
              (std::map<std::string, int>{{"after-1", 1}, {"after-2", 1}, {"cut-short", 1}}));
}

// A double click: the second launch on the same home finds the first one's upload under way.
TEST(TallyStatCrashTest, shouldLeaveALiveLaunchItsFilesAndKeepItsOwnRecordsForTheNext) {
    TallyTestRig rig;
    rig.sim().holdUploads();
    HelperRun first(rig, "3.0", {"life", "e:first a l H"});
    ASSERT_TRUE(rig.runUntil([&] { return rig.sim().heldUploads() > 0 || !first.running(); }));
    const std::optional<Bytes> marker = AtomicFile::read(TLANJournal::sessionFile());
    ASSERT_TRUE(marker);
    {
        HelperRun second(rig, "3.0", {"life", "e:second a l b H"});
        ASSERT_TRUE(rig.runUntil([&] { return second.reported("H") || !second.running(); }));
        ASSERT_TRUE(second.reported("E second"));
    }
    // The first's session is still its own, under way.
    EXPECT_TRUE(AtomicFile::read(TLANJournal::sessionFile()) == marker);
    rig.sim().release();
    ASSERT_TRUE(rig.runUntil([&] { return rig.acceptedEvents()["first"] == 1; }));
    first.kill();
    first.wait();

    launchAndUploadTwice(rig);
    EXPECT_EQ(rig.acceptedEvents(), (std::map<std::string, int>{{"first", 1}, {"second", 1}}));
    // The first's, ended by this launch, the second's, and the one this trip ended: each once.
    EXPECT_EQ(rig.acceptedSessionMs().size(), 3u);
}

TEST(TallyStatQuitTest, shouldEndWhenQuitAsTheUpdateAnswerIsHandedToTheMainThread) {
    TallyTestRig rig;
    rig.sim().setUpdateReply(kUpdateReply);
    HelperRun run(rig, "3.0", {"life", "a u w Q"});
    ASSERT_TRUE(rig.runUntil([&] { return !run.running(); }, kLifeDeadline));
    EXPECT_TRUE(exitedNormally(run.wait()));
}

// Work that a return to the foreground starts after the quit never begins, so leaving again
// does not wait for it.
TEST(TallyStatQuitTest, shouldEndWhenTheAppComesBackAndLeavesAfterItsQuit) {
    TallyTestRig rig;
    HelperRun run(rig, "3.0", {"life", "a l Q a b"});
    ASSERT_TRUE(rig.runUntil([&] { return !run.running(); }, kLifeDeadline));
    EXPECT_TRUE(exitedNormally(run.wait()));
}

// A blocking send of the application's own thread (the ad address on a pool thread) never went
// inside: the closed gate must not hold it, or the pool's drain at the end would wait for good.
TEST(TallyStatQuitTest, shouldNotHoldASendOfAThreadThatNeverWentInside) {
    TLANWorkGate::close();
    std::atomic<bool> through{false};
    std::thread application([&] {
        { TLANWorkGate::Outside sending; }
        through = true;
    });
    const bool passed = RunLoop::runUntil([&] { return through.load(); }, kLifeDeadline);
    TLANWorkGate::reopen();
    application.join();
    EXPECT_TRUE(passed);
}

namespace {

enum class Hosts { Accepting, Slow, Failing, Refusing, Unreachable, Count };

void setHosts(SimAnalyticsService& sim, Hosts hosts) {
    static const std::map<Hosts, SimLogAnswer> answers = {
        {Hosts::Failing, SimLogAnswer::Status500}, {Hosts::Refusing, SimLogAnswer::RespCodeZero}};
    sim.release();
    for (int host = 0; host < SimAnalyticsService::kHosts; ++host) {
        sim.setLogAnswer(host, answers.contains(hosts) ? answers.at(hosts) : SimLogAnswer::Accept);
        if (hosts == Hosts::Unreachable) {
            sim.refuse(host);
        } else {
            sim.resume(host);
        }
    }
    if (hosts == Hosts::Slow) {
        sim.holdUploads();
    }
}

// A life's script for the helper: records (named after the life), trips to the background,
// waits, and an end at a random moment. `crashPending`: an earlier life's crash no launch is
// known to have taken yet.
std::string lifeScript(std::mt19937& random, const std::string& life, bool slow,
                       bool& crashPending) {
    const auto roll = [&](int sides) { return static_cast<int>(random() % sides); };
    bool active = roll(5) != 0;  // else minimised before its launch
    std::string script = active ? "a" : "b";
    bool launched = false;
    for (int step = 0, steps = 2 + roll(8); step < steps; ++step) {
        const std::string id = life + "-" + std::to_string(step);
        switch (roll(8)) {
            case 0:
            case 1:
                script += " e:" + id;
                break;
            case 2:
                script += " p:" + id;
                break;
            case 3:
                script += active ? " b a" : " a";
                active = true;
                break;
            case 4:
                script += active && !launched ? " l" : "";
                launched = launched || active;
                crashPending = crashPending && !active;
                break;
            case 5:
                script += active && !slow ? " l i" : "";
                crashPending = crashPending && !(active && !slow);
                break;
            case 6:
                script += roll(2) == 0 ? " u" : " u w";
                break;
            default:
                script += active ? " b" : " a";
                active = !active;
        }
    }
    // Quits and closes land as the update answer, an upload or a save is under way.
    static const char* const ends[] = {" S", " K", " X",     " H",     " b a H", " b a K",
                                       "",   " Q", " u w Q", " u w X", " u Q",   " b Q"};
    std::string end = ends[roll(static_cast<int>(std::size(ends)))];
    if (end == " S" && crashPending) {
        // There is one crash file: a second crash before a launch took the first replaces it.
        end = active ? " l S" : " a l S";
    }
    crashPending = crashPending || end.ends_with("S");
    return script + (active || end.find(" b a") != 0 ? end : end.substr(2));
}

}  // namespace

// Lives of the app played by the helper on one home, then one start in this process that
// uploads what is left; what each life reported recording is then checked against the service.
class TallyStatLifeRig {
protected:
    // Plays one life; its reports of what it recorded go to `recorded`. Its length in seconds.
    double play(const std::string& script, std::vector<std::string>& recorded) {
        const auto born = std::chrono::steady_clock::now();
        HelperRun run(rig, "3.0", {"life", script});
        // A life that waits to be killed dies at its end, or as soon as its upload hangs.
        const bool killed = script.ends_with("H");
        const auto over = [&] {
            if (killed && (run.reported("H") || rig.sim().heldUploads() > 0)) {
                run.kill();
            }
            return !run.running();
        };
        // A guard against a hung life, not a speed limit: a loaded machine plays its steps
        // slowly, so the deadline starts again while the life still reports them.
        bool ended = false;
        for (size_t seen = SIZE_MAX; !ended && run.lines().size() != seen;) {
            seen = run.lines().size();
            ended = rig.runUntil(over, kLifeDeadline);
        }
        EXPECT_TRUE(ended) << script;
        if (!ended) {
            run.kill();
        }
        const int status = run.wait();
        // A quit at any moment ends the process.
        if (script.ends_with("X") || script.ends_with("Q")) {
            EXPECT_TRUE(exitedNormally(status)) << script << " ended with " << status;
        }
        for (const std::string& line : run.lines()) {
            if (line.size() > 2 && line[1] == ' ') {
                recorded.push_back(line);
            }
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - born).count();
    }

    // Starts in this process with accepting hosts and comes back to the foreground until
    // nothing is left to upload; its length in seconds.
    double uploadTheRest() {
        const auto started = std::chrono::steady_clock::now();
        setHosts(rig.sim(), Hosts::Accepting);
        UserDefaults::resetStandardUserDefaults();
        rig.start("3.0");
        application.becomeActive();
        TallyStatInternal& cache = TallyStatInternal::sharedInstance();
        for (int trip = 0; trip < 4; ++trip) {
            EXPECT_TRUE(rig.settle());
            if (cache.events.empty() && cache.terminates.empty() && cache.errors.empty() &&
                TallyStatPageView::sharedInstance().pageViews().empty() &&
                !rig.envelopeFileExists()) {
                break;
            }
            application.resignActive();
            application.becomeActive();
        }
        application.resignActive();
        EXPECT_TRUE(rig.settle());
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

    // Each event and page view reported recorded came once; none came twice.
    void expectEachOnce(const std::vector<std::string>& recorded, const std::string& lives) {
        std::map<std::string, int> events = rig.acceptedEvents();
        std::map<std::string, int> pages = rig.acceptedPages();
        for (const std::string& line : recorded) {
            const std::string id = line.substr(2);
            if (line[0] == 'E' || line[0] == 'P') {
                EXPECT_EQ(line[0] == 'E' ? events[id] : pages[id], 1) << line << " of\n" << lives;
            }
        }
        for (const auto& counts : {events, pages}) {
            for (const auto& [id, count] : counts) {
                EXPECT_LE(count, 1) << id << " of\n" << lives;
            }
        }
    }

    Application application;
    TallyTestRig rig;
};

// The lives of the app on one device (a seed each), each life ending at a random moment against
// hosts that accept, hang, fail or are gone; then one start that uploads what is left. The
// service must hold every recorded event, page view and crash exactly once and no session longer
// than a life.
class TallyStatLives : public ::testing::TestWithParam<unsigned>, protected TallyStatLifeRig {
protected:
    static constexpr int kLives = 20;
};

TEST_P(TallyStatLives, shouldCountEveryRecordOnceWhateverMomentTheAppDies) {
    std::mt19937 random(20261208u + GetParam());
    std::vector<std::string> recorded;
    std::string lives;
    double longest = 0;
    bool crashPending = false;
    int crashes = 0;
    rig.sim().setUpdateReply(kUpdateReply);
    for (int life = 0; life < kLives; ++life) {
        const auto hosts = static_cast<Hosts>(random() % static_cast<int>(Hosts::Count));
        setHosts(rig.sim(), hosts);
        const std::string name = "d" + std::to_string(GetParam()) + "l" + std::to_string(life);
        const std::string script = lifeScript(random, name, hosts == Hosts::Slow, crashPending);
        crashes += script.ends_with("S") ? 1 : 0;
        lives += script + "\n";
        longest = std::max(longest, play(script, recorded));
    }
    longest = std::max(longest, uploadTheRest());

    expectEachOnce(recorded, lives);
    EXPECT_EQ(rig.acceptedErrors(), crashes) << lives;
    for (int64_t ms : rig.acceptedSessionMs()) {
        EXPECT_LE(ms, std::ceil(longest) * 1000) << lives;
    }
}

// Ten devices of twenty lives: 200 lives over fixed seeds.
INSTANTIATE_TEST_SUITE_P(Devices, TallyStatLives, ::testing::Range(0u, 10u));

// One fault on the first write of one of the library's files, in a life that goes on to each of
// them (records, a page view, a launch and its upload, leaving, another launch). Then what comes
// next: the next launch; a life that uploads and is killed; or, with hosts that hang, the faulty
// life killed as soon as an upload hangs, which the service takes later. Every record the lives
// report recorded reaches the service once.
using TallyStatFaultCell = std::tuple<TLANFiles::Point, std::string, std::string>;

class TallyStatFaults : public ::testing::TestWithParam<TallyStatFaultCell>,
                        protected TallyStatLifeRig {};

TEST_P(TallyStatFaults, shouldDeliverEveryRecordOnceWhateverTheWriteMeets) {
    const auto& [point, fault, next] = GetParam();
    const bool hang = next == "crash-again";
    const std::string name = TLANFiles::name(point);
    std::string lives =
        "f:" + name + ":" + fault + " e:r1 p:v1 a l i b a l i e:r2 p:v2 " + (hang ? "H" : "K");
    std::vector<std::string> recorded;
    setHosts(rig.sim(), hang ? Hosts::Slow : Hosts::Accepting);
    play(lives, recorded);
    if (next == "upload") {
        lives += "\na l i K";
        play("a l i K", recorded);
    }
    uploadTheRest();
    EXPECT_TRUE(std::ranges::count(recorded, "L " + name) == 1) << lives;
    expectEachOnce(recorded, lives);
}

INSTANTIATE_TEST_SUITE_P(WritePoints, TallyStatFaults,
                         ::testing::Combine(::testing::ValuesIn(TLANFiles::kPoints),
                                            ::testing::Values("full", "short", "kill-before",
                                                              "kill-after"),
                                            ::testing::Values("launch", "upload", "crash-again")));

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
