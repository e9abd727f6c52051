#include <gtest/gtest.h>

#include "OpenSslReference.h"
#include "base/TMBSUtil.h"

namespace {

struct Decoded {
    std::string userId;
    std::string longtime;
};

// The server's side as the protocol document describes it: it knows the account's password.
std::optional<Decoded> serverDecode(const std::string& token, const std::string& userId,
                                    const std::string& password) {
    const auto cipher = reference::base64Decode(token);
    if (!cipher) {
        return std::nullopt;
    }
    const auto plain = reference::aesEcb(false, *cipher, reference::md5(userId + password), true);
    if (!plain) {
        return std::nullopt;
    }
    const std::string text(plain->begin(), plain->end());
    const size_t bar = text.rfind('|');
    if (bar == std::string::npos) {
        return std::nullopt;
    }
    return Decoded{text.substr(0, bar), text.substr(bar + 1)};
}

TEST(ClientToken, shouldLetTheServerRecoverAccountIdAndLoginTime) {
    const auto token = TMBSUtil::getClientTokenWithUserId("8001234", "pa$$word", "1700000000123");
    ASSERT_TRUE(token);
    EXPECT_EQ(token->size(), 44u) << "21 bytes of text make two blocks, 44 Base64 characters";
    const auto decoded = serverDecode(*token, "8001234", "pa$$word");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->userId, "8001234");
    EXPECT_EQ(decoded->longtime, "1700000000123");
}

TEST(ClientToken, shouldMatchTheWorkedExampleOfTheProtocolDocument) {
    EXPECT_EQ(TMBSUtil::getClientTokenWithUserId("8001234", "pa$$word", "1700000000123"),
              "xu9sxxTVSYD9GyNNOTQg3ViVpHeBO1gGhVZGUIGZLF8=");
}

TEST(ClientToken, shouldCarryNeitherThePasswordNorThePlainIds) {
    const auto token = *TMBSUtil::getClientTokenWithUserId("8001234", "pa$$word", "1700000000123");
    EXPECT_EQ(token.find("8001234"), std::string::npos);
    EXPECT_EQ(token.find("pa$$word"), std::string::npos);
    const auto raw = *reference::base64Decode(token);
    EXPECT_EQ(std::string(raw.begin(), raw.end()).find("8001234"), std::string::npos);
}

TEST(ClientToken, shouldNotDecodeToTheSameAccountUnderAWrongPassword) {
    const auto token = *TMBSUtil::getClientTokenWithUserId("8001234", "pa$$word", "1700000000123");
    const auto decoded = serverDecode(token, "8001234", "guess");
    EXPECT_TRUE(!decoded || decoded->userId != "8001234");
}

TEST(ClientToken, shouldChangeWithTheLoginTime) {
    const auto first = TMBSUtil::getClientTokenWithUserId("8001234", "pw", "1700000000123");
    const auto again = TMBSUtil::getClientTokenWithUserId("8001234", "pw", "1700000000123");
    const auto later = TMBSUtil::getClientTokenWithUserId("8001234", "pw", "1700000000124");
    EXPECT_EQ(first, again);
    EXPECT_NE(first, later);
}

TEST(ClientToken, shouldWorkForEmptyAndChinesePasswords) {
    for (const std::string password : {"", "密码"}) {
        const auto token = TMBSUtil::getClientTokenWithUserId("a", password, "1");
        ASSERT_TRUE(token);
        const auto decoded = serverDecode(*token, "a", password);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->longtime, "1");
    }
}

}  // namespace
