#include "sim/trade/SimTradeControlRoutes.h"

#include <httplib.h>

#include <cmath>
#include <functional>

#include "sim/core/SimExchange.h"

namespace {
using Request = httplib::Request;
using Response = httplib::Response;

std::optional<double> number(const Request& request, const char* name) {
    return request.has_param(name) ? simNumber(request.get_param_value(name)) : std::nullopt;
}

void answer(Response& response, const std::string& error, const std::string& ok = "ok") {
    response.status = error.empty() ? 200 : 400;
    response.set_content(error.empty() ? ok : error, "text/plain");
}

SimTradeServer* target(const Request& request, SimExchange& exchange) {
    return exchange.trade().server(request.get_param_value("jys"), request.get_param_value("env"));
}

std::string setLine(const Request& request, SimTradeServer& server) {
    auto line = number(request, "line");
    if (!line || *line < 0 || *line >= static_cast<double>(server.lineCount())) {
        return "unknown line";
    }
    SimHttpLine& chosen = server.line(static_cast<size_t>(*line));
    const std::string state = request.get_param_value("state");
    if (state == "refuse") {
        chosen.refuse();
    } else if (state == "late") {
        chosen.setDelayMs(static_cast<int>(number(request, "delayMs").value_or(11000)));
    } else if (state == "normal") {
        chosen.setDelayMs(0);
        return chosen.resume() ? "" : "cannot listen";
    } else {
        return "unknown state";
    }
    return {};
}

std::string movePrice(const Request& request, SimExchange& exchange, SimTradeServer& server) {
    auto id = server.ledger().quoteId(request.get_param_value("commodity"));
    auto delta = number(request, "delta");
    if (!id || !delta) {
        return "unknown commodity or delta";
    }
    exchange.market().movePrice(server.environment().quoteServer, *id, std::llround(*delta));
    return {};
}

// "ended-session requests N", then the latest of them by environment and name.
std::string endedSessionLine(SimTradeService& trade) {
    int count = 0;
    std::string latest;
    for (size_t i = 0; i < trade.serverCount(); ++i) {
        SimTradeLedger& ledger = trade.server(i).ledger();
        count += ledger.endedSessionRequests();
        for (const auto& name : ledger.latestEndedSessionRequests()) {
            latest += " " + ledger.environment().jysCode + "/" + ledger.environment().envCode +
                      " " + name;
        }
    }
    return "ended-session requests " + std::to_string(count) + (latest.empty() ? "" : ":") +
           latest + "\n";
}

// Installs a POST route that acts on the named environment.
template <typename Action>
void postFor(httplib::Server& server, SimExchange& exchange, const std::string& path,
             Action action) {
    server.Post(path, [&exchange, action](const Request& request, Response& response) {
        SimTradeServer* chosen = target(request, exchange);
        if (!chosen) {
            return answer(response, "unknown environment");
        }
        action(request, response, *chosen);
    });
}
}  // namespace

