#pragma once
// The record tables of the trading replies: which reply keys each query keeps and how it
// converts them. Data only; used by PXTradeDataAnalysis.

#include "trade/core/PXTradeReplyRules.h"

struct PXTradeRowsTable {
    bool countedByTtlrec;
    PXTradeReplyRules totals;  // read from "REP" into the first row
    PXTradeReplyRules rows;
};

enum PXTradeRowsKind {
    kRowsOrders,
    kRowsDeals,
    kRowsReportClosed,
    kRowsReportDeals,
    kRowsReportHoldings,
    kRowsReportFundsFlow,
    kRowsReportFundsStat,
    kRowsMarketFunds,
    kRowsBanks,
    kRowsTransfers,
    kRowsAnnouncements,
    kRowsListings,
    kRowsKindCount
};

const PXTradeRowsTable& tradeRowsTable(int kind);
const PXTradeReplyRules& tradeAccountRules();
const PXTradeReplyRules& tradeAnnouncementDetailRules();
