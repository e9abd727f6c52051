#include <gtest/gtest.h>

#include "OpenSslReference.h"
#include "base/Base64Codec.h"
#include "base/NSDataAES128.h"
#include "base/NSStringUtil.h"
#include "platform/foundation/SystemInfo.h"

namespace {

using reference::fromHex;

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

TEST(NSStringUtilDigest, shouldWriteMd5AsThirtyTwoUpperCaseDigits) {
    EXPECT_EQ(NSStringUtil::md5(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(NSStringUtil::md5("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(NSStringUtil::md5("message digest"), "F96B697D7CB7938D525A2F31AAF161D0");
    EXPECT_EQ(NSStringUtil::md5("中"), "AED1DFBC31703955E64806B799B67645")
        << "digest of the UTF-8 bytes E4 B8 AD";
}

TEST(Base64CodecTest, shouldEncodeAndDecodeThePublishedVectors) {
    const std::pair<const char*, const char*> vectors[] = {{"", ""},
                                                           {"f", "Zg=="},
                                                           {"fo", "Zm8="},
                                                           {"foo", "Zm9v"},
                                                           {"foob", "Zm9vYg=="},
                                                           {"fooba", "Zm9vYmE="},
                                                           {"foobar", "Zm9vYmFy"}};
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64Codec::encodeData(bytesOf(plain)), encoded);
        EXPECT_EQ(Base64Codec::decodeString(encoded), bytesOf(plain)) << encoded;
    }
}

TEST(Base64CodecTest, shouldRefuseTextThatIsNotBase64) {
    EXPECT_FALSE(Base64Codec::decodeString("Zm9v!"));
    EXPECT_FALSE(Base64Codec::decodeString("Zm9"));
    EXPECT_FALSE(Base64Codec::decodeString("Z=9v"));
}

TEST(NSDataAES128Test, shouldMatchTheFips197BlockAndRoundTrip) {
    const Bytes key = fromHex("000102030405060708090a0b0c0d0e0f");
    const Bytes plain = fromHex("00112233445566778899aabbccddeeff");
    const auto cipher = NSDataAES128::SpecialAES128EncryptWithKey(plain, key);
    ASSERT_TRUE(cipher);
    ASSERT_EQ(cipher->size(), 32u) << "a whole block of padding follows a full block";
    EXPECT_EQ(Bytes(cipher->begin(), cipher->begin() + 16),
              fromHex("69c4e0d86a7b0430d8cdb78070b4c55a"));
    EXPECT_EQ(cipher, reference::aesEcb(true, plain, key, true));
    EXPECT_EQ(NSDataAES128::SpecialAES128DecryptWithKey(*cipher, key), plain);
}

TEST(NSDataAES128Test, shouldGiveNothingWithoutAProperKeyOrCiphertext) {
    const Bytes key = fromHex("000102030405060708090a0b0c0d0e0f");
    const Bytes cipher = *reference::aesEcb(true, bytesOf("history"), key, true);
    EXPECT_FALSE(NSDataAES128::SpecialAES128DecryptWithKey(cipher, Bytes{}));
    EXPECT_FALSE(NSDataAES128::SpecialAES128DecryptWithKey(cipher, Bytes(15, 1)));
    EXPECT_FALSE(NSDataAES128::SpecialAES128DecryptWithKey(cipher, Bytes(17, 1)));
    EXPECT_FALSE(
        NSDataAES128::SpecialAES128DecryptWithKey(Bytes(cipher.begin(), cipher.end() - 1), key));
    EXPECT_FALSE(NSDataAES128::SpecialAES128DecryptWithKey(Bytes{}, key));
    EXPECT_FALSE(NSDataAES128::SpecialAES128EncryptWithKey(bytesOf("x"), Bytes(8, 0)));
}

class Md5Decoded : public testing::Test {
protected:
    const std::string m_keyText = "8001234pa$$word";
    const Bytes m_key = reference::md5(m_keyText);
    // Two length-prefixed fields, as the logon reply's session material carries them.
    const Bytes m_plain = {0x03, 0x00, 0xAA, 0xBB, 0xCC, 0x02, 0x00, 'S', '1'};
};

TEST_F(Md5Decoded, shouldOpenWhatAServerEncryptedUnderTheMd5OfTheKeyText) {
    const std::string sent =
        reference::base64Encode(*reference::aesEcb(true, m_plain, m_key, true));
    EXPECT_EQ(NSStringUtil::md5Decoded(m_keyText, sent), m_plain);
}

TEST_F(Md5Decoded, shouldFailOnBadBase64) {
    EXPECT_FALSE(NSStringUtil::md5Decoded(m_keyText, "@@@@"));
    EXPECT_FALSE(NSStringUtil::md5Decoded(m_keyText, "QUJD="));
}

TEST_F(Md5Decoded, shouldFailOnBadPaddingOrLength) {
    Bytes block(16, 0x41);
    block[15] = 0x00;
    const auto unpadded = *reference::aesEcb(true, block, m_key, false);
    EXPECT_FALSE(NSStringUtil::md5Decoded(m_keyText, reference::base64Encode(unpadded)))
        << "a last byte of 0 is no PKCS7 padding";
    block[15] = 0x11;
    const auto tooLong = *reference::aesEcb(true, block, m_key, false);
    EXPECT_FALSE(NSStringUtil::md5Decoded(m_keyText, reference::base64Encode(tooLong)));
    EXPECT_FALSE(NSStringUtil::md5Decoded(m_keyText, reference::base64Encode(Bytes(15, 7))));
    EXPECT_FALSE(NSStringUtil::md5Decoded(m_keyText, ""));
}

TEST_F(Md5Decoded, shouldNotOpenMaterialMeantForAnotherPassword) {
    const std::string sent =
        reference::base64Encode(*reference::aesEcb(true, m_plain, m_key, true));
    EXPECT_NE(NSStringUtil::md5Decoded("8001234other", sent), m_plain);
}

TEST(NSStringUtilEmpty, shouldTreatNothingNullAndBlankTextAsEmpty) {
    EXPECT_TRUE(NSStringUtil::isEmptyString(std::nullopt));
    EXPECT_TRUE(NSStringUtil::isEmptyString("(null)"));
    EXPECT_TRUE(NSStringUtil::isEmptyString(""));
    EXPECT_TRUE(NSStringUtil::isEmptyString(" \t\r\n"));
    EXPECT_TRUE(NSStringUtil::isEmptyString("\u3000"));
    EXPECT_FALSE(NSStringUtil::isEmptyString("0"));
    EXPECT_FALSE(NSStringUtil::isEmptyString(" (null) x"));
    EXPECT_FALSE(NSStringUtil::isEmptyString("<RESP/>"));
}

TEST(NSStringUtilMacAddress, shouldWriteSixUpperCaseHexPairsOrNothing) {
    SystemInfo::setMacAddress(SystemInfo::MacAddress{0x00, 0x1a, 0x2b, 0xc3, 0x0d, 0xfe});
    EXPECT_EQ(NSStringUtil::macaddress(), "00:1A:2B:C3:0D:FE");
    SystemInfo::setMacAddress(std::nullopt);
    EXPECT_EQ(NSStringUtil::macaddress(), std::nullopt);
    SystemInfo::resetOverrides();
}

}  // namespace
