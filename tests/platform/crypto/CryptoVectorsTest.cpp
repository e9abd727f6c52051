#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/crypto/Aes128Ecb.h"
#include "platform/crypto/Base64.h"
#include "platform/crypto/Hex.h"
#include "platform/crypto/Md5.h"
#include "platform/crypto/Sha1.h"

namespace {

Bytes hex(std::string_view text) {
    return Hex::decode(text).value();
}

Bytes bytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

}  // namespace

TEST(Aes128Ecb, shouldMatchTheFips197CipherExamples) {
    struct Example {
        const char* key;
        const char* plain;
        const char* cipher;
    };
    const Example examples[] = {
        {"000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
         "69c4e0d86a7b0430d8cdb78070b4c55a"},
        {"2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
         "3925841d02dc09fbdc118597196a0b32"},
    };
    for (const Example& example : examples) {
        Bytes key = hex(example.key);
        auto cipher = Aes128Ecb::encrypt(hex(example.plain), key);
        ASSERT_TRUE(cipher);
        // A whole block of plain text gets a whole block of padding after it.
        ASSERT_EQ(cipher->size(), 32u);
        EXPECT_EQ(Hex::lower(Bytes(cipher->begin(), cipher->begin() + 16)), example.cipher);
        EXPECT_EQ(Aes128Ecb::decrypt(*cipher, key), hex(example.plain));
    }
}

TEST(Aes128Ecb, shouldRoundTripEveryPaddingLength) {
    Bytes key = bytes("0123456789abcdef");
    for (std::size_t length = 0; length <= 33; ++length) {
        Bytes plain(length, static_cast<std::uint8_t>(length * 7));
        auto cipher = Aes128Ecb::encrypt(plain, key);
        ASSERT_TRUE(cipher);
        EXPECT_EQ(cipher->size(), (length / 16 + 1) * 16);
        EXPECT_EQ(Aes128Ecb::decrypt(*cipher, key), plain) << length;
    }
}

TEST(Aes128Ecb, shouldRefuseBadPaddingLengthAndKeys) {
    Bytes key = hex("000102030405060708090a0b0c0d0e0f");
    // This block decrypts to 00112233...eeff: a last byte of 0xff is no valid padding.
    EXPECT_FALSE(Aes128Ecb::decrypt(hex("69c4e0d86a7b0430d8cdb78070b4c55a"), key));
    EXPECT_FALSE(Aes128Ecb::decrypt(Bytes(15, 1), key));
    EXPECT_FALSE(Aes128Ecb::decrypt(Bytes(), key));
    EXPECT_FALSE(Aes128Ecb::encrypt(bytes("plain"), Bytes(15, 1)));
    EXPECT_FALSE(Aes128Ecb::encrypt(bytes("plain"), Bytes(17, 1)));
    EXPECT_FALSE(Aes128Ecb::decrypt(Bytes(16, 1), Bytes()));
}

TEST(Md5, shouldMatchTheRfc1321TestSuite) {
    const std::pair<std::string, const char*> suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890123456789012345678901234567890"
         "1234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, digest] : suite) {
        EXPECT_EQ(Md5::lowerHex(text), digest) << text;
        EXPECT_EQ(Hex::lower(Md5::digest(bytes(text))), digest) << text;
    }
    EXPECT_EQ(Md5::upperHex("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(Md5::digest("abc").size(), 16u);
}

TEST(Sha1, shouldMatchTheRfc3174TestCases) {
    std::string repeated;
    for (int i = 0; i < 10; ++i) {
        repeated += "0123456701234567012345670123456701234567012345670123456701234567";
    }
    const std::pair<std::string, const char*> cases[] = {
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
        {repeated, "dea356a2cddd90c7a7ecedc5ebb563934f460452"},
    };
    for (const auto& [text, digest] : cases) {
        EXPECT_EQ(Sha1::lowerHex(text), digest);
        EXPECT_EQ(Hex::lower(Sha1::digest(bytes(text))), digest);
    }
}

TEST(Base64, shouldMatchTheRfc4648TestVectorsBothWays) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64::encode(std::string_view(plain)), encoded);
        EXPECT_EQ(Base64::decode(encoded), bytes(plain)) << encoded;
    }
}

TEST(Base64, shouldSkipLineBreaksAndRefuseMalformedText) {
    EXPECT_EQ(Base64::decode("Zm9v\r\nYmFy\n"), bytes("foobar"));
    Bytes all(256);
    for (int i = 0; i < 256; ++i) {
        all[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(Base64::decode(Base64::encode(all)), all);
    for (const char* bad : {"Zm9", "Zm9v!", "Zm9*", "Z===", "Zg==Zm9v", "Zm=v", "=Zm9", "Zg=a"}) {
        EXPECT_FALSE(Base64::decode(bad)) << bad;
    }
}

TEST(Hex, shouldRefuseOddLengthAndNonDigits) {
    EXPECT_EQ(Hex::decode("00fFa0"), (Bytes{0x00, 0xff, 0xa0}));
    EXPECT_FALSE(Hex::decode("abc"));
    EXPECT_FALSE(Hex::decode("zz"));
}
