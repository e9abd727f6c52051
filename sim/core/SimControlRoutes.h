#pragma once

// The control service of the simulated exchange, for tests that run `vkjy-sim` as a separate
// process (in-process tests call SimExchange directly). Every route is a POST with query
// parameters and answers "ok" or 400 with the reason:
//   /control/advance?ms=N                         move the clock forward
//   /control/work?ms=N                            every line of the quote, directory and trading
//                                                 services works N ms of real time on each
//                                                 request before routing it, as a loaded machine
//                                                 would (0: none); not a hold: paced time stands
//                                                 still meanwhile
//   /control/quote/expire?server=I                end the server's sessions
//   /control/quote/line?server=I&line=L&state=S   S: refuse, late (with &delayMs=N) or normal
//   /control/quote/malform?server=I&protocol=P&kind=K   K: short-head, cut-body, extra-byte
//   /control/quote/barless?server=I&period=P&on=B       B 1 (default): K-line replies of period P
//                                                       carry no bars; 0: bars again
// and GET /control/status lists the quote lines. Handlers run on the control line's thread.

namespace httplib {
class Server;
}
class SimExchange;

class SimControlRoutes {
public:
    static void install(httplib::Server& server, SimExchange& exchange);
};
