#include "sim/TradeClient.h"

#include <openssl/evp.h>

#include <memory>

std::vector<uint8_t> testMd5(const std::string& text) {
    std::vector<uint8_t> digest(16);
    unsigned int size = 0;
    EVP_Digest(text.data(), text.size(), digest.data(), &size, EVP_md5(), nullptr);
    return digest;
}

std::vector<uint8_t> testAes(const std::vector<uint8_t>& key, const std::vector<uint8_t>& input,
                             bool encrypt) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                            EVP_CIPHER_CTX_free);
    EVP_CipherInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key.data(), nullptr,
                      encrypt ? 1 : 0);
    std::vector<uint8_t> out(input.size() + 32);
    int written = 0, last = 0;
    EVP_CipherUpdate(context.get(), out.data(), &written, input.data(),
                     static_cast<int>(input.size()));
    if (EVP_CipherFinal_ex(context.get(), out.data() + written, &last) != 1) {
        return {};
    }
    out.resize(static_cast<size_t>(written + last));
    return out;
}

std::string testBase64(const std::vector<uint8_t>& bytes) {
    std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int size = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()), bytes.data(),
                                     static_cast<int>(bytes.size()));
    out.resize(static_cast<size_t>(size));
    return out;
}

std::vector<uint8_t> testUnbase64(const std::string& text) {
    std::vector<uint8_t> out(text.size());
    const int size =
        EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<int>(text.size()));
    if (size < 0) {
        return {};
    }
    size_t pads = 0;
    for (size_t i = text.size(); i > 0 && text[i - 1] == '='; --i) {
        ++pads;
    }
    out.resize(static_cast<size_t>(size) - pads);
    return out;
}

std::string testClientToken(const std::string& user, const std::string& password,
                            const std::string& time) {
    const std::string plain = user + "|" + time;
    return testBase64(
        testAes(testMd5(user + password), std::vector<uint8_t>(plain.begin(), plain.end()), true));
}

const Json& Reply::rep() const {
    static const Json empty = Json::object();
    if (!json.is_object() || !json.contains("VUZI") || !json["VUZI"].contains("REP")) {
        return empty;
    }
    return json["VUZI"]["REP"];
}

int Reply::retcode() const {
    const Json& code = rep().contains("retcode") ? rep()["retcode"] : Json();
    if (code.is_number()) {
        return code.get<int>();
    }
    return code.is_string() ? std::stoi(code.get<std::string>()) : -99999;
}

Json Reply::records() const {
    const Json& r = rep();
    if (!r.contains("RESULTLIST") || !r["RESULTLIST"].is_object()) {
        return Json::array();
    }
    return r["RESULTLIST"].value("REC", Json::array());
}

Reply TradeClient::post(const std::string& path, const std::string& body,
                        const std::string& contentType, double timeoutSeconds) const {
    httplib::Client client(m_base);
    const auto whole = static_cast<time_t>(timeoutSeconds);
    const auto micros = static_cast<time_t>((timeoutSeconds - static_cast<double>(whole)) * 1e6);
    client.set_connection_timeout(whole, micros);
    client.set_read_timeout(whole, micros);
    Reply reply;
    auto result = client.Post(path, body, contentType);
    if (!result) {
        reply.status = -1;
        return reply;
    }
    reply.status = result->status;
    reply.body = result->body;
    reply.json = Json::parse(reply.body, nullptr, false);
    return reply;
}

Reply TradeClient::call(const std::string& link, const std::string& name,
                        const Fields& fields) const {
    Json req = Json::object();
    req["id"] = "0123456789ABCDEF0123456789ABCDEF";
    req["name"] = name;
    for (const auto& [key, value] : fields) {
        req[key] = value;
    }
    const Json top = {{"VUZI", {{"version", "1.0"}, {"REQ", req}}}};
    return post(link + "?req=" + name, top.dump(2));
}

Reply TradeClient::session(const std::string& link, const std::string& name,
                           const Fields& fields) const {
    Fields all = {{"USER_ID", m_user}, {"SESSION_ID", m_session}};
    all.insert(all.end(), fields.begin(), fields.end());
    return call(link, name, all);
}

Reply TradeClient::heartbeat(const Fields& fields) const {
    Json body = {{"uid", m_user}, {"ver", "1.0"}, {"sessionid", m_session}};
    for (const auto& [key, value] : fields) {
        body[key] = value;
    }
    return post("/trade?req=SYS_TIME_QUERY", body.dump(2));
}

Reply TradeClient::logon(const std::string& user, const std::string& password,
                         const std::string& time, const std::string& captchaCode,
                         const std::string& captchaId) {
    Reply reply = call("/trade", "logon",
                       {{"USER_ID", user},
                        {"PASSWORD", ""},
                        {"VALID_CODE", captchaCode},
                        {"VALID_UUID", captchaId},
                        {"LOGONTIME", time},
                        {"REGISTER_WORD", ""},
                        {"VERSIONINFO", "1.1"},
                        {"CLT_TOKEN", testClientToken(user, password, time)}});
    if (reply.retcode() != 0) {
        return reply;
    }
    const std::vector<uint8_t> plain =
        testAes(testMd5(user + password), testUnbase64(reply.rep().value("CLT_KEY", "")), false);
    if (plain.size() < 2) {
        return reply;
    }
    const size_t keyLength = plain[0] | (plain[1] << 8);
    const size_t at = 2 + keyLength;
    if (plain.size() < at + 2) {
        return reply;
    }
    const size_t sessionLength = plain[at] | (plain[at + 1] << 8);
    if (plain.size() < at + 2 + sessionLength) {
        return reply;
    }
    m_user = user;
    m_session.assign(plain.begin() + static_cast<long>(at) + 2,
                     plain.begin() + static_cast<long>(at + 2 + sessionLength));
    return reply;
}
