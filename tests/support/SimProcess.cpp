#include "support/SimProcess.h"

#include <fcntl.h>
#include <httplib.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/pace/PacedTime.h"

namespace {
constexpr int64_t kStartMs = 1796365800000;  // 2026-12-04 06:30 UTC, 14:30 in UTC+8

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> result;
    for (std::string word; in >> word;) {
        result.push_back(word);
    }
    return result;
}

std::string portOf(const std::string& url) {
    const auto colon = url.rfind(':');
    if (colon == std::string::npos) {
        return "0";
    }
    std::string port = url.substr(colon + 1);
    return port.substr(0, port.find('/'));
}

void addPorts(std::vector<std::string>& arguments, const std::string& option,
              const std::vector<std::string>& urls) {
    arguments.push_back(option);
    for (const auto& url : urls) {
        arguments.push_back(portOf(url));
    }
}
}  // namespace

SimProcess::SimProcess() = default;

SimProcess::~SimProcess() {
    stop();
}

bool SimProcess::start() {
    return launch(
        {"--directory-ports", "0", "0", "--analytics-ports", "0", "0", "--control-port", "0"});
}

bool SimProcess::restart() {
    std::vector<std::string> arguments = portArguments();
    const int64_t advanced = m_advancedMs;
    stop();
    arguments.push_back("--start-ms");
    arguments.push_back(std::to_string(kStartMs + advanced));
    const bool started = launch(arguments);
    // A failed start keeps the clock where it was for the next try.
    m_advancedMs = advanced;
    return started;
}

int64_t SimProcess::nowMs() const {
    return kStartMs + m_advancedMs;
}

std::vector<std::string> SimProcess::portArguments() const {
    std::vector<std::string> arguments;
    addPorts(arguments, "--directory-ports", m_directory);
    addPorts(arguments, "--analytics-ports", m_analytics);
    addPorts(arguments, "--control-port", {m_control});
    std::vector<std::string> quotes;
    for (const auto& server : m_quotes) {
        quotes.insert(quotes.end(), server.begin(), server.end());
    }
    addPorts(arguments, "--quote-ports", quotes);
    std::vector<std::string> trades;
    for (const auto& environment : m_trades) {
        trades.insert(trades.end(), environment.urls.begin(), environment.urls.end());
    }
    addPorts(arguments, "--trade-ports", trades);
    return arguments;
}

bool SimProcess::launch(const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {VKJY_SIM_EXECUTABLE, "--seed",       "1",
                                    "--manual",          "--utc-offset", "480"};
    if (std::find(arguments.begin(), arguments.end(), "--start-ms") == arguments.end()) {
        all.insert(all.end(), {"--start-ms", std::to_string(kStartMs)});
    }
    all.insert(all.end(), arguments.begin(), arguments.end());
    // Time runs on the test's own clock (TestClock), standing still with it.
    const std::string paced = PacedTime::sharedPath();
    if (!paced.empty()) {
        all.insert(all.end(), {"--paced-time", paced});
    }
    const std::string output = m_folder.file("sim.out");
    std::remove(output.c_str());
    m_pid = fork();
    if (m_pid == 0) {
        // The simulator must not outlive a test that dies.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        std::vector<char*> argv;
        for (auto& argument : all) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    m_advancedMs = 0;
    return m_pid > 0 && readLines();
}

// The simulator prints every line with one flush once all its services listen, or ends. No
// deadline: how long a start takes grows with the machine's load.
bool SimProcess::readLines() {
    std::string text;
    while (text.find("\ntrade ") == std::string::npos || text.back() != '\n') {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) != 0) {
            stop();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(m_folder.file("sim.out"));
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    m_directory.clear();
    m_quotes.clear();
    m_trades.clear();
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        auto w = words(line);
        if (w.size() < 2) {
            continue;
        }
        if (w[0] == "control") {
            m_control = w[1];
        } else if (w[0] == "directory") {
            m_directory.assign(w.begin() + 1, w.end());
        } else if (w[0] == "analytics") {
            m_analytics.assign(w.begin() + 1, w.end());
        } else if (w[0] == "quote" && w.size() > 2) {
            m_quotes.emplace_back(w.begin() + 2, w.end());
        } else if (w[0] == "trade" && w.size() > 3) {
            m_trades.push_back({w[1], w[2], {w.begin() + 3, w.end()}});
        }
    }
    return !m_control.empty() && m_directory.size() == 2;
}

void SimProcess::stop() {
    if (m_pid <= 0) {
        return;
    }
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
}

SimProcess::Reply SimProcess::post(const std::string& pathAndQuery) {
    httplib::Client client(m_control);
    client.set_connection_timeout(5);
    client.set_read_timeout(5);
    auto result = client.Post(pathAndQuery);
    return result ? Reply{result->status, result->body} : Reply{};
}

SimProcess::Reply SimProcess::get(const std::string& pathAndQuery) {
    httplib::Client client(m_control);
    client.set_connection_timeout(5);
    client.set_read_timeout(5);
    auto result = client.Get(pathAndQuery);
    return result ? Reply{result->status, result->body} : Reply{};
}

std::string SimProcess::escape(const std::string& text) {
    return httplib::detail::encode_query_param(text);
}

bool SimProcess::advance(int64_t ms) {
    if (post("/control/advance?ms=" + std::to_string(ms)).status != 200) {
        return false;
    }
    m_advancedMs += ms;
    return true;
}
