#include "cli/text_output.h"

#include "core/export/recording_rows.h"
#include "core/live/annunciators.h"
#include "core/reading/reading.h"

#include <cstdio>

namespace photara::cli {

namespace {

// The length of the UTF-8 sequence that starts text (1 for ASCII), 0 when it is not one
// (a stray byte, an overlong form, a surrogate, beyond U+10FFFF, cut short).
std::size_t utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xbf;  // the range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        n = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        n = 3;
        if (lead == 0xe0) low = 0xa0;
        if (lead == 0xed) high = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        n = 4;
        if (lead == 0xf0) low = 0x90;
        if (lead == 0xf4) high = 0x8f;
    } else {
        return 0;
    }
    if (text.size() < n || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < n; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xbf) return 0;
    }
    return n;
}

void appendEscape(std::string& out, unsigned code) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
    out += escaped;
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    while (!text.empty()) {
        const char c = text.front();
        const std::size_t n = utf8Length(text);
        if (n == 0) {
            // A byte that is not UTF-8 (a file name in another encoding): a lone low
            // surrogate U+DC80..U+DCFF, as file-system decoders give it back as that byte.
            appendEscape(out, 0xdc00u + static_cast<unsigned char>(c));
            text.remove_prefix(1);
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            appendEscape(out, static_cast<unsigned char>(c));
        } else {
            out.append(text.substr(0, n));
        }
        text.remove_prefix(n);
    }
    return out + "\"";
}

std::string flagsJson(const ReadingFlags& flags) {
    std::string list;
    for (std::size_t i = 0; i < static_cast<std::size_t>(ReadingFlag::Count_); ++i) {
        if (!flags.test(i)) continue;
        list += (list.empty() ? "" : ",") + jsonString(flagName(static_cast<ReadingFlag>(i)));
    }
    return "[" + list + "]";
}

std::string numberText(double value) {
    const std::string text = shortestNumberText(value);
    return text.empty() ? "null" : text;
}

std::vector<std::string> litAnnunciators(const DisplayState& state) {
    std::vector<std::string> lit;
    for (const Annunciator& a : annunciators()) {
        if (state[a.element]) lit.push_back(annunciatorName(a.element));
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
                 ",\"unit\":" + jsonString(unitSymbol(reading->unit)) +
                 ",\"multiplier\":" + (reading->kilo ? "1000" : "1") +
                 ",\"main\":" + jsonString(reading->mainText) +
                 ",\"secondary\":" + jsonString(reading->secondary) +
                 ",\"flags\":" + flagsJson(reading->flags);
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

std::string isoDateTime(const LocalDateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::string isoZonedTime(const ZonedDateTime& t) {
    const int offset = t.utcOffsetMinutes < 0 ? -t.utcOffsetMinutes : t.utcOffsetMinutes;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", t.utcOffsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return isoDateTime(t.local) + zone;
}

}  // namespace photara::cli
