#include "ui/plot/plot_picture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <QXmlStreamReader>

#include "../datalist/views_rig.h"
#include "core/datafile/data_set.h"
#include "support/pdf_tool.h"
#include "ui/plot/plot_window.h"

namespace photara::test {
namespace {

// 200 readings from 09:30:00, one a second; CAF 1.000.
const QString kTitle = QStringLiteral("2026-12-08 09:30:00 to 2026-12-08 09:33:19, 200 readings");

PlotWindow* openPlot(ViewsRig& rig) {
    rig.workspace.dataText = downloadedSet(200);
    rig.workspace.samples = parseDataText(rig.workspace.dataText).samples;
    rig.views.showPlot();
    auto* plot = static_cast<PlotWindow*>(rig.views.plot());
    plot->resize(700, 500);
    QCoreApplication::processEvents();
    return plot;
}

void clickToolbar(PlotWindow* plot, const QString& key) {
    for (QAction* action : plot->toolbar()->actions())
        if (action->objectName() == key) return action->trigger();
    FAIL() << "no toolbar button " << key.toStdString();
}


// The box around every pixel that is not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 200) box |= QRect(x, y, 1, 1);
    return box;
}

bool hasBlue(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(0, 0, 255)) return true;
    return false;
}

// A printout is landscape unless the user picks otherwise; the graph fills the page under
// the title, the date it was printed (from the program's clock), the units and CAF/CCF.
TEST(PlotPrintoutTest, FillsALandscapePageUnderTitleDateUnitsAndFactors) {
    ViewsRig rig;
    rig.clock.set({2026, 12, 9, 14, 5, 30});
    PlotWindow* plot = openPlot(rig);
    const QString pdf = rig.path("print.pdf");
    rig.prompts.answerPrintToPdf(pdf);
    clickToolbar(plot, "Print");

    const QString info = pdfTool("pdfinfo", {pdf});
    const QRegularExpressionMatch size =
        QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))").match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble());

    const QString text = pdfTool("pdftotext", {pdf, "-"}).simplified();
    for (const QString& expected :
         {kTitle, QStringLiteral("Printed 2026-12-09 14:05"), QStringLiteral("cd: cd/m² (blue)"),
          QStringLiteral("Fl: fL (black)"), QStringLiteral("CAF 1.000")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " in\n"
                                             << text.toStdString();

    pdfTool("pdftoppm", {"-r", "30", "-png", "-singlefile", pdf, rig.path("page")});
    const QImage page(rig.path("page.png"));
    ASSERT_FALSE(page.isNull());
    const QRect ink = inkBox(page);
    EXPECT_GT(ink.width(), page.width() * 85 / 100);
    EXPECT_GT(ink.height(), page.height() * 80 / 100);
}

struct ExportCase {
    const char* filter;
    const char* extension;
};

class PictureExportTest : public testing::TestWithParam<ExportCase> {};

// The name typed without an extension gets the picked format's; each format carries the
// graph and its caption.
TEST_P(PictureExportTest, WritesThePickedFormatWithTheCaption) {
    const ExportCase c = GetParam();
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig);
    rig.prompts.answerSaveFile(rig.path("graph"), QString::fromLatin1(c.filter));
    const QString path = rig.path(QStringLiteral("graph.") + c.extension);
    const std::string extension = c.extension;
    if (extension == "png") rig.prompts.answerImageSize(QSize(1920, 1080));
    clickToolbar(plot, "Export");
    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_EQ(rig.prompts.unusedAnswers(), 0u);

    if (extension == "png") {
        EXPECT_EQ(rig.prompts.suggestedSizes(), std::vector<QSize>{QSize(1400, 1000)});
        const QImage image(path, "PNG");
        EXPECT_EQ(image.size(), QSize(1920, 1080));
        EXPECT_TRUE(hasBlue(image));
    } else if (extension == "svg") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString title;
        int texts = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QStringLiteral("title")) title = xml.readElementText();
            if (xml.name() == QStringLiteral("text")) ++texts;
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(title, kTitle);
        EXPECT_GT(texts, 10);  // caption lines, scale labels, time labels
    } else {
        const QString text = pdfTool("pdftotext", {path, "-"}).simplified();
        EXPECT_TRUE(text.contains(kTitle)) << text.toStdString();
        EXPECT_TRUE(text.contains("CCF")) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureExportTest,
                         testing::Values(ExportCase{"PNG Image (*.png)", "png"},
                                         ExportCase{"SVG Image (*.svg)", "svg"},
                                         ExportCase{"PDF Document (*.pdf)", "pdf"}));

struct UnitCase {
    int unitClicks;
    bool secondShown;     // the second curve with its scale titled "Fl"
    const char* details;  // the caption's words on the curves
};

class PictureUnitTest : public testing::TestWithParam<UnitCase> {};

// A picture draws the scales in the units the window shows: the same scale labels and
// titles, and a caption that names the second curve's unit.
TEST_P(PictureUnitTest, DrawsTheScalesTheWindowShows) {
    const UnitCase c = GetParam();
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig);
    for (int i = 0; i < c.unitClicks; ++i) clickToolbar(plot, "Unit");
    rig.prompts.answerSaveFile(rig.path("graph.svg"));
    clickToolbar(plot, "Export");
    ASSERT_TRUE(rig.prompts.messages().empty());

    QFile file(rig.path("graph.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("text"))
            texts << xml.readElementText().trimmed();
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    const std::vector<PlotText>& shown = plot->drawing().scaleTexts;
    ASSERT_FALSE(shown.empty());
    for (const PlotText& text : shown)
        EXPECT_TRUE(texts.contains(QString::fromLatin1(text.text))) << text.text;
    EXPECT_EQ(texts.contains(QStringLiteral("Fl")), c.secondShown) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.join('|').contains(QString::fromUtf8(c.details)))
        << texts.join('|').toStdString();
    EXPECT_EQ(texts.join('|').contains(QStringLiteral("(black)")), c.secondShown);
}

INSTANTIATE_TEST_SUITE_P(Units, PictureUnitTest,
                         testing::Values(UnitCase{0, true, "Fl: fL (black)"},
                                         UnitCase{1, false, "(blue)"},
                                         UnitCase{2, true, "Fl: fL (black)"}));

TEST(PictureExportTest, CancelledSizeWritesNothingAndCtrlCCopiesThePicture) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig);
    rig.prompts.answerSaveFile(rig.path("graph.png"));
    rig.prompts.answerImageSize(std::nullopt);
    clickToolbar(plot, "Export");
    EXPECT_FALSE(QFileInfo::exists(rig.path("graph.png")));

    QGuiApplication::clipboard()->clear();
    plot->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(plot));
    QTest::keyClick(plot, Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), plot->size() * 2);
    EXPECT_TRUE(hasBlue(copied));
}

}  // namespace
}  // namespace photara::test
