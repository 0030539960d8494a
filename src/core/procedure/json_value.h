#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace photara {

struct JsonMember;

// A parsed JSON document that remembers the line each value started on, so a reader of a
// recipe or a scene can say "line 12: field criteria[2].max".
struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<JsonValue> array;
    // Members in the order written; a name given twice is refused by the parser.
    std::vector<JsonMember> members;
    int line = 1;

    bool isObject() const { return type == Type::Object; }
    bool isArray() const { return type == Type::Array; }
    bool isString() const { return type == Type::String; }
    bool isNumber() const { return type == Type::Number; }
    bool isBool() const { return type == Type::Bool; }
    // The member called name, or nullptr (also when this is no object).
    const JsonValue* find(std::string_view name) const;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

struct JsonError {
    int line = 1;
    int column = 1;
    std::string message;  // "expected ',' or '}'"
};

// RFC 8259 JSON, strict: no comments, no trailing commas, no duplicate names, numbers that
// fit a double. Nesting is limited (64 levels) so a hostile file cannot exhaust the stack.
std::variant<JsonValue, JsonError> parseJson(std::string_view text);

// text as a JSON string literal, quotes included; control characters escaped.
std::string jsonQuote(std::string_view text);
// A number as JSON writes it: shortest text that reads back the same; null for NaN or ±inf.
std::string jsonNumber(double value);

}  // namespace photara
