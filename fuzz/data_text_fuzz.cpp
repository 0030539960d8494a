// Any bytes as a data text or a data file: the parser, the leading-number reader and the
// plot geometry must take them without a crash, and the file round trip must be exact.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/datafile/data_file.h"
#include "core/datafile/data_set.h"
#include "core/datafile/leading_number.h"
#include "core/plot/plot_geometry.h"
#include "core/plot/plot_setup.h"

namespace {

class CharacterMetrics final : public photara::TextMetrics {
  public:
    double width(std::string_view text) const override {
        return 7.0 * static_cast<double>(text.size());
    }
    double height(std::string_view) const override { return 13; }
};

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const double number = photara::leadingNumber(bytes);
    check(!std::isnan(number));

    // A file reopens to the text that was saved.
    const std::string file = photara::dataFileBytes(bytes);
    check(photara::dataTextOfFile(file) == bytes);

    const photara::DataSet set = photara::parseDataText(photara::dataTextOfFile(bytes));
    const std::size_t rows =
        set.lineCount > photara::kTrailerLines ? set.lineCount - photara::kTrailerLines : 0;
    check(set.rowCount() == rows);
    check(set.samples.first.size() == rows && set.samples.second.size() == rows);
    check(set.samples.timeTexts.size() == rows);
    check(set.firstTexts.size() == rows && set.secondTexts.size() == rows);
    for (std::size_t i = 0; i < rows; ++i) {
        check(set.samples.timeTexts[i].size() <= 21);
        check(set.firstTexts[i].size() <= 10 && set.secondTexts[i].size() <= 9);
    }

    const photara::PlotSettings settings = photara::plotSettingsFor(set.samples);
    const photara::PlotDrawing drawing =
        photara::drawPlot(640, 480, set.samples, settings, CharacterMetrics());
    check(drawing.firstCurve.size() <= rows && drawing.secondCurve.size() <= rows);
    for (const photara::PlotPoint& p : drawing.firstCurve) check(std::isfinite(p.y));
    return 0;
}
