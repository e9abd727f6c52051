#pragma once

// One quote request as its caller fills it (SubmissionPackage) and the registration login
// (LoginPackage). Plain values; the caller hands a package to HQNetworkManger and does not change
// it afterwards, because the manager reads it only on a later turn of the main run loop.

#include <memory>
#include <string>

struct SubmissionPackage {
    std::string protocolNum;
    std::string MarketID;
    std::string DiskID;
    std::string CommodityID;
    std::string period;
    std::string numberOfCommodity;
    std::string numberOfRequest;
    std::string requestTime;
    std::string direction;
    std::string searchDayCount;
    std::string wuDangID;
    std::string fenBiID;
    std::string pankouxuhao;
    std::string klineRequestType;  // "klineRequestFirst", "klineRequestNew" or "klineRequestAll"
    std::string LastRequestDate;
    int panleix = 0;        // quote-server index
    int yikoujiaCount = 0;  // the market list's refresh tick
    // On a server-time request: the time-sharing or K-line package it was made for.
    std::shared_ptr<SubmissionPackage> FenShiOrKLinePackageWhenRequestSeverTime;
};

struct LoginPackage {
    int userNameLength = 0;
    std::string userName;
    int passwordLength = 0;
    std::string password;
};
