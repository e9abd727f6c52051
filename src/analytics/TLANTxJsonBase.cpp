#include "analytics/TLANTxJsonBase.h"

std::string TLANTxJsonBase::errorTraceText() const {
    std::string text;
    for (const auto& error : m_errorTrace) {
        text +=
            (text.empty() ? "" : "\n") + std::to_string(error->code) + ": " + error->description;
    }
    return text;
}

void TLANTxJsonBase::addErrorWithCode(int code, const std::string& description) {
    auto error = std::make_shared<TLANJsonError>();
    error->code = code;
    error->description = description;
    if (!m_errorTrace.empty()) {
        error->underlying = m_errorTrace.back();
    }
    m_errorTrace.push_back(std::move(error));
    if (m_errorTraceObserver) {
        m_errorTraceObserver();
    }
}

void TLANTxJsonBase::clearErrorTrace() {
    m_errorTrace.clear();
    if (m_errorTraceObserver) {
        m_errorTraceObserver();
    }
}

bool TLANTxJsonBase::enterContainer() {
    ++m_depth;
    if (m_maxDepth != 0 && m_depth > m_maxDepth) {
        addErrorWithCode(TLANJsonError::Depth, "Nested too deep");
        return false;
    }
    return true;
}
