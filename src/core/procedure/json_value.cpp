#include "core/procedure/json_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace photara {

const JsonValue* JsonValue::find(std::string_view name) const {
    if (type != Type::Object) return nullptr;
    for (const auto& [key, value] : members) {
        if (key == name) return &value;
    }
    return nullptr;
}

namespace {

constexpr int kMaxDepth = 64;

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::variant<JsonValue, JsonError> document() {
        skipSpace();
        JsonValue v;
        if (!value(v, 0)) return error_;
        skipSpace();
        if (pos_ != text_.size()) return fail("unexpected text after the document");
        return v;
    }

  private:
    JsonError fail(std::string message) {
        if (!failed_) {
            failed_ = true;
            error_ = {line_, static_cast<int>(pos_ - lineStart_) + 1, std::move(message)};
        }
        return error_;
    }
    bool failBool(std::string message) {
        fail(std::move(message));
        return false;
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }

    void skipSpace() {
        while (!atEnd()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                lineStart_ = pos_ + 1;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++pos_;
        }
    }

    bool literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return failBool("unknown word");
        pos_ += word.size();
        return true;
    }

    bool value(JsonValue& out, int depth) {
        if (depth > kMaxDepth) return failBool("nested too deeply");
        out.line = line_;
        switch (peek()) {
            case '{': return object(out, depth);
            case '[': return array(out, depth);
            case '"':
                out.type = JsonValue::Type::String;
                return string(out.string);
            case 't':
                out.type = JsonValue::Type::Bool;
                out.boolean = true;
                return literal("true");
            case 'f':
                out.type = JsonValue::Type::Bool;
                return literal("false");
            case 'n': return literal("null");
            default:
                if (peek() == '-' || (peek() >= '0' && peek() <= '9')) return number(out);
                return failBool(atEnd() ? "unexpected end of the file" : "expected a value");
        }
    }

    bool object(JsonValue& out, int depth) {
        out.type = JsonValue::Type::Object;
        ++pos_;
        skipSpace();
        if (peek() == '}') {
            ++pos_;
            return true;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"') return failBool("expected a name in quotes");
            std::string name;
            if (!string(name)) return false;
            if (out.find(name)) return failBool("the name \"" + name + "\" is given twice");
            skipSpace();
            if (peek() != ':') return failBool("expected ':'");
            ++pos_;
            skipSpace();
            JsonValue member;
            if (!value(member, depth + 1)) return false;
            out.members.push_back({std::move(name), std::move(member)});
            skipSpace();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == '}') {
                ++pos_;
                return true;
            }
            return failBool("expected ',' or '}'");
        }
    }

    bool array(JsonValue& out, int depth) {
        out.type = JsonValue::Type::Array;
        ++pos_;
        skipSpace();
        if (peek() == ']') {
            ++pos_;
            return true;
        }
        for (;;) {
            skipSpace();
            JsonValue item;
            if (!value(item, depth + 1)) return false;
            out.array.push_back(std::move(item));
            skipSpace();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == ']') {
                ++pos_;
                return true;
            }
            return failBool("expected ',' or ']'");
        }
    }

    static int hexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    bool hex4(std::uint32_t& out) {
        if (text_.size() - pos_ < 4) return failBool("a \\u escape needs four hex digits");
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const int d = hexDigit(text_[pos_++]);
            if (d < 0) return failBool("a \\u escape needs four hex digits");
            out = out * 16 + static_cast<std::uint32_t>(d);
        }
        return true;
    }

    static void appendUtf8(std::string& s, std::uint32_t cp) {
        if (cp < 0x80) {
            s += static_cast<char>(cp);
        } else if (cp < 0x800) {
            s += static_cast<char>(0xC0 | (cp >> 6));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            s += static_cast<char>(0xE0 | (cp >> 12));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            s += static_cast<char>(0xF0 | (cp >> 18));
            s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    bool string(std::string& out) {
        ++pos_;  // the opening quote
        for (;;) {
            if (atEnd()) return failBool("a string is not closed");
            const char c = text_[pos_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) {
                --pos_;
                return failBool("a control character inside a string");
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (atEnd()) return failBool("a string is not closed");
            const char e = text_[pos_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    std::uint32_t cp = 0;
                    if (!hex4(cp)) return false;
                    if (cp >= 0xD800 && cp < 0xDC00) {
                        std::uint32_t low = 0;
                        if (text_.substr(pos_, 2) != "\\u") return failBool("a lone surrogate");
                        pos_ += 2;
                        if (!hex4(low)) return false;
                        if (low < 0xDC00 || low > 0xDFFF) return failBool("a lone surrogate");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                        return failBool("a lone surrogate");
                    }
                    appendUtf8(out, cp);
                    break;
                }
                default: return failBool("an unknown escape in a string");
            }
        }
    }

    bool number(JsonValue& out) {
        const std::size_t start = pos_;
        if (peek() == '-') ++pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (!atEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
            return pos_ - from;
        };
        const std::size_t intStart = pos_;
        if (digits() == 0) return failBool("expected a digit");
        if (text_[intStart] == '0' && pos_ - intStart > 1) return failBool("a number with a leading zero");
        if (peek() == '.') {
            ++pos_;
            if (digits() == 0) return failBool("expected a digit after '.'");
        }
        if (peek() == 'e' || peek() == 'E') {
            ++pos_;
            if (peek() == '+' || peek() == '-') ++pos_;
            if (digits() == 0) return failBool("expected a digit in the exponent");
        }
        double v = 0;
        const auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, v);
        if (ec != std::errc() || end != text_.data() + pos_ || !std::isfinite(v)) {
            return failBool("a number out of range");
        }
        out.type = JsonValue::Type::Number;
        out.number = v;
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::size_t lineStart_ = 0;
    bool failed_ = false;
    JsonError error_;
};

}  // namespace

std::variant<JsonValue, JsonError> parseJson(std::string_view text) {
    return Parser(text).document();
}

std::string jsonQuote(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    static constexpr char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[(c >> 4) & 0xF];
                    out += kHex[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : "null";
}

}  // namespace photara
