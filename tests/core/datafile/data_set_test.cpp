#include "core/datafile/data_set.h"

#include <gtest/gtest.h>

#include <string>

#include "core/datafile/data_file.h"
#include "sim/data_set_generator.h"

namespace photara {
namespace {

// The meter sends whole 64-byte blocks; the bytes after the set are zeros.
std::string downloaded(std::string text) {
    text.append((64 - text.size() % 64) % 64, '\0');
    return text;
}

std::string generated(int samples, std::uint32_t seed = 7) {
    sim::DataSetRecipe recipe;
    recipe.start = {2026, 12, 31, 23, 59, 58};
    recipe.samples = samples;
    recipe.seed = seed;
    return sim::generateDataText(recipe);
}

TEST(DataSetTest, TenLinesGiveSixRowsThenCafAndCcf) {
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += "2026/01/0" + std::to_string(i + 1) + "   10:00:00    " + std::to_string(100 + i) +
                ".00cd/m2   " + std::to_string(30 + i) + ".000fL\r\n";
    text += "CAF      1.000\r\nCCF      0.987\r\nfurther\r\nrest";
    const DataSet set = parseDataText(text);
    EXPECT_EQ(set.lineCount, 10u);
    ASSERT_EQ(set.rowCount(), 6u);
    EXPECT_EQ(set.samples.timeTexts[5], "2026/01/06 10:00:00");
    EXPECT_EQ(set.firstTexts[5], "105.00");
    EXPECT_DOUBLE_EQ(set.samples.first[5], 105);
    EXPECT_EQ(set.secondTexts[0], "30.000");
    EXPECT_DOUBLE_EQ(set.samples.second[5], 35);
    EXPECT_EQ(set.firstUnit, "cd/m2");
    EXPECT_EQ(set.secondUnit, "fL");
    EXPECT_EQ(set.caf, "1.000");
    EXPECT_EQ(set.ccf, "0.987");
    // 100 → 150; 101 … 105 stay below. 30 → 230.
    EXPECT_DOUBLE_EQ(set.samples.firstMaximum, 150);
    EXPECT_DOUBLE_EQ(set.samples.secondMaximum, 230);
}

// Every downloaded set of k readings has k rows, whatever the block padding.
class DownloadedSetTest : public ::testing::TestWithParam<int> {};

TEST_P(DownloadedSetTest, GivesOneRowPerReadingAndTheTrailer) {
    const int k = GetParam();
    const std::string text = downloaded(generated(k));
    const DataSet set = parseDataText(text);
    ASSERT_EQ(set.rowCount(), static_cast<std::size_t>(k));
    EXPECT_EQ(set.caf, "1.000");
    EXPECT_FALSE(set.ccf.empty());
    EXPECT_NE(set.ccf, "0");
    if (k == 0) return;
    EXPECT_EQ(set.firstUnit, "cd/m2");
    EXPECT_EQ(set.secondUnit, "fL");
    EXPECT_EQ(set.samples.timeTexts.front(), "2026/12/31 23:59:58");
    EXPECT_EQ(set.samples.timeTexts.back().size(), 19u);
    for (std::size_t i = 0; i < set.rowCount(); ++i) {
        // The generator writes fL = cd/m2 × 0.29186, each to four or five digits.
        ASSERT_GT(set.samples.first[i], 0);
        EXPECT_NEAR(set.samples.second[i] / set.samples.first[i], 0.29186, 0.002) << "row " << i;
        EXPECT_GE(set.samples.firstMaximum, set.samples.first[i]);
        EXPECT_GE(set.samples.secondMaximum, set.samples.second[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, DownloadedSetTest, ::testing::Values(0, 1, 2, 5, 99, 1000));

// Texts of other shapes, with the rows and trailer they give.
struct ShapeCase {
    std::string text;
    std::size_t rows;
    std::string caf;
    std::string ccf;
};

class DataTextShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(DataTextShapeTest, TakesAllLinesButTheLastFour) {
    const DataSet set = parseDataText(GetParam().text);
    EXPECT_EQ(set.rowCount(), GetParam().rows);
    EXPECT_EQ(set.samples.first.size(), GetParam().rows);
    EXPECT_EQ(set.caf, GetParam().caf);
    EXPECT_EQ(set.ccf, GetParam().ccf);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, DataTextShapeTest,
    ::testing::Values(ShapeCase{"", 0, "0", "0"}, ShapeCase{"no line end at all", 0, "0", "0"},
                      ShapeCase{"a\r\nb\r\n", 0, "0", ""},
                      ShapeCase{"CAF 1 2\r\nCCF 3 4\r\nx\r\n", 0, "12", "34"},
                      ShapeCase{"row\r\nCAF 1 2\r\nCCF 3 4\r\nx\r\n", 1, "12", "34"},
                      // A set whose length is a whole number of blocks: no padding.
                      ShapeCase{"row\r\nrow\r\nCAFx5\r\nCCFx6\r\nx\r\n", 2, "5", "6"}));

TEST(DataFileTest, SavedFileReopensToTheSameTextAndSamples) {
    for (const std::string& text :
         {downloaded(generated(50)), generated(50), std::string("r\r\nC\r\nC\r\nx\r\n")}) {
        const std::string file = dataFileBytes(text);
        ASSERT_EQ(file.size(), text.size() + 2);
        EXPECT_EQ(file.substr(text.size()), "\r\n");
        EXPECT_EQ(dataTextOfFile(file), text);
        EXPECT_EQ(dataFileBytes(dataTextOfFile(file)), file);
        const DataSet before = parseDataText(text);
        const DataSet after = parseDataText(dataTextOfFile(file));
        EXPECT_EQ(after.samples.timeTexts, before.samples.timeTexts);
        EXPECT_EQ(after.samples.first, before.samples.first);
        EXPECT_EQ(after.samples.second, before.samples.second);
        EXPECT_EQ(after.caf, before.caf);
        EXPECT_EQ(after.ccf, before.ccf);
    }
}

TEST(DataFileTest, BytesAboveSevenBitsAndZerosSurviveTheRoundTrip) {
    std::string text = downloaded(generated(3));
    ASSERT_NE(text.find('\xB0'), std::string::npos);
    ASSERT_EQ(text.back(), '\0');
    text[0] = '\xFF';
    const std::string file = dataFileBytes(text);
    EXPECT_EQ(std::string(dataTextOfFile(file)), text);
}

struct FileEndCase {
    std::string file;
    std::string text;
};

class FileEndTest : public ::testing::TestWithParam<FileEndCase> {};

TEST_P(FileEndTest, DropsOnlyTheLineEndTheWriterAppended) {
    EXPECT_EQ(dataTextOfFile(GetParam().file), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, FileEndTest,
    ::testing::Values(FileEndCase{"a\r\n", "a"}, FileEndCase{"a\r\n\r\n", "a\r\n"},
                      FileEndCase{"a\r", "a"}, FileEndCase{"a", "a"}, FileEndCase{"", ""},
                      // Line ends converted to LF get their CR back.
                      FileEndCase{"a\n", "a"}, FileEndCase{"a\nb\n\n", "a\r\nb\r\n"},
                      // A file with a CR keeps its other LFs.
                      FileEndCase{"a\nb\r\n", "a\nb"}));

// The readings' time column and the CAF and CCF lines where the layout puts them.
struct KindCase {
    const char* name;
    std::string text;
    DataTextKind kind;
};

class DataTextKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(DataTextKindTest, TellsADataFileFromOtherBytes) {
    EXPECT_EQ(classifyDataText(GetParam().text), GetParam().kind) << GetParam().name;
}

std::string withLine(std::string text, std::size_t line, const std::string& replacement) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < line; ++i) start = text.find("\r\n", start) + 2;
    return text.replace(start, text.find("\r\n", start) - start, replacement);
}

const std::string kRow = "2026/12/08   10:00:00     1.00cd/m2     1.00fL";

INSTANTIATE_TEST_SUITE_P(
    Texts, DataTextKindTest,
    ::testing::Values(
        KindCase{"downloaded", downloaded(generated(50)), DataTextKind::Readings},
        KindCase{"one reading", generated(1), DataTextKind::Readings},
        KindCase{"no reading", downloaded(generated(0)), DataTextKind::NoReadings},
        KindCase{"other date order", "08.12.2026   10:00:00   1\r\nCAF\r\nCCF\r\nx\r\n",
                 DataTextKind::Readings},
        KindCase{"empty", "", DataTextKind::Foreign},
        KindCase{"three lines", "CAF\r\nCCF\r\nx", DataTextKind::Foreign},
        KindCase{"no CAF line", withLine(generated(5), 5, "CAX 1.000"), DataTextKind::Foreign},
        KindCase{"no CCF line", withLine(generated(5), 6, "ccf 1.000"), DataTextKind::Foreign},
        KindCase{"a letter in the time",
                 withLine(generated(5), 3, "2026/12/08   10:0O:00" + kRow.substr(21)),
                 DataTextKind::Foreign},
        KindCase{"a short row", withLine(generated(5), 0, "2026/12/08   10:00"),
                 DataTextKind::Foreign},
        KindCase{"no time", withLine(generated(5), 4, "2026/12/08   10 00 00" + kRow.substr(21)),
                 DataTextKind::Foreign}));

}  // namespace
}  // namespace photara
