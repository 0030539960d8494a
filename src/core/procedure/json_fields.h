#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/procedure/json_value.h"

namespace photara {

// The first problem found while reading a JSON document into a structure.
struct JsonReport {
    int line = 0;
    std::string field;    // "criteria[2].max"
    std::string message;  // "expected a number"
    bool ok() const { return message.empty(); }
};

// Reads the members of one JSON object by name and type, recording the first mistake
// (line, dotted field path, what was wrong) in a shared report. After a mistake every read
// returns a default, so a reader can go on without checking each step. A member the reader
// never asked for is a mistake too (a misspelt "max" must not silently mean "no limit").
class JsonFields {
  public:
    JsonFields(JsonReport& report, const JsonValue& value, std::string path);

    // False (and a mistake recorded) unless the value is an object.
    bool object();
    const JsonValue* member(const std::string& name, bool required);

    std::string text(const std::string& name);
    std::string optText(const std::string& name, const std::string& fallback = "");
    // A non-empty name of letters, digits, '-' and '_'.
    std::string identifier(const std::string& name);
    double number(const std::string& name);
    std::optional<double> optNumber(const std::string& name);
    int integer(const std::string& name, int min, int max);
    std::optional<int> optInteger(const std::string& name, int min, int max);
    std::optional<bool> optBool(const std::string& name);
    std::vector<std::string> texts(const std::string& name, bool required = true);
    std::vector<int> integers(const std::string& name, int min, int max);
    std::vector<double> numbers(const std::string& name, bool required = true);
    // Calls read for each object of an array, then checks it for unknown members.
    void each(const std::string& name, bool required, const std::function<void(JsonFields&)>& read);

    void fail(const std::string& name, const std::string& message);
    // Records a member this reader did not read as a mistake.
    void done();
    const JsonValue& value() const { return value_; }

  private:
    std::string pathOf(const std::string& name) const;
    void failAt(const JsonValue* v, const std::string& field, const std::string& message);

    JsonReport& report_;
    const JsonValue& value_;
    std::string path_;
    std::set<std::string> read_;
};

}  // namespace photara
