#pragma once

// The requester's side of a quote request. Exactly one of the first three operations comes per
// request, on the main thread; a chain that renews a session ends with requestSessionAgainFinished
// instead. The manager passes itself so that the requester can read typeNW and
// submissionPackageNM. Empty default bodies: a requester overrides only what it handles.

#include "quote/HQReplyData.h"

class HQNetworkManger;

class HQNetworkMangerDelegate {
public:
    virtual ~HQNetworkMangerDelegate() = default;

    virtual void dataAnalysisFinished(HQNetworkManger* /*manager*/, const HQReplyData& /*data*/) {}
    // The server's return code from the reply head; 0 when the reply could not be read.
    virtual void dataAnalysisFailed(HQNetworkManger* /*manager*/, int /*errorCode*/) {}
    // The transport error code (-1001 timed out, -1004 cannot connect, ...) once every line of
    // the server's group has failed.
    virtual void requestFailed(HQNetworkManger* /*manager*/, int /*errorCode*/) {}
    virtual void requestSessionAgainFinished() {}
};
