#pragma once

#include <QFont>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <functional>

#include "core/datafile/samples.h"
#include "core/plot/plot_geometry.h"
#include "core/plot/plot_settings.h"
#include "ui/base/output_file.h"

class QIODevice;
class QPainter;

namespace photara {

struct DataSet;
class SetPlotContent;

// A picture of the plot: the format its name or the picked filter asks for.
inline const OutputFileKind kPictureKind{
    {{QStringLiteral("PNG Image (*.png)"), QStringLiteral("png")},
     {QStringLiteral("SVG Image (*.svg)"), QStringLiteral("svg")},
     {QStringLiteral("PDF Document (*.pdf)"), QStringLiteral("pdf")}},
    QStringLiteral("picture")};
// Print to file offers a PDF in the folder pictures went to last.
inline const OutputFileKind kPrintedPictureKind{{kPictureKind.formats.back()},
                                                kPictureKind.folderKey};

// What a picture or a printout shows above the graph: when and how many readings, what the
// scales measure with CAF and CCF, and on a printout when it was printed.
struct PictureCaption {
    QString title;
    QString details;
    QString printed;  // empty: no such line
};

// The caption of the set whose readings are samples; the factors and units come from set,
// without the second curve where the plot shows the luminance in cd/m² alone.
PictureCaption pictureCaption(const Samples& samples, const DataSet& set, bool cdOnly = false);

// The graph as a picture of any size: the caption lines, then the drawing of the plot
// window (the same geometry and painting) below them.
class PlotPicture {
  public:
    // The whole set as the plot window draws it: its settings and the unit of its second curve.
    PlotPicture(const SetPlotContent& content, PictureCaption caption, const QFont& font);
    // The drawing of samples with settings, both curves in the units they were read in.
    PlotPicture(const Samples& samples, const PlotSettings& settings, PictureCaption caption,
                const QFont& font);

    // Paints on a surface of `size` drawing units (one unit is one pixel of the window).
    void paint(QPainter& painter, QSizeF size) const;
    // Fills a page (its painted area in device pixels) with the picture, the text at a size
    // that reads well on paper whatever the printer's resolution.
    void paintPage(QPainter& painter, QSizeF pagePixels) const;

    // A picture of `pixels` that looks like the window of `window` units, only sharper.
    QImage image(QSize pixels, QSizeF window) const;

    // Writers for an export; each says whether it wrote the whole picture.
    bool writePng(QIODevice& device, QSize pixels, QSizeF window) const;
    bool writeSvg(QIODevice& device, QSizeF window) const;
    bool writePdf(QIODevice& device) const;  // one A4 landscape page

  private:
    // The drawing for a surface of a size, measured with the picture's font.
    using Draw = std::function<PlotDrawing(QSizeF, const TextMetrics&)>;
    PlotPicture(Draw draw, PictureCaption caption, const QFont& font);

    Draw draw_;
    PictureCaption caption_;
    QFont font_;
};

}  // namespace photara
