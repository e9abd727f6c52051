#pragma once

// Control routes of the simulated directory server, installed on the exchange's control line:
//   /control/directory/fail?count=N              the next N requests answer HTTP 503
//   /control/directory/code?count=N&code=C       the next N requests answer CODE C
//   /control/directory/line?line=L&state=S       S: refuse or normal
// Each is a POST answering "ok" or 400 with the reason. Handlers run on the control thread.

namespace httplib {
class Server;
}
class SimDirectoryServer;

class SimDirectoryControlRoutes {
public:
    static void install(httplib::Server& server, SimDirectoryServer& directory);
};
