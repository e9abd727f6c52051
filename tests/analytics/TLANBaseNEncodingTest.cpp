#include <gtest/gtest.h>

#include <string>

#include "analytics/TLANBaseNEncoding.h"

namespace {

struct Vector {
    std::string input;
    std::string base64;
    std::string base32;
    std::string base32Hex;
    std::string base16;
};

// RFC 4648, section 10.
const Vector kRfc4648[] = {
    {"", "", "", "", ""},
    {"f", "Zg==", "MY======", "CO======", "66"},
    {"fo", "Zm8=", "MZXQ====", "CPNG====", "666F"},
    {"foo", "Zm9v", "MZXW6===", "CPNMU===", "666F6F"},
    {"foob", "Zm9vYg==", "MZXW6YQ=", "CPNMUOG=", "666F6F62"},
    {"fooba", "Zm9vYmE=", "MZXW6YTB", "CPNMUOJ1", "666F6F6261"},
    {"foobar", "Zm9vYmFy", "MZXW6YTBOI======", "CPNMUOJ1E8======", "666F6F626172"},
};

TEST(TLANBaseNEncoding, shouldEncodeAndDecodeTheRfc4648Vectors) {
    auto base64 = TLANBaseNEncoding::rfc4648Base64StringEncoding();
    auto base32 = TLANBaseNEncoding::rfc4648Base32StringEncoding();
    auto base32Hex = TLANBaseNEncoding::rfc4648Base32HexStringEncoding();
    auto base16 = TLANBaseNEncoding::hexStringEncoding();
    ASSERT_TRUE(base64 && base32 && base32Hex && base16);
    for (const Vector& v : kRfc4648) {
        EXPECT_EQ(base64->encodeString(v.input), v.base64);
        EXPECT_EQ(base32->encodeString(v.input), v.base32);
        EXPECT_EQ(base32Hex->encodeString(v.input), v.base32Hex);
        EXPECT_EQ(base16->encodeString(v.input), v.base16);
        EXPECT_EQ(base64->stringByDecoding(v.base64), v.input);
        EXPECT_EQ(base32->stringByDecoding(v.base32), v.input);
        EXPECT_EQ(base32Hex->stringByDecoding(v.base32Hex), v.input);
        EXPECT_EQ(base16->stringByDecoding(v.base16), v.input);
    }
}

TEST(TLANBaseNEncoding, shouldEncodeBytesWithTheOtherAlphabets) {
    EXPECT_EQ(TLANBaseNEncoding::binaryStringEncoding()->encode({0xA5, 0x01}), "1010010100000001");
    EXPECT_EQ(TLANBaseNEncoding::rfc4648Base64WebsafeStringEncoding()->encode({0xFB, 0xFF}),
              "-_8=");
    EXPECT_EQ(TLANBaseNEncoding::rfc4648Base64StringEncoding()->encode({0xFB, 0xFF}), "+/8=");
    EXPECT_EQ(TLANBaseNEncoding::crockfordBase32StringEncoding()->encode({0xFF}), "ZW");
}

TEST(TLANBaseNEncoding, shouldRefuseMalformedText) {
    auto base64 = TLANBaseNEncoding::rfc4648Base64StringEncoding();
    EXPECT_FALSE(base64->decode("Zg=a").has_value());
    EXPECT_FALSE(base64->decode("Zg!=").has_value());
    EXPECT_FALSE(base64->decode("Zh==").has_value());
    EXPECT_FALSE(base64->decode("Z\xC3\xA9==").has_value());
}

TEST(TLANBaseNEncoding, shouldDecodeSynonymsAndSkipIgnoredCharacters) {
    auto hex = TLANBaseNEncoding::hexStringEncoding();
    EXPECT_EQ(hex->decode("a5fF"), (Bytes{0xA5, 0xFF}));
    auto crockford = TLANBaseNEncoding::crockfordBase32StringEncoding();
    EXPECT_EQ(crockford->decode("zw"), crockford->decode("ZW"));
    EXPECT_EQ(crockford->decode("O0"), (Bytes{0x00}));
    EXPECT_EQ(crockford->decode("i0"), crockford->decode("10"));
    auto base64 = TLANBaseNEncoding::rfc4648Base64StringEncoding();
    EXPECT_FALSE(base64->decode("Zm9v\nYmFy").has_value());
    base64->ignoreCharacters("\n ");
    EXPECT_EQ(base64->stringByDecoding("Zm9v\nYm Fy"), "foobar");
}

TEST(TLANBaseNEncoding, shouldRefuseAlphabetsThatCannotEncode) {
    EXPECT_FALSE(TLANBaseNEncoding::stringEncodingWithString("abc").has_value());
    EXPECT_FALSE(TLANBaseNEncoding::stringEncodingWithString("abca").has_value());
    EXPECT_FALSE(TLANBaseNEncoding::stringEncodingWithString("a").has_value());
    EXPECT_FALSE(TLANBaseNEncoding::stringEncodingWithString("\xC3\xA9").has_value());
    auto quaternary = TLANBaseNEncoding::stringEncodingWithString("ACGT");
    ASSERT_TRUE(quaternary.has_value());
    EXPECT_EQ(quaternary->encode({0x1B}), "ACGT");
    EXPECT_EQ(quaternary->description(), "<Base4 StringEncoder: ACGT>");
}

}  // namespace
