#pragma once

// Thrift binary-protocol values as the simulated analytics service reads them: any struct is
// decoded into a tree of fields by id, without knowing its schema, so the service and the tests
// can look at what the client sent. Plain values; any thread.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SimThriftValue {
    int type = 0;  // the Thrift type code (8 i32, 10 i64, 11 string, 12 struct, 13 map, 15 list)
    int64_t integer = 0;
    double real = 0;
    std::string text;  // strings and binaries
    std::map<int16_t, SimThriftValue> fields;
    std::vector<SimThriftValue> items;
    std::vector<std::pair<SimThriftValue, SimThriftValue>> entries;

    const SimThriftValue* field(int16_t id) const;
    // Convenience reads of a field: 0 / "" / empty when absent.
    int64_t integerAt(int16_t id) const;
    std::string textAt(int16_t id) const;
    const std::vector<SimThriftValue>& listAt(int16_t id) const;
};

class SimThrift {
public:
    // One struct from the front of the bytes; nothing when they are cut short or malformed.
    static std::optional<SimThriftValue> readStruct(const std::string& bytes);
    // The whole bytes must be one struct.
    static bool isExactStruct(const std::string& bytes);

    struct ImprintEntry {
        std::string name;
        std::string value;
        int64_t ts = 0;
        std::string guid;
    };
    // A Response struct: resp_code, msg, and an imprint when entries are given.
    static std::string response(int32_t respCode, const std::string& msg,
                                const std::vector<ImprintEntry>& imprint, int32_t version,
                                bool validChecksum);
    // Lower-case (or upper-case) hexadecimal MD5 of the bytes.
    static std::string md5Hex(const std::string& bytes, bool upper = false);
    static std::string imprintChecksum(const std::vector<ImprintEntry>& imprint, int32_t version);
};
