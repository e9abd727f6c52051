#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLANJsonValue.h"
#include "platform/foundation/Bytes.h"

// The analytics library's one entry point for facts and helpers: answers some facts itself
// (fixed MAC address and library version, application version, time zone, resolution,
// advertising identifier, session ids) and forwards the rest to TLANProtocolData, TLANUtils,
// TLANDeflated and TLANSharedUDID. Class operations; any thread.
class TLANUtil {
public:
    static std::string deviceMacAddressString() { return "02:00:00:00:00:00"; }
    static std::string sdkVersionString() { return "3.1.2"; }
    static std::string sdkTypeString() { return "iOS"; }
    // The version handed to the settings when set and not empty, else Info.plist
    // "CFBundleVersion".
    static std::string appVersionString();
    static int timezone();
    static int resolutionHeight();
    static int resolutionWidth();
    static std::string idfa();
    static std::string returnCheck(const std::optional<std::string>& text);
    // 32 upper-case hexadecimal digits, new at every call.
    static std::string sessionId();
    // At most that many UTF-8 bytes of whole characters; the text unchanged when nothing fits.
    static std::string getString(const std::string& text, int64_t bytesLength);

    static std::string dateString();
    static std::string timeString();
    static std::string osString();
    static std::string osVersionString();
    static std::string deviceModelString();
    static std::string idfv();
    static std::string sharedUDIDString();
    static std::string resolutionString();
    static bool isPad();
    static std::string accessString();
    static std::string carrierString();
    static std::string appPackageNameString();
    static std::string appDisplayNameString();
    static std::string appShortVersionString();
    static std::string countryString();
    static std::string languageString();
    static std::string timezoneString();

    static std::string urlEncode(const std::string& text);
    static std::optional<std::string> JSONFragment(const TLANJsonValue& value);
    static std::optional<TLANJsonValue> JSONValue(const std::optional<std::string>& text);
    static std::optional<Bytes> deflatedData(const Bytes& data);
    static std::optional<Bytes> deflatedDataPrefixedWith(const Bytes& prefix, int level,
                                                         const Bytes& source);

    // MD5 as 32 upper-case hexadecimal digits of the UTF-8 bytes up to the first NUL.
    static std::string md5(const std::string& text);
    static Bytes md5BytesWithString(const std::string& text);
    static Bytes md5DataWithData(const Bytes& data);
    // Two lower-case digits a byte; "" for a count of zero or less.
    static std::string bytesToHexString(const uint8_t* bytes, int64_t length);
    static std::string sha1WithString(const std::string& text);
    // 40 lower-case hexadecimal digits.
    static std::string sha1WithData(const Bytes& data);
};
