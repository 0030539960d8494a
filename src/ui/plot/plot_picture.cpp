#include "ui/plot/plot_picture.h"

#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

#include "core/datafile/data_set.h"
#include "core/export/set_caption.h"
#include "ui/plot/plot_painter.h"
#include "ui/plot/set_plot_content.h"

namespace photara {
namespace {

// A page is laid out this many units wide, so its text reads like the window's on screen.
constexpr qreal kPageUnits = 1100;
constexpr qreal kMargin = 10;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PictureCaption pictureCaption(const Samples& samples, const DataSet& set, bool cdOnly) {
    std::string details = setDetails(set);
    if (cdOnly) {
        // The second curve is not drawn: its words go from the caption too.
        const std::size_t from = details.find("   Fl: ");
        const std::size_t to = details.find(" (black)", from);
        if (from != std::string::npos && to != std::string::npos)
            details.erase(from, to + std::string_view(" (black)").size() - from);
    }
    return {fromUtf8(setTitle(samples.timeTexts)), fromUtf8(details), QString()};
}

PlotPicture::PlotPicture(const SetPlotContent& content, PictureCaption caption, const QFont& font)
    : PlotPicture(
          [&content](QSizeF size, const TextMetrics& metrics) {
              return content.fullDrawing(size, metrics);
          },
          std::move(caption), font) {}

PlotPicture::PlotPicture(const Samples& samples, const PlotSettings& settings,
                         PictureCaption caption, const QFont& font)
    : PlotPicture(
          [&samples, &settings](QSizeF size, const TextMetrics& metrics) {
              return drawPlot(size.width(), size.height(), samples, settings, metrics);
          },
          std::move(caption), font) {}

PlotPicture::PlotPicture(Draw draw, PictureCaption caption, const QFont& font)
    : draw_(std::move(draw)), caption_(std::move(caption)), font_(plotFont(font)) {}

void PlotPicture::paint(QPainter& painter, QSizeF size) const {
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    QFont titleFont(font_);
    titleFont.setPixelSize(font_.pixelSize() * 5 / 4);
    titleFont.setBold(true);
    qreal y = kMargin;
    auto line = [&](const QFont& font, const QString& text) {
        if (text.isEmpty()) return;
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(font);
        painter.drawText(QPointF(kMargin, y + metrics.ascent()), text);
        y += metrics.height() + 2;
    };
    line(titleFont, caption_.title);
    line(font_, caption_.details);
    line(font_, caption_.printed);

    // The plot window's drawing below the caption: its top margin keeps the scale titles
    // clear of the last caption line.
    const qreal band = y;
    painter.translate(0, band);
    painter.setFont(font_);
    const FontTextMetrics metrics(font_);
    paintPlot(painter, draw_(QSizeF(size.width(), size.height() - band), metrics));
    painter.restore();
}

void PlotPicture::paintPage(QPainter& painter, QSizeF pagePixels) const {
    const qreal scale = pagePixels.width() / kPageUnits;
    painter.save();
    painter.scale(scale, scale);
    paint(painter, pagePixels / scale);
    painter.restore();
}

QImage PlotPicture::image(QSize pixels, QSizeF window) const {
    QImage image(pixels, QImage::Format_RGB32);
    const qreal scale = std::clamp(pixels.width() / std::max<qreal>(window.width(), 1), 0.25, 16.0);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paint(painter, QSizeF(pixels) / scale);
    painter.end();
    return image;
}

bool PlotPicture::writePng(QIODevice& device, QSize pixels, QSizeF window) const {
    // A graph has few colours: as a palette image the PNG is half the size and written in
    // a third of the time. Without dithering, lines and text keep clean edges.
    const QImage palette =
        image(pixels, window)
            .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    QImageWriter writer(&device, "png");
    return writer.write(palette);
}

bool PlotPicture::writeSvg(QIODevice& device, QSizeF window) const {
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(window.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), window));
    svg.setTitle(caption_.title);
    svg.setDescription(caption_.details);
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    paint(painter, window);
    return painter.end();
}

bool PlotPicture::writePdf(QIODevice& device) const {
    QPdfWriter pdf(&device);
    pdf.setTitle(caption_.title);
    pdf.setCreator(QStringLiteral("Photara"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    paintPage(painter, pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    return painter.end();
}

}  // namespace photara
