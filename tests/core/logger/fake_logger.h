#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "logger/directory.h"
#include "protocol/big_endian.h"
#include "protocol/report.h"

namespace photara::test {

// A data logger that answers the logger, settings and clock requests the way the meter
// does, for use as FakeMeterBackend::respond. Sets are served as their text padded with
// 0x00 to whole 64-byte blocks.
struct FakeLogger {
    struct Set {
        std::array<std::uint8_t, 7> entry;
        std::string text;
    };
    std::uint64_t capacity = 512;
    std::uint64_t used = 100;
    std::vector<Set> sets;
    std::optional<std::uint64_t> reportedLength;  // overrides every set's size answer
    int samplingSeconds = 90;
    int recordingPeriod = 60;
    std::array<std::uint8_t, 7> clock = {0x07, 0xE3, 0x08, 0x01, 0x0C, 0x22, 0x38};
    std::vector<std::array<std::uint8_t, 7>> clockSettings;  // bytes 3..9 of each set clock

    std::vector<Report> operator()(const Report& request) {
        switch (request[2]) {
            case 20:
                return {statusReport()};
            case 16:
                return directoryReports();
            case 21:
                return {lengthReport(request)};
            case 17:
                return blocks(request);
            case 18:
                eraseOne(request);
                return {Report{}};
            case 19:
                sets.clear();
                return {Report{}};
            case 22: {
                Report r{};
                std::copy(clock.begin(), clock.end(), r.begin() + 1);
                return {r};
            }
            case 23: {
                std::array<std::uint8_t, 7> bytes;
                std::copy_n(request.begin() + 3, 7, bytes.begin());
                clockSettings.push_back(bytes);
                return {};
            }
            case 24:
                samplingSeconds = request[3] * 256 + request[4];
                return {};
            case 9:
                recordingPeriod = request[3] * 256 + request[4];
                return {};
            case 25:
                return {numberReport(samplingSeconds)};
            case 13:
                return {numberReport(recordingPeriod)};
            case 98:
                return {Report{}};
            default:
                return {};
        }
    }

    const Set* find(const Report& request) const {
        for (const Set& s : sets) {
            const auto bytes = identifierRequestBytes(setIdentifier(s.entry));
            if (std::equal(bytes.begin(), bytes.end(), request.begin() + 3)) return &s;
        }
        return nullptr;
    }

  private:
    Report statusReport() const {
        Report r{};
        writeBigEndian(std::span(r).subspan(1, 5), capacity);
        writeBigEndian(std::span(r).subspan(6, 5), used);
        writeBigEndian(std::span(r).subspan(11, 2), sets.size());
        return r;
    }
    std::vector<Report> directoryReports() const {
        std::vector<Report> reports;
        for (std::size_t k = 0; k < sets.size(); ++k) {
            if (k % 9 == 0) reports.emplace_back().fill(0);
            std::copy(sets[k].entry.begin(), sets[k].entry.end(),
                      reports.back().begin() + 2 + static_cast<long>((k % 9) * 7));
        }
        return reports;
    }
    std::uint64_t lengthOf(const Report& request) const {
        if (reportedLength) return *reportedLength;
        const Set* s = find(request);
        return s ? s->text.size() : 0;
    }
    Report lengthReport(const Report& request) const {
        Report r{};
        writeBigEndian(std::span(r).subspan(1, 5), lengthOf(request));
        return r;
    }
    std::vector<Report> blocks(const Report& request) const {
        const Set* s = find(request);
        const std::string text = s ? s->text : std::string();
        const std::size_t count = std::max<std::size_t>(1, (text.size() + 63) / 64);
        std::vector<Report> reports(count);
        for (std::size_t i = 0; i < count; ++i) {
            reports[i].fill(0);
            for (std::size_t b = 0; b < 64 && i * 64 + b < text.size(); ++b)
                reports[i][1 + b] = static_cast<std::uint8_t>(text[i * 64 + b]);
        }
        return reports;
    }
    void eraseOne(const Report& request) {
        const Set* s = find(request);
        if (s) sets.erase(sets.begin() + (s - sets.data()));
    }
    static Report numberReport(int value) {
        Report r{};
        r[1] = static_cast<std::uint8_t>(value >> 8);
        r[2] = static_cast<std::uint8_t>(value & 0xFF);
        return r;
    }
};

}  // namespace photara::test
