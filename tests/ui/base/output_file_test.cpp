// Every kind of file the windows write is named by one step: a bare name gets the kind's
// extension, its own extension is kept, another one is kept or extended as the kind says,
// an existing file the extension leads to is replaced only when the user agrees (Cancel
// being the default button), a refusal writes nothing, and the folder is remembered for
// the next dialog of that kind.
#include "ui/base/output_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/scripted_prompts.h"
#include "ui/base/file_history.h"
#include "ui/datalist/csv_export.h"
#include "ui/datalist/data_file_io.h"
#include "ui/plot/plot_picture.h"

namespace photara::test {
namespace {

struct KindCase {
    const char* name;
    const OutputFileKind* kind;
};

struct NameCase {
    const char* name;
    const char* typed;                // %1: the kind's first extension, %2: the same in capitals
    const char* existing;             // a file already there, or nullptr
    std::optional<bool> replace;      // the answer when asked to replace it; nullopt: not asked
    const char* written;              // the file written, or nullptr when nothing is
    const char* writtenKeepingOthers; // the same for a kind that keeps other extensions
};

const NameCase kNames[] = {
    {"Bare", "set", nullptr, std::nullopt, "set.%1", "set.%1"},
    {"OwnExtension", "set.%1", nullptr, std::nullopt, "set.%1", "set.%1"},
    {"OwnExtensionInCapitals", "set.%2", nullptr, std::nullopt, "set.%2", "set.%2"},
    {"AnotherExtension", "set.txt", nullptr, std::nullopt, "set.txt.%1", "set.txt"},
    {"TrailingDot", "set.", nullptr, std::nullopt, "set.%1", "set.%1"},
    {"DotsThatAreNoExtension", "run 1.5 lux", nullptr, std::nullopt, "run 1.5 lux.%1",
     "run 1.5 lux.%1"},
    {"DateWithDots", "2026.12.08", nullptr, std::nullopt, "2026.12.08.%1", "2026.12.08.%1"},
    {"ReplaceAccepted", "set", "set.%1", true, "set.%1", "set.%1"},
    {"ReplaceDeclined", "set", "set.%1", false, nullptr, nullptr},
    // The dialog itself asked about the name as typed.
    {"TypedNameExists", "set.%1", "set.%1", std::nullopt, "set.%1", "set.%1"},
};

const KindCase kKinds[] = {
    {"DataFile", &kDataFileKind},
    {"SetCsv", &kSetCsvKind},
    {"Picture", &kPictureKind},
    {"PrintedPicture", &kPrintedPictureKind},
};

class OutputFileTest : public testing::TestWithParam<std::tuple<KindCase, NameCase>> {};

TEST_P(OutputFileTest, NamesConfirmsAndRemembers) {
    const auto& [kindCase, c] = GetParam();
    const OutputFileKind& kind = *kindCase.kind;
    const QString extension = kind.formats.front().extension;
    const auto named = [&](const char* pattern) {
        return QString::fromUtf8(pattern)
            .replace(QStringLiteral("%1"), extension)
            .replace(QStringLiteral("%2"), extension.toUpper());
    };
    QTemporaryDir dir;
    const auto path = [&](const QString& name) { return QDir(dir.path()).filePath(name); };
    if (c.existing) {
        QFile old(path(named(c.existing)));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    ScriptedPrompts prompts;
    prompts.answerSaveFile(path(named(c.typed)));
    if (c.replace) prompts.answerConfirm(*c.replace);

    const std::optional<OutputFile> file = askOutputFile(prompts, kind, QStringLiteral("stem"));
    if (file) {
        ASSERT_TRUE(writeWholeFileOrTell(prompts, file->path,
                                         [](QIODevice& device) { return writeAll(device, "new"); }));
    }

    const char* written = kind.otherExtensionsKept ? c.writtenKeepingOthers : c.written;
    EXPECT_EQ(prompts.confirmDefaults(), c.replace ? std::vector{Prompts::Default::Cancel}
                                                   : std::vector<Prompts::Default>{});
    EXPECT_EQ(file.has_value(), written != nullptr);
    QStringList files;
    if (c.existing) files << named(c.existing);
    if (written) files << named(written);
    files.removeDuplicates();
    files.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), files);
    if (written) {
        EXPECT_EQ(file->path, path(named(written)));
        EXPECT_EQ(file_history::folder(kind.folderKey), dir.path());
        QFile back(file->path);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_EQ(back.readAll(), "new");
    } else if (c.existing) {
        QFile old(path(named(c.existing)));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
    }
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(prompts.unusedAnswers(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, OutputFileTest,
                         testing::Combine(testing::ValuesIn(kKinds), testing::ValuesIn(kNames)),
                         [](const auto& param) {
                             return std::string(std::get<0>(param.param).name) + "_" +
                                    std::get<1>(param.param).name;
                         });

// The format is the one the name's extension asks for, else the picked filter's; the
// dialog starts in the remembered folder with the stem, and with the extension only when
// every format shares one.
struct FormatCase {
    const OutputFileKind* kind;
    const char* typed;
    int picked;            // index of the filter picked in the dialog
    const char* filter;    // the format chosen
    const char* start;     // the dialog's suggested name
};

class OutputFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(OutputFormatTest, FollowsTheNameThenThePickedFilter) {
    const FormatCase& c = GetParam();
    file_history::rememberFolder(c.kind->folderKey, QStringLiteral("/d/x"));
    ScriptedPrompts prompts;
    prompts.answerSaveFile(QStringLiteral("/d/") + QString::fromUtf8(c.typed),
                           c.kind->formats[static_cast<std::size_t>(c.picked)].filter);
    const std::optional<OutputFile> file = askOutputFile(prompts, *c.kind, QStringLiteral("stem"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->format.filter, QString::fromUtf8(c.filter));
    EXPECT_EQ(prompts.fileStarts(), std::vector<QString>{QString::fromUtf8(c.start)});
}

INSTANTIATE_TEST_SUITE_P(
    Formats, OutputFormatTest,
    testing::Values(FormatCase{&kPictureKind, "graph.svg", 0, "SVG Image (*.svg)", "/d/stem"},
                    FormatCase{&kPictureKind, "graph", 2, "PDF Document (*.pdf)", "/d/stem"},
                    FormatCase{&kPictureKind, "graph.txt", 1, "SVG Image (*.svg)", "/d/stem"},
                    FormatCase{&kSetCsvKind, "set.csv", 1, "Excel (*.csv)", "/d/stem.csv"},
                    FormatCase{&kSetCsvKind, "set.txt", 0, "CSV (*.csv)", "/d/stem.csv"},
                    FormatCase{&kDataFileKind, "set", 0, "Data Files (*.pxd)", "/d/stem.pxd"}));

}  // namespace
}  // namespace photara::test
