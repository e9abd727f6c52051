#pragma once

// Control routes of the simulated trading side, installed on the exchange's control line. An
// environment is named by `jys` and `env` (exchange and environment codes). POST routes answer
// "ok" (or the new id) or 400 with the reason; GET routes answer the value asked for.
//   /control/trade/expire?jys&env[&account]            end sessions: their requests get 1004
//   /control/trade/elsewhere?jys&env&account=A          the account logs on from another device:
//                                                       its live session ends with 1004
//   /control/trade/idle?jys&env&ms=N                    sessions unused N ms end with 10001
//   /control/trade/line?jys&env&line=L&state=S          S: refuse, late (&delayMs=N) or normal
//   /control/trade/answer?jys&env&code=N[&name=R[&nth=K]]
//                                                       the next request (or the Kth next named
//                                                       R) is answered with N
//   /control/trade/malform?jys&env[&name=R]             the next reply (to R) is not JSON
//   /control/trade/hold?jys&env&name=R[&answered=1]     requests named R wait before they are
//                                                       acted on, or (answered) their replies
//                                                       wait after, until released
//   /control/trade/release?jys&env&name=R               lets the held requests named R go on
//   /control/trade/reverse?jys&env[&account=A&commodity=C[&side=S&qty=Q]]
//                                                       the next two heartbeats are answered in
//                                                       the other order: the first waits, not
//                                                       acted on, until the second has been, and
//                                                       the second's answer until the first's has
//                                                       left; with an account, an order at market
//                                                       of it (as /control/trade/order) is booked
//                                                       between the two; lapses after 10 s
//   /control/trade/price?jys&env&commodity=CODE&delta=N move a live price by N units
//   /control/trade/notice?jys&env&title=T&html=H[&time=MS]
//                                                       publish an announcement (answers its id),
//                                                       sent now or at that time
//   /control/trade/listing?jys&env&firm=F&commodity=C&side=S&price=P&qty=Q
//                                                       a listing of another firm
//   /control/trade/close?jys&env&account=A&holding=H   the holding closed whole from elsewhere
//   /control/trade/holding?jys&env&account=A&commodity=C&side=S&qty=Q
//                                                       lots of either mode opened for the
//                                                       account from elsewhere, at the live price
//   /control/trade/take?jys&env&listing=N[&firm=F]     another firm takes the listing's rest
//   /control/trade/request?jys&env&account=A&name=R&FIELD=V...
//                                                       request R of the account made on another
//                                                       device (order_x, set_loss_profit, ...),
//                                                       the other parameters its fields
//   /control/trade/resumed                              every environment: the client's thread,
//                                                       held by its tester, runs again; an answer
//                                                       given meanwhile counts as told from now
//   GET /control/trade/received?jys&env&from=N&names=R1,R2
//                                                       {"next": requests so far, "requests":
//                                                       [{"name", "fields"}]}: the kept requests
//                                                       named so, from the Nth on (from 0)
//   GET /control/trade/captcha?jys&env&uuid=U           the code of a pending captcha
//   GET /control/trade/sms?phone=P                      the last SMS code sent to a phone
//   GET /control/trade/books?jys&env&account=A         the account's money, holdings, orders
//                                                       and deals as JSON, with "live" and the
//                                                       live session's id ("session", or ""); a
//                                                       deal of a waiting order or stop carries
//                                                       the market it met ("market") and when
//                                                       that was placed ("placed")
//   GET /control/trade/listings?jys&env&commodity=C&side=S
//                                                       the open listings of that side, every
//                                                       firm's, as the book query answers them
//   GET /control/trade/status                           every environment's line addresses,
//                                                       then "ended-session requests N[: latest]":
//                                                       requests with an empty session, or that
//                                                       reached a line more than 2 s after their
//                                                       session was answered to be over (sooner
//                                                       they crossed that answer)
// Handlers run on the control line's thread.

namespace httplib {
class Server;
}
class SimExchange;

class SimTradeControlRoutes {
public:
    static void install(httplib::Server& server, SimExchange& exchange);
};