void SimTradeControlRoutes::install(httplib::Server& server, SimExchange& exchange) {
    postFor(server, exchange, "/control/trade/expire", [](auto& request, auto& response, auto& s) {
        s.ledger().expireSessions(request.get_param_value("account"));
        answer(response, {});
    });
    postFor(server, exchange, "/control/trade/elsewhere",
            [](auto& request, auto& response, auto& s) {
                const bool done = s.ledger().logonElsewhere(request.get_param_value("account"));
                answer(response, done ? "" : "unknown account");
            });
    postFor(server, exchange, "/control/trade/hold", [](auto& request, auto& response, auto& s) {
        const std::string name = request.get_param_value("name");
        if (name.empty()) {
            return answer(response, "name missing");
        }
        if (request.get_param_value("answered") == "1") {
            s.holdAnswers(name);
        } else {
            s.holdReplies(name);
        }
        answer(response, {});
    });
    postFor(server, exchange, "/control/trade/reverse", [](auto& request, auto& response, auto& s) {
        std::function<void()> deal;
        if (request.has_param("account") && request.has_param("commodity")) {
            deal = [&s, account = request.get_param_value("account"),
                    commodity = request.get_param_value("commodity"),
                    side = static_cast<int>(number(request, "side").value_or(1)),
                    qty = static_cast<int>(number(request, "qty").value_or(1))] {
                s.ledger().orderElsewhere(account, commodity, side, qty);
            };
        }
        s.beatSwap().arm(std::move(deal));
        answer(response, {});
    });
    postFor(server, exchange, "/control/trade/release", [](auto& request, auto& response, auto& s) {
        s.releaseReplies(request.get_param_value("name"));
        answer(response, {});
    });
    postFor(server, exchange, "/control/trade/idle", [](auto& request, auto& response, auto& s) {
        auto ms = number(request, "ms");
        if (!ms || *ms < 0) {
            return answer(response, "ms missing");
        }
        s.ledger().setIdleLimitMs(static_cast<int64_t>(*ms));
        answer(response, {});
    });
    postFor(server, exchange, "/control/trade/line",
            [](auto& request, auto& response, auto& s) { answer(response, setLine(request, s)); });
    postFor(server, exchange, "/control/trade/answer", [](auto& request, auto& response, auto& s) {
        auto code = number(request, "code");
        if (!code) {
            return answer(response, "code missing");
        }
        const auto nth = number(request, "nth");
        s.answerCodeNext(static_cast<int>(*code), request.get_param_value("name"),
                         nth ? static_cast<int>(*nth) : 1);
        answer(response, {});
    });
    postFor(server, exchange, "/control/trade/malform", [](auto& request, auto& response, auto& s) {
        s.malformNext(request.get_param_value("name"));
        answer(response, {});
    });
    postFor(server, exchange, "/control/trade/price",
            [&exchange](auto& request, auto& response, auto& s) {
                answer(response, movePrice(request, exchange, s));
            });
    postFor(server, exchange, "/control/trade/notice", [](auto& request, auto& response, auto& s) {
        // A time of its own dates it on the device's calendar when the market's clock is elsewhere.
        const auto time = number(request, "time");
        const int64_t id = time ? s.ledger().publishNotice(request.get_param_value("title"),
                                                           request.get_param_value("html"),
                                                           static_cast<int64_t>(*time))
                                : s.ledger().publishNotice(request.get_param_value("title"),
                                                           request.get_param_value("html"));
        answer(response, {}, std::to_string(id));
    });
    postFor(server, exchange, "/control/trade/order", [](auto& request, auto& response, auto& s) {
        const SimJson reply = s.ledger().orderElsewhere(
            request.get_param_value("account"), request.get_param_value("commodity"),
            static_cast<int>(number(request, "side").value_or(1)),
            static_cast<int>(number(request, "qty").value_or(1)));
        answer(response, reply.value("retcode", 0) == 0 ? "" : reply.dump());
    });
    // A request of the account from another device: every parameter but the environment, the
    // account and the name is a field of the request.
    postFor(server, exchange, "/control/trade/request", [](auto& request, auto& response, auto& s) {
        SimJson fields = SimJson::object();
        for (const auto& [key, value] : request.params) {
            if (key != "jys" && key != "env" && key != "account" && key != "name") {
                fields[key] = value;
            }
        }
        const SimJson reply = s.ledger().requestElsewhere(request.get_param_value("account"),
                                                          request.get_param_value("name"), fields);
        answer(response, reply.value("retcode", 0) == 0 ? "" : reply.dump());
    });
    postFor(server, exchange, "/control/trade/listing", [](auto& request, auto& response, auto& s) {
        const bool listed = s.ledger().listForFirm(
            request.get_param_value("firm"), request.get_param_value("commodity"),
            static_cast<int>(number(request, "side").value_or(0)),
            number(request, "price").value_or(0),
            static_cast<int>(number(request, "qty").value_or(0)));
        answer(response, listed ? "" : "listing refused");
    });
    postFor(server, exchange, "/control/trade/close", [](auto& request, auto& response, auto& s) {
        const auto holding = number(request, "holding");
        const bool closed = holding && s.ledger().closeElsewhere(request.get_param_value("account"),
                                                                 static_cast<int64_t>(*holding));
        answer(response, closed ? "" : "no such holding with free lots");
    });
    postFor(server, exchange, "/control/trade/holding", [](auto& request, auto& response, auto& s) {
        const bool held = s.ledger().holdElsewhere(
            request.get_param_value("account"), request.get_param_value("commodity"),
            static_cast<int>(number(request, "side").value_or(1)),
            static_cast<int>(number(request, "qty").value_or(1)));
        answer(response, held ? "" : "no such account or commodity, or no price");
    });
    postFor(server, exchange, "/control/trade/take", [](auto& request, auto& response, auto& s) {
        const auto listing = number(request, "listing");
        const std::string firm =
            request.has_param("firm") ? request.get_param_value("firm") : std::string("F002");
        const bool taken = listing && s.ledger().takeListing(static_cast<int64_t>(*listing), firm);
        answer(response, taken ? "" : "no such open listing");
    });
    server.Get("/control/trade/received", [&exchange](const Request& request, Response& response) {
        SimTradeServer* chosen = target(request, exchange);
        if (!chosen) {
            return answer(response, "unknown environment");
        }
        // No names: every request; the heartbeat's fields are its whole body.
        const bool every = !request.has_param("names");
        const std::string names = "," + request.get_param_value("names") + ",";
        size_t total = 0;
        const auto from = static_cast<size_t>(number(request, "from").value_or(0));
        SimJson requests = SimJson::array();
        for (const auto& item : chosen->receivedFrom(from, total)) {
            const SimJson body = SimJson::parse(item.body, nullptr, false);
            if (item.name.empty() || !body.is_object() ||
                (!every && names.find("," + item.name + ",") == std::string::npos)) {
                continue;
            }
            const bool enveloped = body.contains("VUZI") && body["VUZI"].is_object();
            if (!enveloped && !every) {
                continue;
            }
            requests.push_back(
                {{"name", item.name},
                 {"fields", enveloped ? body["VUZI"].value("REQ", SimJson()) : body}});
        }
        response.set_content(SimJson({{"next", total}, {"requests", requests}}).dump(),
                             "application/json");
    });
    server.Get("/control/trade/captcha", [&exchange](const Request& request, Response& response) {
        SimTradeServer* chosen = target(request, exchange);
        auto code =
            chosen ? chosen->ledger().captchaCode(request.get_param_value("uuid")) : std::nullopt;
        answer(response, code ? "" : "no such captcha", code.value_or(""));
    });
    server.Get("/control/trade/books", [&exchange](const Request& request, Response& response) {
        SimTradeServer* chosen = target(request, exchange);
        const SimJson books =
            chosen ? chosen->ledger().books(request.get_param_value("account")) : SimJson();
        if (books.is_null()) {
            return answer(response, "unknown environment or account");
        }
        response.set_content(books.dump(), "application/json");
    });
    server.Get("/control/trade/listings", [&exchange](const Request& request, Response& response) {
        SimTradeServer* chosen = target(request, exchange);
        if (!chosen) {
            return answer(response, "unknown environment");
        }
        const int side = static_cast<int>(number(request, "side").value_or(0));
        response.set_content(
            chosen->ledger().listingBook(request.get_param_value("commodity"), side).dump(),
            "application/json");
    });
    server.Get("/control/trade/prices", [&exchange](const Request& request, Response& response) {
        SimTradeServer* chosen = target(request, exchange);
        if (!chosen) {
            return answer(response, "unknown environment");
        }
        response.set_content(chosen->ledger().livePrices().dump(), "application/json");
    });
    server.Get("/control/trade/requests", [&exchange](const Request& request, Response& response) {
        SimTradeServer* chosen = target(request, exchange);
        if (!chosen) {
            return answer(response, "unknown environment");
        }
        SimJson counts = SimJson::object();
        for (const auto& [name, count] : chosen->requestCounts()) {
            counts[name] = count;
        }
        response.set_content(counts.dump(), "application/json");
    });
    server.Get("/control/trade/sms", [&exchange](const Request& request, Response& response) {
        auto code = exchange.trade().accountServices().smsCode(request.get_param_value("phone"));
        answer(response, code ? "" : "no code sent", code.value_or(""));
    });
    server.Post("/control/trade/resumed", [&exchange](const Request&, Response& response) {
        SimTradeService& trade = exchange.trade();
        for (size_t i = 0; i < trade.serverCount(); ++i) {
            trade.server(i).ledger().clientResumed();
        }
        response.set_content("ok", "text/plain");
    });
    server.Get("/control/trade/status", [&exchange](const Request&, Response& response) {
        std::string text;
        SimTradeService& trade = exchange.trade();
        for (size_t i = 0; i < trade.serverCount(); ++i) {
            SimTradeServer& item = trade.server(i);
            text += "trade " + item.environment().jysCode + " " + item.environment().envCode;
            for (size_t line = 0; line < item.lineCount(); ++line) {
                text += " " + item.lineBase(line);
            }
            text += "\n";
        }
        text += endedSessionLine(trade);
        response.set_content(text, "text/plain");
    });
}
