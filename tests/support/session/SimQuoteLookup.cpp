#include "support/session/SimQuoteLookup.h"

#include <algorithm>
#include <cmath>

#include "quote/HQJYEntity.h"
#include "quote/VKJYHangQingDataClass.h"

namespace {
double scaled(int64_t units, uint8_t decimals) {
    return static_cast<double>(units) / std::pow(10.0, decimals);
}

std::shared_ptr<YiKouJia> quoteOf(SimExchange& sim, int server, const SimCommodity& def) {
    const auto live = sim.market().quote(server, def.id);
    if (!live) {
        return nullptr;
    }
    auto quote = std::make_shared<YiKouJia>();
    quote->commodityNum = def.id;
    quote->hpIndex = server;
    quote->pkLegth = 1;
    quote->newPrice = scaled(live->newPrice, def.decimals);
    quote->buyPrice = scaled(live->buyPrice, def.decimals);
    quote->sellPrice = scaled(live->sellPrice, def.decimals);
    quote->heigthestPrice = scaled(live->highest, def.decimals);
    quote->lowestPrice = scaled(live->lowest, def.decimals);
    quote->todayOpen = scaled(live->todayOpen, def.decimals);
    quote->yesterdayClose = scaled(live->yesterdayClose, def.decimals);
    quote->gpNum = live->gpNum;
    quote->gpNumSell = live->gpNumSell;
    quote->latestPriceTime = live->time;
    return quote;
}

// The quote the market list holds for a listed commodity: of its market and panel.
std::shared_ptr<YiKouJia> quoteOf(SimExchange& sim, int server, const commodityInfo& listed) {
    const SimCommodity* def = sim.catalogue().commodity(server, listed.CommodityID);
    auto quote = def ? quoteOf(sim, server, *def) : nullptr;
    if (quote) {
        quote->MarketID = listed.MarketID;
        quote->DiskID = listed.DiskID;
    }
    return quote;
}
}  // namespace

void SimQuoteLookup::fill(SimExchange& sim, VKJYHangQingDataClass& quotes, int server,
                          const std::vector<std::string>& withoutQuote) {
    const SimQuoteServerDef* def = sim.catalogue().server(server);
    if (!def) {
        return;
    }
    auto item = std::make_shared<MarketItem>();
    HQJYEntity::QuoteTable table;
    for (const auto& marketDef : def->markets) {
        auto market = std::make_shared<MarketInfo>();
        market->MarketID = marketDef.id;
        market->MarketIndex = server;
        for (const auto& diskDef : marketDef.disks) {
            auto disk = std::make_shared<DiskInfo>();
            disk->DiskID = diskDef.id;
            disk->ownDiskID = diskDef.ownDiskID;
            disk->DiskType = diskDef.diskType;
            for (int16_t id : diskDef.commodityIds) {
                const SimCommodity* commodity = sim.catalogue().commodity(server, id);
                auto info = std::make_shared<commodityInfo>();
                info->CommodityID = id;
                info->MarketID = marketDef.id;
                info->DiskID = diskDef.id;
                info->CommodityCode = commodity->code;
                info->CommodityName = commodity->name;
                info->panindex = server;
                info->leastPrice = commodity->decimals;
                info->productJYtype = commodity->productJYtype;
                info->CommodityCodeLetterCase = commodity->codeLetterCase;
                disk->commodityInfoArray.push_back(info);
                const bool skipped = std::find(withoutQuote.begin(), withoutQuote.end(),
                                               commodity->code) != withoutQuote.end();
                table.push_back(skipped ? nullptr : quoteOf(sim, server, *info));
            }
            market->diskInfoArray.push_back(disk);
        }
        item->MarketInfoArray.push_back(market);
    }
    auto entity = quotes.hqjyEntity() ? quotes.hqjyEntity() : std::make_shared<HQJYEntity>();
    entity->setCommodityInfoArray({item});
    entity->setCommodityYiKouJiaArray(table);
    quotes.setHqjyEntity(entity);
}

SimQuoteLookup::Prices SimQuoteLookup::prices(SimExchange& sim, const std::string& code,
                                              int server) {
    const SimQuoteServerDef* def = sim.catalogue().server(server);
    for (const auto& commodity : def ? def->commodities : std::vector<SimCommodity>()) {
        if (commodity.code != code) {
            continue;
        }
        if (const auto quote = quoteOf(sim, server, commodity)) {
            return {quote->newPrice, quote->buyPrice, quote->sellPrice};
        }
    }
    return {};
}
