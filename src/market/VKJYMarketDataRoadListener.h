#pragma once

// What the market list's data road tells its screen. Empty default bodies. Main thread.

class VKJYMarketCatalogue;

class VKJYMarketDataRoadListener {
public:
    virtual ~VKJYMarketDataRoadListener() = default;

    // The road started or ended building the catalogue or renewing sessions.
    virtual void marketRoadBusyChanged(bool /*busy*/) {}
    // Every panel has answered; the catalogue is about to be merged (first-launch defaults
    // read it in this form).
    virtual void marketRoadCatalogueAnswered(const VKJYMarketCatalogue& /*beforeMerge*/) {}
    // A new catalogue is merged and shown from now on.
    virtual void marketRoadCatalogueComplete() {}
    // New quotes are in the table, and handed to the trading side.
    virtual void marketRoadQuotesChanged() {}
    // A request other than a quote refresh reached no line of its server, or the build ended
    // with no market or no commodity (every answer unreadable or a return code); the road waits
    // for retry(). Told once until then.
    virtual void marketRoadFailed() {}
};
