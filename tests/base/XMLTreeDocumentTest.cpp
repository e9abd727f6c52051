#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "base/XMLTreeDocument.h"

namespace {

const char* const kReply = R"(<?xml version="1.0" encoding="UTF-8"?>
<RESP MSG="成功">
  <CODE>0</CODE>
  <SERVICES>
    <SERVICE><YWSYSCODE>A1</YWSYSCODE><URL>http://a.example/x?p=1&amp;q=2</URL></SERVICE>
    <SERVICE><YWSYSCODE>B2</YWSYSCODE><URL><![CDATA[http://b.example/<y>]]></URL></SERVICE>
  </SERVICES>
  <NOTE>前<B>粗</B>后</NOTE>
</RESP>)";

XMLTreeElement parsedRoot(const std::string& xml) {
    std::string error;
    auto document = XMLTreeDocument::createWithXMLString(xml, 0, &error);
    EXPECT_TRUE(document) << error;
    auto root = document->rootElement();
    EXPECT_TRUE(root);
    return *root;
}

TEST(XMLTreeDocumentReading, shouldFindChildrenAttributesAndTexts) {
    const XMLTreeElement root = parsedRoot(kReply);
    EXPECT_EQ(root.name(), "RESP");
    EXPECT_EQ(root.elementForName("CODE")->stringValue(), "0");
    ASSERT_TRUE(root.attributeForName("MSG"));
    EXPECT_TRUE(root.attributeForName("MSG")->isAttribute());
    EXPECT_EQ(root.attributeForName("MSG")->stringValue(), "成功");
    EXPECT_FALSE(root.attributeForName("CODE"));
    EXPECT_FALSE(root.elementForName("MISSING"));

    const auto services = root.elementForName("SERVICES")->elementsForName("SERVICE");
    ASSERT_EQ(services.size(), 2u);
    EXPECT_EQ(services[0].elementForName("YWSYSCODE")->stringValue(), "A1");
    EXPECT_EQ(services[0].elementForName("URL")->stringValue(), "http://a.example/x?p=1&q=2");
    EXPECT_EQ(services[1].elementForName("URL")->stringValue(), "http://b.example/<y>");
    EXPECT_EQ(root.elementForName("NOTE")->stringValue(), "前粗后");
}

TEST(XMLTreeDocumentReading, shouldKeepTheDocumentAliveThroughItsElements) {
    std::optional<XMLTreeElement> code;
    {
        auto document = XMLTreeDocument::createWithXMLString(kReply);
        code = document->rootElement()->elementForName("CODE");
    }
    EXPECT_EQ(code->stringValue(), "0");
}

TEST(XMLTreeDocumentReading, shouldWalkChildElementsInDocumentOrder) {
    const XMLTreeElement root = parsedRoot(kReply);
    std::vector<std::string> names;
    for (const XMLTreeElement& child : root.children()) {
        names.push_back(child.name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"CODE", "SERVICES", "NOTE"}));
    EXPECT_TRUE(root.attributeForName("MSG")->children().empty());
}

TEST(XMLTreeDocumentXPath, shouldSelectElementsAndAttributes) {
    const XMLTreeElement root = parsedRoot(kReply);
    auto urls = root.nodesForXPath("/RESP/SERVICES/SERVICE[2]/URL");
    ASSERT_TRUE(urls);
    ASSERT_EQ(urls->size(), 1u);
    EXPECT_EQ((*urls)[0].stringValue(), "http://b.example/<y>");

    auto codes = root.elementForName("SERVICES")->nodesForXPath("SERVICE/YWSYSCODE");
    ASSERT_TRUE(codes);
    ASSERT_EQ(codes->size(), 2u) << "relative paths start at the element";
    EXPECT_EQ((*codes)[1].stringValue(), "B2");

    auto message = root.nodesForXPath("//@MSG");
    ASSERT_TRUE(message);
    ASSERT_EQ(message->size(), 1u);
    EXPECT_EQ((*message)[0].stringValue(), "成功");

    EXPECT_TRUE(root.nodesForXPath("//NOTHING")->empty());
}

TEST(XMLTreeDocumentXPath, shouldRefuseAnInvalidPathOrOneThatSelectsNoNodes) {
    const XMLTreeElement root = parsedRoot(kReply);
    std::string error;
    EXPECT_FALSE(root.nodesForXPath("///[", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(root.nodesForXPath("count(//SERVICE)"));
}

class MalformedXML : public testing::TestWithParam<std::string> {};

TEST_P(MalformedXML, shouldGiveNoDocumentAndAMessage) {
    std::string error;
    EXPECT_FALSE(XMLTreeDocument::createWithXMLString(GetParam(), 0, &error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Replies, MalformedXML,
                         testing::Values("", "   ", "<RESP><CODE>0</RESP>", "<RESP>",
                                         "not xml at all", "<A></A><B></B>",
                                         "<RESP MSG=\"x></RESP>", "<A>&undefined;</A>"));

TEST(XMLTreeDocumentSafety, shouldNotExpandInternalEntities) {
    const XMLTreeElement root =
        parsedRoot("<!DOCTYPE R [<!ENTITY big \"expanded\">]><R><V>a&big;b</V></R>");
    EXPECT_EQ(root.elementForName("V")->stringValue(), "ab");
}

TEST(XMLTreeDocumentSafety, shouldNeitherReadAFileNorFetchAUrlForExternalEntities) {
    const auto secretPath =
        std::filesystem::temp_directory_path() / ("xml-secret-" + std::to_string(getpid()));
    std::ofstream(secretPath) << "TOP-SECRET";

    httplib::Server server;
    std::atomic<int> hits{0};
    server.Get(".*", [&](const httplib::Request&, httplib::Response& response) {
        ++hits;
        response.set_content("FETCHED", "text/plain");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { server.listen_after_bind(); });
    while (!server.is_running()) {
        std::this_thread::yield();
    }

    const std::string xml = "<!DOCTYPE R [<!ENTITY file SYSTEM \"file://" + secretPath.string() +
                            "\"><!ENTITY web SYSTEM \"http://127.0.0.1:" + std::to_string(port) +
                            "/entity\">]><R><F>[&file;]</F><W>[&web;]</W></R>";
    auto document = XMLTreeDocument::createWithXMLString(xml);
    server.stop();
    serving.join();
    std::filesystem::remove(secretPath);

    EXPECT_EQ(hits.load(), 0);
    ASSERT_TRUE(document);
    const auto root = document->rootElement();
    EXPECT_EQ(root->elementForName("F")->stringValue(), "[]");
    EXPECT_EQ(root->elementForName("W")->stringValue(), "[]");
}

// Ten levels of ten references each would be 10^10 copies if anything expanded them.
TEST(XMLTreeDocumentSafety, shouldNotMultiplyNestedEntitiesIntoHugeTexts) {
    std::string dtd = "<!ENTITY e0 \"laugh\">";
    for (int level = 1; level <= 10; ++level) {
        std::string body;
        for (int i = 0; i < 10; ++i) {
            body += "&e" + std::to_string(level - 1) + ";";
        }
        dtd += "<!ENTITY e" + std::to_string(level) + " \"" + body + "\">";
    }
    const std::string xml = "<!DOCTYPE R [" + dtd + "]><R a=\"x\"><V>[&e10;]</V></R>";
    std::string error;
    const auto document = XMLTreeDocument::createWithXMLString(xml, 0, &error);
    if (!document) {
        // libxml2 refuses the amplification outright: as safe as keeping the references.
        EXPECT_FALSE(error.empty());
        return;
    }
    const auto root = document->rootElement();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->elementForName("V")->stringValue(), "[]");
    EXPECT_EQ(root->attributeForName("a")->stringValue(), "x");
}

}  // namespace
