#include "sim/directory/SimDirectoryServer.h"

#include <httplib.h>

#include "sim/core/SimXml.h"

namespace {
struct Environment {
    const char* code;
    const char* name;
    const char* tag;
    const char* category;
    const char* type;
};

struct Exchange {
    const char* code;
    const char* name;
    std::vector<Environment> environments;
};

const std::vector<Exchange>& exchanges() {
    static const std::vector<Exchange> list = {
        {"01", "华东现货", {{"01", "实盘", "", "1", "1"}, {"02", "模拟", "模拟", "3", "2"}}},
        {"02", "西部商品", {{"01", "实盘", "西部", "1", "1"}}},
    };
    return list;
}

const char* const kBusinessTypes[] = {"1", "2", "3"};
const char* const kLineNames[] = {"电信线路", "联通线路"};

// Built by appending: GCC 12 warns wrongly about "literal" + std::string at -O2.
std::string numbered(const char* prefix, int number) {
    std::string text(prefix);
    text += std::to_string(number);
    return text;
}

std::string attr(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + SimXml::escaped(value) + "\"";
}

std::string lineElement(const std::string& code, const std::string& name, const std::string& url) {
    return "<LL" + attr("CODE", code) + attr("LLNA", name) + attr("URL", url) + "/>";
}

std::string envelope(const std::string& code, const std::string& msg, const std::string& part) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RESP><CODE>" + code + "</CODE><MSG>" +
           SimXml::escaped(msg) + "</MSG>" + part + "</RESP>";
}
}  // namespace

SimDirectoryServer::SimDirectoryServer(const SimCatalogue& catalogue, QuoteLines quoteLines)
    : m_catalogue(catalogue), m_quoteLines(std::move(quoteLines)) {
    for (int i = 0; i < 2; ++i) {
        m_lines.push_back(std::make_unique<SimHttpLine>([this](httplib::Server& server) {
            // One request per connection: a refused or stopped line must not wait for idle
            // keep-alive connections to time out.
            server.set_keep_alive_max_count(1);
            server.Post(
                kPath, [this](const httplib::Request& request, httplib::Response& response) {
                    ++m_requests;
                    if (takeFailure()) {
                        response.status = 503;
                        return;
                    }
                    const std::string base =
                        "http://" + request.local_addr + ":" + std::to_string(request.local_port);
                    response.set_content(reply(request.body, base), "text/xml; charset=utf-8");
                });
            server.Post(R"(/sms/(reqcode|verifycode))", [this](const httplib::Request& request,
                                                               httplib::Response& response) {
                response.set_content(accountReply(request.path, request.body),
                                     "text/xml; charset=utf-8");
            });
        }));
    }
}

SimDirectoryServer::~SimDirectoryServer() {
    stop();
}

bool SimDirectoryServer::start(int port1, int port2) {
    if (!m_lines[0]->start(port1) || !m_lines[1]->start(port2)) {
        stop();
        return false;
    }
    return true;
}

void SimDirectoryServer::stop() {
    for (auto& line : m_lines) {
        line->stop();
    }
}

std::vector<std::string> SimDirectoryServer::urls() const {
    std::vector<std::string> urls;
    for (const auto& line : m_lines) {
        urls.push_back(line->baseUrl() + kPath);
    }
    return urls;
}

void SimDirectoryServer::setBusinessLine(BusinessLine businessLine) {
    std::lock_guard lock(m_mutex);
    m_businessLine = std::move(businessLine);
}

void SimDirectoryServer::setAccountServices(AccountServices services) {
    std::lock_guard lock(m_mutex);
    m_accountServices = std::move(services);
}

std::string SimDirectoryServer::accountReply(const std::string& path, const std::string& body) {
    AccountServices services;
    {
        std::lock_guard lock(m_mutex);
        services = m_accountServices;
    }
    return services ? services(path, body) : std::string();
}

void SimDirectoryServer::failNext(int count) {
    std::lock_guard lock(m_mutex);
    m_failNext = count;
}

std::vector<std::string> SimDirectoryServer::armedFaults() const {
    std::vector<std::string> armed = SimHttpLine::faults(m_lines);
    std::lock_guard lock(m_mutex);
    if (m_failNext > 0) {
        armed.push_back("the next " + std::to_string(m_failNext) + " answered 503");
    }
    if (m_codeNext > 0) {
        armed.push_back("the next " + std::to_string(m_codeNext) + " answered " + m_code);
    }
    return armed;
}

bool SimDirectoryServer::takeFailure() {
    std::lock_guard lock(m_mutex);
    if (m_failNext <= 0) {
        return false;
    }
    --m_failNext;
    return true;
}

void SimDirectoryServer::answerCodeNext(int count, const std::string& code) {
    std::lock_guard lock(m_mutex);
    m_codeNext = count;
    m_code = code;
}

