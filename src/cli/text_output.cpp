#include "cli/text_output.h"

#include "core/live/annunciators.h"
#include "core/reading/reading.h"

#include <charconv>
#include <cstdio>

namespace photara::cli {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string numberText(double value) {
    // Shortest form that reads back the same, as the recording file writes its values.
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc{} ? std::string(text, end) : std::string("null");
}

std::vector<std::string> litAnnunciators(const DisplayState& state) {
    std::vector<std::string> lit;
    for (const Annunciator& a : annunciators()) {
        if (!state[a.element]) continue;
        // The panel's element names start with their kind ("Lbl", "Ima"): the rest names it.
        lit.emplace_back(elementName(a.element).substr(3));
    }
    return lit;
}

std::string readingJson(const DisplayState& state, const DisplayModel& model) {
    const std::optional<Reading> reading = readingOf(state, model);
    std::string list;
    for (const std::string& a : litAnnunciators(state))
        list += (list.empty() ? "" : ",") + jsonString(a);
    std::string fields = "\"value\":null";
    if (reading) {
        fields = "\"value\":" + (reading->value ? numberText(*reading->value) : "null") +
                 ",\"unit\":" + jsonString(unitText(reading->unit)) +
                 ",\"multiplier\":" + (reading->kilo ? "1000" : "1") +
                 ",\"main\":" + jsonString(reading->mainText) +
                 ",\"secondary\":" + jsonString(reading->secondary) +
                 ",\"flags\":" + jsonString(flagsText(reading->flags));
    }
    return "{" + fields + ",\"annunciators\":[" + list +
           "],\"lcd\":" + jsonString(lcdText(state, model)) + "}";
}

std::string isoStartTime(std::string_view id) {
    if (id.size() != 14) return std::string(id);
    return std::string(id.substr(0, 4)) + "-" + std::string(id.substr(4, 2)) + "-" +
           std::string(id.substr(6, 2)) + "T" + std::string(id.substr(8, 2)) + ":" +
           std::string(id.substr(10, 2)) + ":" + std::string(id.substr(12, 2));
}

std::string isoLocalTime(const LocalDateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

}  // namespace photara::cli
