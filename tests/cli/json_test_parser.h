#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorlen::testing {

// A strict reader of one JSON value, for checking what the program writes: it rejects
// anything RFC 8259 does not allow, raw bytes that are not well-formed UTF-8 included.
struct JsonValue {
    using Object = std::vector<std::pair<std::string, JsonValue>>; // in the order written
    std::variant<std::nullptr_t, bool, double, std::string, std::vector<JsonValue>, Object> value;

    bool IsObject() const { return std::holds_alternative<Object>(value); }
    const Object& AsObject() const { return std::get<Object>(value); }
    const std::string& AsString() const { return std::get<std::string>(value); }
    double AsNumber() const { return std::get<double>(value); }
    bool AsBool() const { return std::get<bool>(value); }
    // The member of that name; throws when there is none.
    const JsonValue& operator[](std::string_view key) const;
};

std::optional<JsonValue> ParseJson(std::string_view text);

} // namespace quorlen::testing
