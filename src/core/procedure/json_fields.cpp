#include "core/procedure/json_fields.h"

#include <cmath>

namespace photara {

JsonFields::JsonFields(JsonReport& report, const JsonValue& value, std::string path)
    : report_(report), value_(value), path_(std::move(path)) {}

std::string JsonFields::pathOf(const std::string& name) const {
    return path_.empty() ? name : path_ + "." + name;
}

void JsonFields::failAt(const JsonValue* v, const std::string& field, const std::string& message) {
    if (!report_.ok()) return;
    report_.line = v ? v->line : value_.line;
    report_.field = field;
    report_.message = message;
}

void JsonFields::fail(const std::string& name, const std::string& message) {
    const JsonValue* v = value_.find(name);
    failAt(v, name.empty() ? path_ : pathOf(name), message);
}

bool JsonFields::object() {
    if (value_.isObject()) return true;
    failAt(&value_, path_.empty() ? "(document)" : path_, "expected an object");
    return false;
}

const JsonValue* JsonFields::member(const std::string& name, bool required) {
    read_.insert(name);
    if (!report_.ok() || !value_.isObject()) return nullptr;
    const JsonValue* v = value_.find(name);
    if (!v && required) failAt(nullptr, pathOf(name), "missing");
    return v;
}

std::string JsonFields::text(const std::string& name) {
    const JsonValue* v = member(name, true);
    if (!v) return {};
    if (!v->isString()) {
        failAt(v, pathOf(name), "expected a string");
        return {};
    }
    if (v->string.empty()) failAt(v, pathOf(name), "must not be empty");
    return v->string;
}

std::string JsonFields::optText(const std::string& name, const std::string& fallback) {
    const JsonValue* v = member(name, false);
    if (!v) return fallback;
    if (!v->isString()) {
        failAt(v, pathOf(name), "expected a string");
        return fallback;
    }
    return v->string;
}

std::string JsonFields::identifier(const std::string& name) {
    std::string s = text(name);
    for (const char c : s) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '-' || c == '_';
        if (!ok) {
            failAt(value_.find(name), pathOf(name), "only letters, digits, '-' and '_'");
            return {};
        }
    }
    return s;
}

std::optional<double> JsonFields::optNumber(const std::string& name) {
    const JsonValue* v = member(name, false);
    if (!v) return std::nullopt;
    if (!v->isNumber()) {
        failAt(v, pathOf(name), "expected a number");
        return std::nullopt;
    }
    return v->number;
}

double JsonFields::number(const std::string& name) {
    if (!member(name, true)) return 0;
    return optNumber(name).value_or(0);
}

std::optional<int> JsonFields::optInteger(const std::string& name, int min, int max) {
    const auto n = optNumber(name);
    if (!n) return std::nullopt;
    if (*n != std::floor(*n) || *n < min || *n > max) {
        failAt(value_.find(name), pathOf(name),
               "expected a whole number from " + std::to_string(min) + " to " + std::to_string(max));
        return std::nullopt;
    }
    return static_cast<int>(*n);
}

int JsonFields::integer(const std::string& name, int min, int max) {
    if (!member(name, true)) return min;
    return optInteger(name, min, max).value_or(min);
}

std::optional<bool> JsonFields::optBool(const std::string& name) {
    const JsonValue* v = member(name, false);
    if (!v) return std::nullopt;
    if (!v->isBool()) {
        failAt(v, pathOf(name), "expected true or false");
        return std::nullopt;
    }
    return v->boolean;
}

std::vector<std::string> JsonFields::texts(const std::string& name, bool required) {
    std::vector<std::string> out;
    const JsonValue* v = member(name, required);
    if (!v) return out;
    if (!v->isArray()) {
        failAt(v, pathOf(name), "expected a list of strings");
        return out;
    }
    for (std::size_t i = 0; i < v->array.size(); ++i) {
        const JsonValue& item = v->array[i];
        if (!item.isString() || item.string.empty()) {
            failAt(&item, pathOf(name) + "[" + std::to_string(i) + "]", "expected a non-empty string");
            return {};
        }
        out.push_back(item.string);
    }
    return out;
}

std::vector<double> JsonFields::numbers(const std::string& name, bool required) {
    std::vector<double> out;
    const JsonValue* v = member(name, required);
    if (!v) return out;
    if (!v->isArray()) {
        failAt(v, pathOf(name), "expected a list of numbers");
        return out;
    }
    for (std::size_t i = 0; i < v->array.size(); ++i) {
        const JsonValue& item = v->array[i];
        if (!item.isNumber()) {
            failAt(&item, pathOf(name) + "[" + std::to_string(i) + "]", "expected a number");
            return {};
        }
        out.push_back(item.number);
    }
    return out;
}

std::vector<int> JsonFields::integers(const std::string& name, int min, int max) {
    std::vector<int> out;
    const auto values = numbers(name);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double n = values[i];
        if (n != std::floor(n) || n < min || n > max) {
            failAt(&value_.find(name)->array[i], pathOf(name) + "[" + std::to_string(i) + "]",
                   "expected a whole number from " + std::to_string(min) + " to " + std::to_string(max));
            return {};
        }
        out.push_back(static_cast<int>(n));
    }
    if (out.empty() && report_.ok()) failAt(value_.find(name), pathOf(name), "must not be empty");
    return out;
}

void JsonFields::each(const std::string& name, bool required,
                      const std::function<void(JsonFields&)>& read) {
    const JsonValue* v = member(name, required);
    if (!v) return;
    if (!v->isArray()) {
        failAt(v, pathOf(name), "expected a list");
        return;
    }
    if (v->array.empty() && required) {
        failAt(v, pathOf(name), "must not be empty");
        return;
    }
    for (std::size_t i = 0; i < v->array.size() && report_.ok(); ++i) {
        JsonFields item(report_, v->array[i], pathOf(name) + "[" + std::to_string(i) + "]");
        if (!item.object()) return;
        read(item);
        item.done();
    }
}

void JsonFields::done() {
    if (!report_.ok() || !value_.isObject()) return;
    for (const auto& [key, v] : value_.members) {
        if (!read_.contains(key)) {
            failAt(&v, pathOf(key), "unknown field");
            return;
        }
    }
}

}  // namespace photara
