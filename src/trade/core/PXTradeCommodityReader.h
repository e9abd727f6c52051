#pragma once
// Fills a PXTradeCommodity from one element of the commodity_query reply, converting the coded
// fields to their texts. Used by PXTradeDataAnalysis. Pure, any thread.

#include <memory>

#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeTypes.h"

std::shared_ptr<PXTradeCommodity> readTradeCommodity(const JYDict& element);
