#pragma once

// The quote servers named by the directory: one entry (HQHousePlate) per server in index order,
// and the line groups that reach them. The quote client asks linesForServer() for the fail-over
// order of a server's lines. Made at start-up from the directory answer, owned by the
// application delegate. Main thread.

#include <memory>
#include <string>
#include <vector>

#include "quote/QuoteRecords.h"
#include "shell/VKJYDirectoryServerZuModel.h"

struct VKJYDirectoryServerYwsysModel;

class VKJYHangQingUrlHelper {
public:
    VKJYHangQingUrlHelper() = default;
    static std::shared_ptr<VKJYHangQingUrlHelper> createWithYwsys(
        const VKJYDirectoryServerYwsysModel& ywsys);

    const std::vector<HQHousePlate>& housePlateAry() const { return m_housePlates; }
    const std::vector<std::shared_ptr<VKJYDirectoryServerZuModel>>& allUrlArray() const {
        return m_groups;
    }
    // Addresses of the lines of the server's group in answer order; empty for an unknown
    // server or group, and without lines whose address is empty.
    std::vector<std::string> linesForServer(int hpIndex) const;

private:
    std::vector<HQHousePlate> m_housePlates;
    std::vector<std::shared_ptr<VKJYDirectoryServerZuModel>> m_groups;
};
