#include "sim/directory/SimDirectoryControlRoutes.h"

#include <httplib.h>

#include "sim/directory/SimDirectoryServer.h"

namespace {
int count(const httplib::Request& request) {
    try {
        return std::stoi(request.get_param_value("count"));
    } catch (const std::exception&) {
        return -1;
    }
}

void answer(httplib::Response& response, const std::string& error) {
    response.status = error.empty() ? 200 : 400;
    response.set_content(error.empty() ? "ok" : error, "text/plain");
}

std::string setLine(const httplib::Request& request, SimDirectoryServer& directory) {
    const std::string index = request.get_param_value("line");
    if (index != "0" && index != "1") {
        return "unknown line";
    }
    SimHttpLine& line = directory.line(index == "0" ? 0 : 1);
    const std::string state = request.get_param_value("state");
    if (state == "refuse") {
        line.refuse();
        return {};
    }
    if (state == "normal") {
        return line.resume() ? std::string() : "cannot listen";
    }
    return "unknown state";
}
}  // namespace

void SimDirectoryControlRoutes::install(httplib::Server& server, SimDirectoryServer& directory) {
    server.Post("/control/directory/fail",
                [&directory](const httplib::Request& request, httplib::Response& response) {
                    const int n = count(request);
                    if (n < 0) {
                        return answer(response, "count missing");
                    }
                    directory.failNext(n);
                    answer(response, {});
                });
    server.Post("/control/directory/code",
                [&directory](const httplib::Request& request, httplib::Response& response) {
                    const int n = count(request);
                    const std::string code = request.get_param_value("code");
                    if (n < 0 || code.empty()) {
                        return answer(response, "count or code missing");
                    }
                    directory.answerCodeNext(n, code);
                    answer(response, {});
                });
    server.Post("/control/directory/line",
                [&directory](const httplib::Request& request, httplib::Response& response) {
                    answer(response, setLine(request, directory));
                });
}
