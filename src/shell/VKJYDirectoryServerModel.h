#pragma once

// The directory server's answer to "GetDirectory" (docs/directory-protocol.md): the business
// system with exchanges, environments, businesses and their lines, quote-server groups and
// entries, services and first-launch commodities. Made once at start-up and owned by the
// application delegate; read-only afterwards. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "shell/VKJYDirectoryServerYwsysModel.h"

struct VKJYDirectoryReply;

class VKJYDirectoryServerModel {
public:
    VKJYDirectoryServerModel();
    // The model of a successful reply; nothing when the reply has no YWSYS part.
    static std::shared_ptr<VKJYDirectoryServerModel> createWithReply(
        const VKJYDirectoryReply& reply);

    const std::shared_ptr<VKJYDirectoryServerYwsysModel>& ywsys() const { return m_ywsys; }
    std::shared_ptr<VKJYDirectoryServerJysModel> jysModelForCode(const std::string& code) const;

private:
    std::shared_ptr<VKJYDirectoryServerYwsysModel> m_ywsys;
};
