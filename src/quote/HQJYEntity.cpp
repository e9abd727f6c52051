#include "quote/HQJYEntity.h"

#include "quote/HQCommodityMatch.h"
#include "quote/VKJYHangQingDataClass.h"

std::shared_ptr<DiskInfo> HQJYEntity::ownDisk(int houseCode, int panelCode) const {
    for (const auto& item : m_catalogue) {
        if (!item) {
            continue;
        }
        for (const auto& market : item->MarketInfoArray) {
            if (!market || market->MarketID != static_cast<int16_t>(houseCode)) {
                continue;
            }
            for (const auto& disk : market->diskInfoArray) {
                if (disk && disk->ownDiskID == 0 &&
                    disk->DiskID == static_cast<int16_t>(panelCode)) {
                    return disk;
                }
            }
        }
    }
    return nullptr;
}

std::shared_ptr<commodityInfo> HQJYEntity::getHQproductInfoWithHouseCode(
    int houseCode, int panelCode, const std::optional<std::string>& productCode) const {
    if (!productCode || productCode->empty()) {
        return nullptr;
    }
    auto disk = ownDisk(houseCode, panelCode);
    if (!disk) {
        return nullptr;
    }
    for (const auto& commodity : disk->commodityInfoArray) {
        if (commodity && HQCommodityMatch::namesTradeCode(*commodity, *productCode)) {
            return commodity;
        }
    }
    return nullptr;
}

std::optional<std::vector<std::shared_ptr<commodityInfo>>>
HQJYEntity::getHQproductInfoWithHouseCode(int houseCode, int panelCode) const {
    auto disk = ownDisk(houseCode, panelCode);
    if (!disk) {
        return std::nullopt;
    }
    return disk->commodityInfoArray;
}

std::shared_ptr<YiKouJia> HQJYEntity::getHQyikoujiaWithCode(const commodityInfo& commodity) const {
    for (const auto& quote : m_quotes) {
        if (quote && HQCommodityMatch::isQuoteOf(*quote, commodity)) {
            return quote;
        }
    }
    return nullptr;
}

std::optional<std::vector<std::string>> HQJYEntity::getCommodityChooseList() const {
    auto dataClass = VKJYHangQingDataClass::current();
    if (!dataClass) {
        return std::nullopt;
    }
    return dataClass->HQChooseCommodityIDArray();
}
