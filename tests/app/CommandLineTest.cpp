#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs a shell command line in `folder` with nothing on its input; one still running after 20 s
// is stopped (exit code 124).
Outcome run(const TempFolder& folder, const std::string& command) {
    const std::string out = folder.file("out.txt");
    const std::string err = folder.file("err.txt");
    const std::string line = "cd '" + folder.path() + "' && timeout 20 " + command +
                             " </dev/null >'" + out + "' 2>'" + err + "'";
    const int status = std::system(line.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
}

const std::string kClient = VKJY_CLIENT_EXECUTABLE;

TEST(ClientCommandLine, helpPrintsTheUsageAndAWrongOptionIsRefused) {
    TempFolder folder;
    const Outcome help = run(folder, kClient + " --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: vkjy [", 0), 0u) << help.out;
    for (const char* says : {"watch list, the saved accounts", "~/.local/share/vkjy",
                             "3.5 (320x480)", "pixels per point", "neither DISPLAY"}) {
        EXPECT_NE(help.out.find(says), std::string::npos) << says << " in\n" << help.out;
    }
    EXPECT_EQ(help.err, "");
    const Outcome wrong = run(folder, kClient + " --bogus");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.err.rfind("vkjy: unknown option --bogus\nusage: vkjy [", 0), 0u) << wrong.err;
    const Outcome bare = run(folder, kClient + " --headless --home");
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_EQ(bare.err.rfind("vkjy: --home takes a folder\n", 0), 0u) << bare.err;
}

TEST(ClientCommandLine, stopsAtStartWithOneLineWhenTheResourcesFolderIsMissing) {
    TempFolder folder;
    const std::string missing = folder.file("no-such-copy");
    const Outcome outcome = run(folder, "env VKJY_RESOURCES='" + missing + "' " + kClient +
                                            " --headless --home '" + folder.file("home") + "'");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err, "vkjy: resources " + missing + ": no such folder\n");
}

// A copy of the script alone: building or starting anything would fail for want of the tree.
TEST(RunScript, checksItsOptionsBeforeItBuildsOrStartsAnything) {
    TempFolder folder;
    fs::copy_file(VKJY_RUN_SCRIPT, folder.file("run"));
    const Outcome help = run(folder, "bash run --help");
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_EQ(help.out.rfind("usage: ./run [", 0), 0u) << help.out;
    for (const char* says : {"starts the simulated exchange", "stops when the client exits",
                             "~/.local/share/vkjy", "neither DISPLAY"}) {
        EXPECT_NE(help.out.find(says), std::string::npos) << says << " in\n" << help.out;
    }
    const Outcome wrong = run(folder, "bash run --screen 5");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.err.rfind("run: --screen takes 4 or 3.5\nusage: ./run [", 0), 0u) << wrong.err;
    EXPECT_FALSE(fs::exists(folder.file("build")));
}

}  // namespace
