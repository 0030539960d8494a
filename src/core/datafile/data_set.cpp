#include "core/datafile/data_set.h"

#include "core/datafile/data_text.h"

namespace photara {

DataSet parseDataText(std::string_view dataText) {
    const DataLines lines(dataText);
    DataSet set;
    set.lineCount = lines.size();
    set.firstUnit = std::string(field(lines[0], columns::kFirstUnit));
    set.secondUnit = std::string(field(lines[0], columns::kSecondUnit));

    const std::size_t rows = lines.size() > kTrailerLines ? lines.size() - kTrailerLines : 0;
    Samples& samples = set.samples;
    samples.timeTexts.reserve(rows);
    samples.first.reserve(rows);
    samples.second.reserve(rows);
    set.firstTexts.reserve(rows);
    set.secondTexts.reserve(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        const std::string_view line = lines[i];
        samples.timeTexts.push_back(timeText(field(line, columns::kDateTime)));

        set.firstTexts.push_back(withoutBlanks(field(line, columns::kFirstValue)));
        samples.first.push_back(fieldValue(set.firstTexts.back()));
        raiseMaximum(samples.firstMaximum, samples.first.back(), kFirstSeriesMargin);

        set.secondTexts.push_back(withoutBlanks(field(line, columns::kSecondValue)));
        samples.second.push_back(fieldValue(set.secondTexts.back()));
        raiseMaximum(samples.secondMaximum, samples.second.back(), kSecondSeriesMargin);
    }

    if (lines.size() >= kTrailerLines)
        set.caf = withoutBlanks(field(lines[lines.size() - kTrailerLines], columns::kTrailerValue));
    if (lines.size() >= kTrailerLines - 1)
        set.ccf =
            withoutBlanks(field(lines[lines.size() - (kTrailerLines - 1)], columns::kTrailerValue));
    return set;
}

}  // namespace photara
