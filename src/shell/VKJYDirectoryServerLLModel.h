#pragma once

// One line (server address) of a business, a quote-server group or a service in the directory
// server's answer. Plain record, shared by std::shared_ptr inside VKJYDirectoryServerModel.

#include <string>

struct VKJYDirectoryServerLLModel {
    std::string code;  // the trading store's tradeLinkType holds one of these
    std::string llna;  // display name
    std::string url;
};
