#include "cli/json_test_parser.h"

#include <stdexcept>

namespace quorlen::testing {

namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    std::optional<JsonValue> Document() {
        std::optional<JsonValue> value = Value();
        SkipSpace();
        if (!value || m_at != m_text.size())
            return std::nullopt;
        return value;
    }

private:
    void SkipSpace() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\n' ||
                                        m_text[m_at] == '\r' || m_text[m_at] == '\t'))
            ++m_at;
    }
    bool Eat(std::string_view word) {
        if (m_text.substr(m_at, word.size()) != word)
            return false;
        m_at += word.size();
        return true;
    }

    std::optional<JsonValue> Value() {
        SkipSpace();
        if (m_at >= m_text.size())
            return std::nullopt;
        const char c = m_text[m_at];
        if (c == '{')
            return Object();
        if (c == '[')
            return Array();
        if (c == '"') {
            std::optional<std::string> text = String();
            return text ? std::optional<JsonValue>(JsonValue{*text}) : std::nullopt;
        }
        if (Eat("true"))
            return JsonValue{true};
        if (Eat("false"))
            return JsonValue{false};
        if (Eat("null"))
            return JsonValue{nullptr};
        return Number();
    }

    std::optional<JsonValue> Object() {
        ++m_at;
        JsonValue::Object members;
        SkipSpace();
        if (Eat("}"))
            return JsonValue{members};
        while (true) {
            SkipSpace();
            std::optional<std::string> key = String();
            SkipSpace();
            if (!key || !Eat(":"))
                return std::nullopt;
            std::optional<JsonValue> value = Value();
            if (!value)
                return std::nullopt;
            members.emplace_back(std::move(*key), std::move(*value));
            SkipSpace();
            if (Eat("}"))
                return JsonValue{members};
            if (!Eat(","))
                return std::nullopt;
        }
    }

    std::optional<JsonValue> Array() {
        ++m_at;
        std::vector<JsonValue> items;
        SkipSpace();
        if (Eat("]"))
            return JsonValue{items};
        while (true) {
            std::optional<JsonValue> value = Value();
            if (!value)
                return std::nullopt;
            items.push_back(std::move(*value));
            SkipSpace();
            if (Eat("]"))
                return JsonValue{items};
            if (!Eat(","))
                return std::nullopt;
        }
    }

    std::optional<JsonValue> Number() {
        const std::size_t start = m_at;
        if (m_at < m_text.size() && m_text[m_at] == '-')
            ++m_at;
        const std::size_t digits = m_at;
        while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
            ++m_at;
        if (m_at == digits || (m_text[digits] == '0' && m_at - digits > 1))
            return std::nullopt;
        return JsonValue{std::stod(std::string(m_text.substr(start, m_at - start)))};
    }

    std::optional<unsigned> Hex4() {
        if (m_at + 4 > m_text.size())
            return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= c - '0';
            else if (c >= 'a' && c <= 'f')
                value |= c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                value |= c - 'A' + 10;
            else
                return std::nullopt;
        }
        return value;
    }

    static void PutUtf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // The length of a well-formed UTF-8 sequence at m_at, or 0.
    std::size_t Utf8Length() const {
        const auto at = [&](std::size_t i) {
            return m_at + i < m_text.size()
                       ? static_cast<unsigned>(static_cast<unsigned char>(m_text[m_at + i]))
                       : 0u;
        };
        const unsigned char lead = at(0);
        const auto cont = [&](std::size_t i, unsigned lo = 0x80, unsigned hi = 0xBF) {
            return at(i) >= lo && at(i) <= hi;
        };
        if (lead >= 0xC2 && lead <= 0xDF)
            return cont(1) ? 2 : 0;
        if (lead >= 0xE0 && lead <= 0xEF)
            return cont(1, lead == 0xE0 ? 0xA0 : 0x80, lead == 0xED ? 0x9F : 0xBF) && cont(2) ? 3
                                                                                              : 0;
        if (lead >= 0xF0 && lead <= 0xF4)
            return cont(1, lead == 0xF0 ? 0x90 : 0x80, lead == 0xF4 ? 0x8F : 0xBF) && cont(2) &&
                           cont(3)
                       ? 4
                       : 0;
        return 0;
    }

    std::optional<std::string> String() {
        if (!Eat("\""))
            return std::nullopt;
        std::string out;
        while (m_at < m_text.size()) {
            const auto c = static_cast<unsigned char>(m_text[m_at]);
            if (c == '"') {
                ++m_at;
                return out;
            }
            if (c < 0x20)
                return std::nullopt;
            if (c >= 0x80) {
                const std::size_t length = Utf8Length();
                if (length == 0)
                    return std::nullopt;
                out.append(m_text.substr(m_at, length));
                m_at += length;
                continue;
            }
            ++m_at;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (m_at >= m_text.size())
                return std::nullopt;
            const char escape = m_text[m_at++];
            switch (escape) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                std::optional<unsigned> unit = Hex4();
                if (!unit || (*unit >= 0xDC00 && *unit <= 0xDFFF))
                    return std::nullopt;
                std::uint32_t cp = *unit;
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    if (!Eat("\\u"))
                        return std::nullopt;
                    std::optional<unsigned> low = Hex4();
                    if (!low || *low < 0xDC00 || *low > 0xDFFF)
                        return std::nullopt;
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
                }
                PutUtf8(out, cp);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace

const JsonValue& JsonValue::operator[](std::string_view key) const {
    for (const auto& [name, member] : AsObject()) {
        if (name == key)
            return member;
    }
    throw std::out_of_range("no member " + std::string(key));
}

std::optional<JsonValue> ParseJson(std::string_view text) {
    return Reader(text).Document();
}

} // namespace quorlen::testing
