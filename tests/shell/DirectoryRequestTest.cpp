#include <gtest/gtest.h>
#include <httplib.h>

#include <mutex>

#include "platform/foundation/RunLoop.h"
#include "shell/VKJYDirectoryRequest.h"
#include "shell/VKJYDirectoryUrlHelper.h"
#include "support/LoopbackHttpServer.h"
#include "support/ScopedEnvironment.h"

namespace {
// The request templates come from the source tree's resources.
class DirectoryRequestTest : public ::testing::Test {
    ScopedEnvironment m_resources{"VKJY_RESOURCES", VKJY_SOURCE_RESOURCES};
};

struct Seen {
    std::mutex mutex;
    std::string body;
    std::string contentType;
    int requests = 0;
};

std::optional<std::optional<VKJYDirectoryReply>> sendAndWait(
    VKJYDirectoryRequest& request, std::map<std::string, std::string> fields,
    VKJYDirectoryRequest::Validator validator = {}) {
    std::optional<std::optional<VKJYDirectoryReply>> result;
    request.send(
        "GetDirectory", std::move(fields),
        [&](std::optional<VKJYDirectoryReply> reply) { result = std::move(reply); },
        std::move(validator));
    RunLoop::runUntil([&] { return result.has_value(); }, 10);
    return result;
}
}  // namespace

TEST_F(DirectoryRequestTest, shouldPostTheFilledTemplateAsXmlWithEscapedValues) {
    LoopbackHttpServer server;
    Seen seen;
    server.server().Post("/dir", [&](const httplib::Request& req, httplib::Response& res) {
        std::lock_guard lock(seen.mutex);
        seen.body = req.body;
        seen.contentType = req.get_header_value("Content-Type");
        res.set_content("<RESP><CODE>0</CODE><MSG>成功</MSG><YWSYS/></RESP>", "text/xml");
    });
    server.start();
    VKJYDirectoryUrlHelper urls({server.url("/dir")});
    VKJYDirectoryRequest request(urls);
    auto result = sendAndWait(request, {{"APPKEY", "K&<1>"}, {"VERSION", "2.3.0"}});
    ASSERT_TRUE(result && *result);
    EXPECT_EQ((*result)->msg, "成功");
    std::lock_guard lock(seen.mutex);
    EXPECT_EQ(seen.contentType, "text/xml; charset=utf-8");
    EXPECT_EQ(seen.body,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ><NAME>GetDirectory</NAME>"
              "<APPKEY>K&amp;&lt;1&gt;</APPKEY><VERSION>2.3.0</VERSION><OSTYPE></OSTYPE></REQ>\n");
}

TEST_F(DirectoryRequestTest, shouldMoveOnWhenAReplyLacksWhatTheCallerNeeds) {
    LoopbackHttpServer first;
    LoopbackHttpServer second;
    first.server().Post("/dir", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<RESP><CODE>0</CODE><MSG/></RESP>", "text/xml");
    });
    second.server().Post("/dir", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<RESP><CODE>0</CODE><MSG/><YWSYS/></RESP>", "text/xml");
    });
    first.start();
    second.start();
    VKJYDirectoryUrlHelper urls({first.url("/dir"), second.url("/dir")});
    VKJYDirectoryRequest request(urls);
    auto result = sendAndWait(request, {}, [](const VKJYDirectoryReply& reply) {
        return reply.resp.elementForName("YWSYS").has_value();
    });
    ASSERT_TRUE(result && *result);
    EXPECT_EQ(urls.currentIndex(), 1u);
}

TEST_F(DirectoryRequestTest, shouldReportNothingWhenEveryUrlFails) {
    LoopbackHttpServer broken;
    broken.server().Post("/dir", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("not xml", "text/plain");
    });
    broken.start();
    const std::string refused =
        "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::refusedPort()) + "/dir";
    VKJYDirectoryUrlHelper urls({refused, broken.url("/dir")});
    VKJYDirectoryRequest request(urls);
    auto result = sendAndWait(request, {});
    ASSERT_TRUE(result);
    EXPECT_FALSE(*result);
    EXPECT_EQ(request.lastError(), "reply is not a RESP document");
    EXPECT_FALSE(request.isRunning());
}
