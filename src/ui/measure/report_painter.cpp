#include "ui/measure/report_painter.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <filesystem>

#include "core/procedure/report_page.h"
#include "ui/base/prompts.h"
#include "ui/measure/procedure_diagram.h"
#include "ui/measure/warm_up_curve.h"

namespace photara {

namespace {

// The layout's sizes are in units of 1/96 inch on a page this wide (A4 less 12 mm
// margins); another page scales them.
constexpr double kPageWidth = 703;
constexpr double kFontSize = 12;      // 9 pt
constexpr double kFontFloor = 6.5;    // about 5 pt, still legible on paper
constexpr double kFontStep = 0.5;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Draws the page top-down, or only measures it when painter is not drawing (draw false).
class PageLayout {
  public:
    PageLayout(QPainter& painter, const QRectF& page, double unit, double fontSize, bool draw)
        : painter_(painter), page_(page), unit_(unit), size_(fontSize * unit), draw_(draw), y_(page.top()) {}

    double y() const { return y_; }
    double width() const { return page_.width(); }
    void skip(double units) { y_ += units * unit_; }

    QFont font(double scale, bool bold = false) const {
        QFont f = painter_.font();
        f.setPixelSize(std::max(1, static_cast<int>(size_ * scale + 0.5)));
        f.setBold(bold);
        return f;
    }

    // Text wrapped to width at x (at a word, or anywhere in a word too long for the line),
    // drawn at the current y plus dy; its height.
    double text(const QString& s, const QFont& f, double x, double w, double dy = 0,
                Qt::Alignment align = Qt::AlignLeft) {
        QString t = s;
        t.replace(QLatin1Char('\n'), QChar::LineSeparator);
        QTextLayout layout(t, f, painter_.device());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setAlignment(align);
        layout.setTextOption(option);
        double h = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1.0, w));
            line.setPosition(QPointF(0, h));
            h += line.height();
        }
        layout.endLayout();
        if (draw_) {
            painter_.setPen(Qt::black);
            layout.draw(&painter_, QPointF(x, y_ + dy));
        }
        return h;
    }

    void paragraph(const QString& s, const QFont& f, double gapUnits) {
        y_ += text(s, f, page_.left(), page_.width()) + gapUnits * unit_;
    }

    // One table row: cells at the columns' x and widths, tinted, with a rule under it.
    void row(const std::vector<QString>& cells, const std::vector<double>& widths, const QFont& f, QColor tint,
             const std::vector<Qt::Alignment>& aligns = {}) {
        const double pad = 0.15 * size_;
        double h = 0;
        const bool drawing = draw_;
        draw_ = false;
        for (std::size_t i = 0; i < cells.size(); ++i) h = std::max(h, text(cells[i], f, 0, widths[i] - 2 * pad));
        draw_ = drawing;
        h += 2 * pad;
        if (draw_) {
            const QRectF band(page_.left(), y_, page_.width(), h);
            if (tint.isValid()) painter_.fillRect(band, tint);
            painter_.setPen(QPen(QColor(0xbb, 0xbb, 0xbb), 0.75 * unit_));
            painter_.drawLine(band.bottomLeft(), band.bottomRight());
            double x = page_.left();
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const Qt::Alignment a = i < aligns.size() ? aligns[i] : Qt::AlignLeft;
                text(cells[i], f, x + pad, widths[i] - 2 * pad, pad, a);
                x += widths[i];
            }
        }
        y_ += h;
    }

    void verdictBox(Verdict v, const QFont& f) {
        const QString word = qs(std::string(verdictText(v)));
        const QFontMetricsF m(f, painter_.device());
        const double pad = 0.4 * m.height();
        const QRectF box(page_.left(), y_, m.horizontalAdvance(word) + 4 * pad, m.height() + 2 * pad);
        if (draw_) {
            painter_.save();
            painter_.setPen(v == Verdict::PassWithNote ? Qt::black : Qt::white);
            painter_.setFont(f);
            painter_.fillRect(box, verdictColour(v));
            painter_.drawText(box, Qt::AlignCenter, word);
            painter_.restore();
        }
        y_ += box.height();
    }

    void picture(double height, const ProcedureReport& r, const ReportPage& p) {
        if (draw_) {
            const QRectF bounds(page_.left(), y_, page_.width(), height);
            if (p.warmUp) {
                paintWarmUpCurve(painter_, bounds, *p.warmUp);
            } else {
                paintProcedureDiagram(painter_, bounds, r.recipe, reportMarks(r));
            }
        }
        y_ += height;
    }

  private:
    QPainter& painter_;
    QRectF page_;
    double unit_;
    double size_;
    bool draw_;
    double y_;
};