std::string SimDirectoryServer::reply(const std::string& requestBody, const std::string& lineBase) {
    {
        std::lock_guard lock(m_mutex);
        if (m_codeNext > 0) {
            --m_codeNext;
            return envelope(m_code, "目录服务暂不可用", "");
        }
    }
    if (!SimXml::field(requestBody, "CMD").empty()) {
        const std::string answer = accountReply(kPath, requestBody);
        if (!answer.empty()) {
            return answer;
        }
    }
    const std::string name = SimXml::field(requestBody, "NAME");
    const bool knownName =
        name == "GetDirectory" || name == "GetAppKeyProperties" || name == "GetUserManageUrl";
    if (!knownName) {
        return envelope("1", "未知请求", "");
    }
    if (SimXml::field(requestBody, "APPKEY") != kAppKey) {
        return envelope("2", "应用标识无效", "");
    }
    if (name == "GetDirectory") {
        return envelope("0", "成功", directory(lineBase));
    }
    if (name == "GetAppKeyProperties") {
        return envelope("0", "成功", appKeyProperties());
    }
    return envelope("0", "成功", userManageUrl(lineBase));
}

std::string SimDirectoryServer::businessLineUrl(const std::string& jys, const std::string& env,
                                                const std::string& yw, int line,
                                                const std::string& lineBase) {
    std::string url;
    {
        std::lock_guard lock(m_mutex);
        if (m_businessLine) {
            url = m_businessLine(jys, env, yw, line);
        }
    }
    if (!url.empty()) {
        return url;
    }
    return lineBase + "/trade/" + jys + "/" + env + "/" + yw + numbered("/", line);
}

std::string SimDirectoryServer::directory(const std::string& lineBase) {
    std::string part = "<YWSYS>";
    for (const auto& jys : exchanges()) {
        part += "<JYS" + attr("CODE", jys.code) + attr("JYSN", jys.name) + ">";
        for (const auto& env : jys.environments) {
            part += "<ENV" + attr("ENVCODE", env.code) + attr("ENVN", env.name) +
                    attr("ENVTAG", env.tag) + attr("ENVCAT", env.category) +
                    attr("TYPE", env.type) + ">";
            for (const char* yw : kBusinessTypes) {
                part += "<YW" + attr("TYPE", yw) + ">";
                for (int line = 0; line < 2; ++line) {
                    part +=
                        lineElement(std::string(yw) + std::to_string(line + 1), kLineNames[line],
                                    businessLineUrl(jys.code, env.code, yw, line, lineBase));
                }
                part += "</YW>";
            }
            part += "</ENV>";
        }
        part += "</JYS>";
    }
    part += "<HQ>";
    for (const auto& server : m_catalogue.servers) {
        const std::string zuid = numbered("HQ", server.index + 1);
        part += "<ZU" + attr("ZUID", zuid) + attr("ZUN", numbered("行情", server.index + 1)) + ">";
        int lineNumber = 1;
        if (server.index == 0) {
            part += lineElement("Q0", "备用线路", kDeadLineUrl);
        }
        for (const auto& url : m_quoteLines(server.index)) {
            part += lineElement(numbered("Q", lineNumber), numbered("线路", lineNumber), url);
            ++lineNumber;
        }
        part += "</ZU>";
    }
    for (const auto& server : m_catalogue.servers) {
        part += "<HP" + attr("INDEX", std::to_string(server.index)) +
                attr("ZUID", numbered("HQ", server.index + 1)) +
                attr("NAME", numbered("行情", server.index + 1)) + "/>";
    }
    part += "</HQ>";
    part += "<SERVICE" + attr("TYPE", "2") + "><ZU" + attr("ZUID", "SMS") + ">" +
            lineElement("S1", "短信", lineBase + "/sms") + "</ZU></SERVICE>";
    part += "<CMMD" + attr("JYSCODE", "01") + attr("ENVCODE", "01") + attr("CMMDCODE", "AG") + "/>";
    part += "<CMMD" + attr("JYSCODE", "01") + attr("ENVCODE", "01") + attr("CMMDCODE", "AU") + "/>";
    part += "<CMMD" + attr("ENVCODE", "01") + attr("CMMDCODE", "YB") + "/>";
    part += "</YWSYS>";
    return part;
}

std::string SimDirectoryServer::appKeyProperties() const {
    return "<PROPS><PROP" + attr("KEY", "IOSPLATFORM") + attr("VALUE", "1") + "/><PROP" +
           attr("KEY", "CUOHECODES") + attr("VALUE", "NI,XAG") + "/></PROPS>";
}

std::string SimDirectoryServer::userManageUrl(const std::string& lineBase) const {
    return "<URL>" + SimXml::escaped(lineBase + "/user") + "</URL>";
}
