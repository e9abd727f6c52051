#include "sim/core/SimControlRoutes.h"

#include <httplib.h>

#include <optional>

#include "sim/core/SimExchange.h"
#include "sim/directory/SimDirectoryControlRoutes.h"
#include "sim/trade/SimTradeControlRoutes.h"

namespace {
std::optional<long long> number(const httplib::Request& request, const char* name) {
    if (!request.has_param(name)) {
        return std::nullopt;
    }
    try {
        return std::stoll(request.get_param_value(name));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void answer(httplib::Response& response, const std::string& error) {
    response.status = error.empty() ? 200 : 400;
    response.set_content(error.empty() ? "ok" : error, "text/plain");
}

SimQuoteServer* quoteServer(const httplib::Request& request, SimExchange& exchange) {
    auto index = number(request, "server");
    if (!index || *index < 0 || static_cast<size_t>(*index) >= exchange.quoteServerCount()) {
        return nullptr;
    }
    return &exchange.quoteServer(static_cast<int>(*index));
}

std::string setLine(const httplib::Request& request, SimQuoteServer& server) {
    auto line = number(request, "line");
    if (!line || *line < 0 || static_cast<size_t>(*line) >= server.lineCount()) {
        return "unknown line";
    }
    SimHttpLine& target = server.line(static_cast<size_t>(*line));
    const std::string state = request.get_param_value("state");
    if (state == "refuse") {
        target.refuse();
    } else if (state == "late") {
        target.setDelayMs(static_cast<int>(number(request, "delayMs").value_or(11000)));
    } else if (state == "normal") {
        target.setDelayMs(0);
        if (!target.resume()) {
            return "cannot listen";
        }
    } else {
        return "unknown state";
    }
    return {};
}

template <typename Service>
void setWork(Service& service, int ms) {
    for (size_t line = 0; line < service.lineCount(); ++line) {
        service.line(line).setWorkMs(ms);
    }
}

// Every line of the quote, directory and trading services; the control line stays quick.
void setWork(SimExchange& exchange, int ms) {
    for (size_t i = 0; i < exchange.quoteServerCount(); ++i) {
        setWork(exchange.quoteServer(static_cast<int>(i)), ms);
    }
    setWork(exchange.directory(), ms);
    for (size_t i = 0; i < exchange.trade().serverCount(); ++i) {
        setWork(exchange.trade().server(i), ms);
    }
}

void tell(std::string& text, const std::string& who, const std::vector<std::string>& faults) {
    for (const auto& fault : faults) {
        text += who + ": " + fault + "\n";
    }
}

// Every fault of every service set and not yet spent, lifted or released.
std::string armedFaults(SimExchange& exchange) {
    std::string text;
    for (size_t i = 0; i < exchange.quoteServerCount(); ++i) {
        tell(text, "quote " + std::to_string(i),
             exchange.quoteServer(static_cast<int>(i)).armedFaults());
    }
    tell(text, "directory", exchange.directory().armedFaults());
    for (size_t i = 0; i < exchange.trade().serverCount(); ++i) {
        const SimTradeServer& trade = exchange.trade().server(i);
        tell(text, "trade " + trade.environment().jysCode + "/" + trade.environment().envCode,
             trade.armedFaults());
    }
    return text;
}

std::optional<SimMalform> malformKind(const std::string& kind) {
    if (kind == "short-head") {
        return SimMalform::ShortHead;
    }
    if (kind == "cut-body") {
        return SimMalform::CutBody;
    }
    if (kind == "extra-byte") {
        return SimMalform::ExtraByte;
    }
    return std::nullopt;
}
}  // namespace

void SimControlRoutes::install(httplib::Server& server, SimExchange& exchange) {
    SimDirectoryControlRoutes::install(server, exchange.directory());
    SimTradeControlRoutes::install(server, exchange);
    server.Post("/control/advance",
                [&exchange](const httplib::Request& request, httplib::Response& response) {
                    auto ms = number(request, "ms");
                    if (!ms || *ms < 0) {
                        return answer(response, "ms missing");
                    }
                    exchange.clock().advance(*ms);
                    answer(response, {});
                });
    server.Post("/control/work",
                [&exchange](const httplib::Request& request, httplib::Response& response) {
                    auto ms = number(request, "ms");
                    if (!ms || *ms < 0) {
                        return answer(response, "ms missing");
                    }
                    setWork(exchange, static_cast<int>(*ms));
                    answer(response, {});
                });
    server.Post("/control/quote/expire",
                [&exchange](const httplib::Request& request, httplib::Response& response) {
                    auto* target = quoteServer(request, exchange);
                    if (!target) {
                        return answer(response, "unknown server");
                    }
                    target->expireSessions();
                    answer(response, {});
                });
    // The next request of `protocol` (0: any that carries a session) is answered 2003.
    server.Post("/control/quote/lost", [&exchange](const httplib::Request& request,
                                                   httplib::Response& response) {
        auto* target = quoteServer(request, exchange);
        if (!target) {
            return answer(response, "unknown server");
        }
        target->answerSessionLostOnce(static_cast<int>(number(request, "protocol").value_or(0)));
        answer(response, {});
    });
    // Requests of `protocol` wait until released; held counts those waiting.
    for (const auto& [path, held] :
         {std::pair{"/control/quote/hold", true}, std::pair{"/control/quote/release", false}}) {
        server.Post(path, [&exchange, held = held](const httplib::Request& request,
                                                   httplib::Response& response) {
            auto* target = quoteServer(request, exchange);
            const auto protocol = number(request, "protocol");
            if (!target || !protocol) {
                return answer(response, "unknown server or protocol");
            }
            target->holdRequests(static_cast<int>(*protocol), held);
            answer(response, {});
        });
    }
    server.Get("/control/quote/held", [&exchange](const httplib::Request& request,
                                                  httplib::Response& response) {
        auto* target = quoteServer(request, exchange);
        const auto protocol = number(request, "protocol");
        if (!target || !protocol) {
            return answer(response, "unknown server or protocol");
        }
        response.set_content(std::to_string(target->heldRequests(static_cast<int>(*protocol))),
                             "text/plain");
    });
    server.Post("/control/quote/line",
                [&exchange](const httplib::Request& request, httplib::Response& response) {
                    auto* target = quoteServer(request, exchange);
                    answer(response, target ? setLine(request, *target) : "unknown server");
                });
    server.Post("/control/quote/malform", [&exchange](const httplib::Request& request,
                                                      httplib::Response& response) {
        auto* target = quoteServer(request, exchange);
        auto kind = malformKind(request.get_param_value("kind"));
        if (!target || !kind) {
            return answer(response, "unknown server or kind");
        }
        target->malformNext(static_cast<int>(number(request, "protocol").value_or(0)), *kind);
        answer(response, {});
    });
    server.Post("/control/quote/barless", [&exchange](const httplib::Request& request,
                                                      httplib::Response& response) {
        auto* target = quoteServer(request, exchange);
        const auto period = number(request, "period");
        if (!target || !period) {
            return answer(response, "unknown server or period");
        }
        target->setBarless(static_cast<int>(*period), number(request, "on").value_or(1) != 0);
        answer(response, {});
    });
    // One panel's commodity list is answered 2003 until the same with on=0.
    server.Post("/control/quote/panel/refuse", [&exchange](const httplib::Request& request,
                                                           httplib::Response& response) {
        auto* target = quoteServer(request, exchange);
        const auto market = number(request, "market");
        const auto disk = number(request, "disk");
        if (!target || !market || !disk) {
            return answer(response, "unknown server, market or disk");
        }
        target->refusePanelList(static_cast<int16_t>(*market), static_cast<int16_t>(*disk),
                                number(request, "on").value_or(1) != 0);
        answer(response, {});
    });
    for (const auto& [path, damaged] : {std::pair{"/control/quote/history/damage", true},
                                        std::pair{"/control/quote/history/repair", false}}) {
        server.Post(path, [&exchange, damaged = damaged](const httplib::Request& request,
                                                         httplib::Response& response) {
            auto* target = quoteServer(request, exchange);
            const std::string name = request.get_param_value("name");
            if (!target || name.empty()) {
                return answer(response, "unknown server or name");
            }
            target->damageHistoryFile(name, damaged);
            answer(response, {});
        });
    }
    server.Get("/control/armed",
               [&exchange](const httplib::Request&, httplib::Response& response) {
                   response.set_content(armedFaults(exchange), "text/plain");
               });
    server.Get("/control/status",
               [&exchange](const httplib::Request&, httplib::Response& response) {
                   std::string text;
                   for (size_t i = 0; i < exchange.quoteServerCount(); ++i) {
                       text += "quote " + std::to_string(i);
                       for (const auto& url : exchange.quoteLineUrls(static_cast<int>(i))) {
                           text += " " + url;
                       }
                       text += "\n";
                   }
                   response.set_content(text, "text/plain");
               });
}