// Lays the page out with the given font size and picture height; the height it takes.
double layoutPage(PageLayout& l, const ProcedureReport& r, const ReportPage& p, double pictureHeight) {
    l.paragraph(qs(p.title), l.font(1.6, true), 1.5);
    l.verdictBox(p.overall, l.font(1.35, true));
    l.skip(3);
    for (const std::string& note : p.notes) l.paragraph(qs(note), l.font(0.9), 1);
    const QFont body = l.font(1);
    const double keyWidth = l.width() * 0.16;
    for (const auto& [key, value] : p.info) l.row({qs(key), qs(value)}, {keyWidth, l.width() - keyWidth}, body, {});
    l.skip(3);
    l.picture(pictureHeight, r, p);
    l.skip(3);
    static constexpr std::array<double, 6> kShare{0.30, 0.14, 0.15, 0.14, 0.10, 0.17};
    std::vector<double> widths;
    for (const double s : kShare) widths.push_back(s * l.width());
    const std::vector<Qt::Alignment> aligns{Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight};
    l.row({QStringLiteral("Rule"), QStringLiteral("Point"), QStringLiteral("Measured"), QStringLiteral("Limit"),
           QStringLiteral("Verdict"), QStringLiteral("Note")},
          widths, l.font(1, true), QColor(0xee, 0xee, 0xee));
    for (const ReportRow& row : p.rows) {
        if (row.more) {
            l.row({qs(row.note)}, {l.width()}, l.font(0.9), {});
            continue;
        }
        l.row({qs(row.rule), qs(row.point), qs(row.measured), qs(row.limit), qs(std::string(verdictText(row.verdict))),
               qs(row.note)},
              widths, body, verdictTint(row.verdict), aligns);
    }
    l.skip(3);
    l.paragraph(qs(p.footer), l.font(0.85), 0);
    return l.y();
}

}  // namespace

DiagramMarks reportMarks(const ProcedureReport& report) {
    DiagramMarks marks;
    marks.moments = false;
    marks.verdicts = pointVerdicts(report.result);
    for (const Point& p : report.recipe.points) {
        if (p.patches.empty()) continue;
        if (const Capture* c = report.measurements.find(p.id, p.patches.front())) marks.values[p.id] = captureValueText(c);
    }
    return marks;
}

QColor verdictTint(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass: return {0xcd, 0xec, 0xcd};
        case Verdict::PassWithNote: return {0xfb, 0xe9, 0xb0};
        case Verdict::Fail: return {0xf6, 0xc1, 0xc1};
        case Verdict::NotJudged: return {0xe4, 0xe4, 0xe4};
    }
    return {0xe4, 0xe4, 0xe4};
}

void paintReportPage(QPainter& painter, const QRectF& page, const ProcedureReport& report) {
    if (page.width() <= 0 || page.height() <= 0) return;
    const ReportPage p = reportPage(report);
    const double unit = page.width() / kPageWidth;
    // The diagram takes what the text leaves, between these shares of the width.
    const double least = page.width() * (p.warmUp ? 0.18 : 0.24);
    const double most = page.width() * (p.warmUp ? 0.30 : 0.45);
    double size = kFontSize;
    double text = 0;
    for (;; size -= kFontStep) {
        PageLayout measure(painter, page, unit, size, false);
        text = layoutPage(measure, report, p, 0) - page.top();
        if (page.height() - text >= least || size - kFontStep < kFontFloor) break;
    }
    const double picture = std::clamp(page.height() - text, least, most);
    const double whole = text + picture;
    painter.save();
    QRectF drawn = page;
    if (whole > page.height()) {
        // Past the floor: the page drawn smaller, centred across, rather than spilt.
        const double s = page.height() / whole;
        painter.translate(page.left() + page.width() * (1 - s) / 2, page.top());
        painter.scale(s, s);
        drawn = QRectF(0, 0, page.width(), whole);
    }
    PageLayout draw(painter, drawn, unit, size, true);
    layoutPage(draw, report, p, picture);
    painter.restore();
}

namespace {

// Sets up an A4 PDF printer and paints the page on it; false when the painter cannot start.
bool paintOn(QPrinter& printer, const ProcedureReport& report) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double toUnits = printer.resolution() / 96.0;
    const QRectF paint = printer.pageLayout().paintRectPixels(printer.resolution());
    painter.scale(toUnits, toUnits);
    paintReportPage(painter, QRectF(0, 0, paint.width() / toUnits, paint.height() / toUnits), report);
    return painter.end();
}

void setUpPage(QPrinter& printer, const ProcedureReport& report) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                      QPageLayout::Millimeter));
    printer.setDocName(qs(report.recipe.title + " — " + report.info.site + ", " + report.info.asset));
    printer.setCreator(QStringLiteral("Photara"));
}

}  // namespace

bool saveReportPdf(const ProcedureReport& report, const QString& path, QString& error) {
    const QFileInfo target(path);
    // A temporary file beside the target, renamed over it once complete: the rename
    // replaces an existing file in one step and never leaves half a page.
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!part.open()) {
        error = QStringLiteral("Cannot write \"%1\": %2").arg(path, part.errorString());
        return false;
    }
    part.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(part.fileName());
    setUpPage(printer, report);
    if (!paintOn(printer, report) || QFileInfo(part.fileName()).size() == 0) {
        error = QStringLiteral("Cannot write \"%1\": the PDF could not be made").arg(path);
        return false;
    }
    // A temporary file is the owner's alone; the PDF gets the replaced file's permissions,
    // or a new file's usual ones.
    part.setPermissions(target.exists() ? target.permissions()
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                              QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code ec;
    std::filesystem::rename(part.fileName().toStdString(), path.toStdString(), ec);
    if (ec) {
        error = QStringLiteral("Cannot write \"%1\": %2").arg(path, qs(ec.message()));
        return false;
    }
    part.setAutoRemove(false);
    return true;
}

void printReport(Prompts& prompts, const ProcedureReport& report) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPage(printer, report);
    if (!prompts.choosePrinter(printer)) return;
    if (!paintOn(printer, report))
        prompts.message(QStringLiteral("The report could not be printed on \"%1\".").arg(printer.printerName().isEmpty()
                                                                                             ? printer.outputFileName()
                                                                                             : printer.printerName()),
                        QString(), Prompts::Icon::Critical);
}

}  // namespace photara
