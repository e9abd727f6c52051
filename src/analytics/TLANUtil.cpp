#include "analytics/TLANUtil.h"

#include <chrono>

#include "analytics/TLANDeflated.h"
#include "analytics/TLANDeviceFacts.h"
#include "analytics/TLANProtocolData.h"
#include "analytics/TLANSettings.h"
#include "analytics/TLANUtils.h"
#include "platform/crypto/Hex.h"
#include "platform/crypto/Md5.h"
#include "platform/crypto/Sha1.h"
#include "platform/foundation/Text.h"

namespace {

int scaledDimension(double points) {
    std::optional<double> scale = TLANDeviceFacts::current()->mainScreen().scale;
    return static_cast<int>(scale ? points * *scale : points);
}

}  // namespace

std::string TLANUtil::appVersionString() {
    std::optional<std::string> version = TLANSettings::current()->appVersion();
    if (version && !version->empty()) {
        return *version;
    }
    return TLANProtocolData::appBundleVersionString();
}

int TLANUtil::timezone() {
    return static_cast<int>(TLANDeviceFacts::current()->gmtOffsetSeconds() / 3600);
}

int TLANUtil::resolutionHeight() {
    return scaledDimension(TLANDeviceFacts::current()->mainScreen().boundsHeight);
}

int TLANUtil::resolutionWidth() {
    return scaledDimension(TLANDeviceFacts::current()->mainScreen().boundsWidth);
}

std::string TLANUtil::idfa() {
    return TLANDeviceFacts::current()->advertisingIdentifier().value_or("");
}

std::string TLANUtil::returnCheck(const std::optional<std::string>& text) {
    return text.value_or("");
}

std::string TLANUtil::sessionId() {
    constexpr uint32_t kModulus = 4294967295u;
    double now =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    uint32_t first = TLANUtils::randomUInt32() % kModulus;
    uint32_t second = TLANUtils::randomUInt32() % kModulus;
    return md5(Text::format("%f%@%u%u", now, TLANSettings::current()->appid(), first, second));
}

std::string TLANUtil::getString(const std::string& text, int64_t bytesLength) {
    if (bytesLength <= 0) {
        return text;
    }
    std::string prefix = TLANUtils::utf8Prefix(text, static_cast<size_t>(bytesLength));
    return prefix.empty() ? text : prefix;
}

std::string TLANUtil::dateString() {
    return TLANProtocolData::dateString();
}
std::string TLANUtil::timeString() {
    return TLANProtocolData::timeString();
}
std::string TLANUtil::osString() {
    return TLANProtocolData::osString();
}
std::string TLANUtil::osVersionString() {
    return TLANProtocolData::osVersionString();
}
std::string TLANUtil::deviceModelString() {
    return TLANProtocolData::deviceModelString();
}
std::string TLANUtil::idfv() {
    return TLANProtocolData::deviceIDVendorString();
}
std::string TLANUtil::sharedUDIDString() {
    return TLANProtocolData::sharedUDIDString();
}
std::string TLANUtil::resolutionString() {
    return TLANProtocolData::resolutionString();
}
bool TLANUtil::isPad() {
    return TLANProtocolData::isPad();
}
std::string TLANUtil::accessString() {
    return TLANProtocolData::accessString();
}
std::string TLANUtil::carrierString() {
    return TLANProtocolData::carrierString();
}
std::string TLANUtil::appPackageNameString() {
    return TLANProtocolData::appPackageNameString();
}
std::string TLANUtil::appDisplayNameString() {
    return TLANProtocolData::appDisplayNameString();
}
std::string TLANUtil::appShortVersionString() {
    return TLANProtocolData::appShortVersionString();
}
std::string TLANUtil::countryString() {
    return TLANProtocolData::countryString();
}
std::string TLANUtil::languageString() {
    return TLANProtocolData::languageString();
}
std::string TLANUtil::timezoneString() {
    return TLANProtocolData::timezoneString();
}

std::string TLANUtil::urlEncode(const std::string& text) {
    return TLANUtils::urlEncode(text);
}

std::optional<std::string> TLANUtil::JSONFragment(const TLANJsonValue& value) {
    return TLANUtils::JSONFragment(value);
}

std::optional<TLANJsonValue> TLANUtil::JSONValue(const std::optional<std::string>& text) {
    return TLANUtils::JSONValue(text);
}

std::optional<Bytes> TLANUtil::deflatedData(const Bytes& data) {
    return TLANDeflated::deflatedData(data);
}

std::optional<Bytes> TLANUtil::deflatedDataPrefixedWith(const Bytes& prefix, int level,
                                                        const Bytes& source) {
    return TLANDeflated::deflatedDataPrefixedWith(prefix, level, source);
}

std::string TLANUtil::md5(const std::string& text) {
    return TLANUtils::md5Value(text);
}

Bytes TLANUtil::md5BytesWithString(const std::string& text) {
    return Md5::digest(text);
}

Bytes TLANUtil::md5DataWithData(const Bytes& data) {
    return Md5::digest(data);
}

std::string TLANUtil::bytesToHexString(const uint8_t* bytes, int64_t length) {
    if (bytes == nullptr || length <= 0) {
        return "";
    }
    return Hex::lower(Bytes(bytes, bytes + length));
}

std::string TLANUtil::sha1WithString(const std::string& text) {
    return Sha1::lowerHex(text);
}

std::string TLANUtil::sha1WithData(const Bytes& data) {
    return Hex::lower(Sha1::digest(data));
}
