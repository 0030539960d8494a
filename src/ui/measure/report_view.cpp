#include "ui/measure/report_view.h"

#include <QDir>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/procedure/report_page.h"
#include "core/procedure/results_folder.h"
#include "ui/base/output_file.h"
#include "ui/base/prompts.h"
#include "ui/base/status_line.h"
#include "ui/measure/report_painter.h"
#include "ui/measure/warm_up_curve.h"

namespace photara {

namespace {


QString qs(const std::string& s) { return QString::fromStdString(s); }

struct FormatInfo {
    const char* filter;
    const char* extension;
    const char* name;
};

FormatInfo formatInfo(ReportView::Format f) {
    switch (f) {
        case ReportView::Format::Pdf: return {"PDF Document (*.pdf)", "pdf", "PDF"};
        case ReportView::Format::Html: return {"HTML Page (*.html *.htm)", "html", "HTML"};
        case ReportView::Format::Json: return {"JSON Report (*.json)", "json", "JSON"};
    }
    return {"PDF Document (*.pdf)", "pdf", "PDF"};
}

// The report's diagram of points, or a warm-up's curve, filling the widget.
class ReportPicture final : public QWidget {
  public:
    explicit ReportPicture(const ProcedureReport& report, QWidget* parent) : QWidget(parent), report_(report) {
        setMinimumSize(200, 140);
        setAccessibleName(QStringLiteral("Measured points"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        const QRectF bounds = QRectF(rect()).adjusted(4, 4, -4, -4);
        if (report_.recipe.layout == "warm-up") {
            if (const auto warmUp = reportPage(report_).warmUp) paintWarmUpCurve(painter, bounds, *warmUp);
            return;
        }
        paintProcedureDiagram(painter, bounds, report_.recipe, reportMarks(report_));
    }

  private:
    const ProcedureReport& report_;
};

}  // namespace

ReportView::ReportView(Prompts& prompts, StatusLine* status, QWidget* parent)
    : QWidget(parent), prompts_(prompts), status_(status) {
    title_ = new QLabel(this);
    QFont big = title_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title_->setFont(big);
    title_->setWordWrap(true);
    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("Verdict"));
    QFont huge = big;
    huge.setPointSizeF(big.pointSizeF() * 1.5);
    verdict_->setFont(huge);
    verdict_->setMargin(6);
    about_ = new QLabel(this);
    about_->setWordWrap(true);
    about_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    picture_ = new ReportPicture(report_, this);
    table_ = new QTableWidget(0, 6, this);
    table_->setObjectName(QStringLiteral("Verdicts"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Rule"), QStringLiteral("Point"), QStringLiteral("Measured"),
                                       QStringLiteral("Limit"), QStringLiteral("Verdict"), QStringLiteral("Note")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(true);
    table_->verticalHeader()->hide();
    // The texts wrap in the two wide columns; the short ones take what they need.
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(5, QHeaderView::Stretch);
    connect(header, &QHeaderView::sectionResized, table_, [this] { table_->resizeRowsToContents(); });
    table_->setAccessibleName(QStringLiteral("Verdicts"));

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(picture_);
    split->addWidget(table_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& text, const char* name, auto slot) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        buttons_.push_back(b);
    };
    button(QStringLiteral("Save as &PDF…"), "SavePdf", [this] { save(Format::Pdf); });
    button(QStringLiteral("Save as &HTML…"), "SaveHtml", [this] { save(Format::Html); });
    button(QStringLiteral("Save as &JSON…"), "SaveJson", [this] { save(Format::Json); });
    button(QStringLiteral("P&rint…"), "Print", [this] { print(); });
    buttons->addStretch();

    auto* head = new QHBoxLayout;
    head->addWidget(title_, 1);
    head->addWidget(verdict_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(about_);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    setReport(report_);
}

void ReportView::setReport(const ProcedureReport& report) {
    report_ = report;
    const ReportPage page = reportPage(report_);
    const bool any = !report_.recipe.id.empty();
    title_->setText(qs(page.title));
    const QColor colour = verdictColour(page.overall);
    verdict_->setText(any ? qs(std::string(verdictText(page.overall))) : QString());
    verdict_->setStyleSheet(any ? QStringLiteral("QLabel { background: %1; color: %2; border-radius: 3px; }")
                                      .arg(colour.name(), page.overall == Verdict::PassWithNote
                                                              ? QStringLiteral("black")
                                                              : QStringLiteral("white"))
                                : QString());
    verdict_->setAccessibleName(QStringLiteral("Verdict: ") + verdict_->text());
    QStringList about;
    for (const auto& note : page.notes) about << qs(note);
    QStringList info;
    for (const auto& [key, value] : page.info)
        if (key == "Site" || key == "Asset" || key == "Operator" || key == "Finished" || key == "Standard")
            info << qs(key) + QStringLiteral(": ") + qs(value);
    about << info.join(QStringLiteral(" · "));
    about_->setText(about.join(QLatin1Char('\n')));

    table_->setRowCount(0);
    table_->clearSpans();
    for (const ReportRow& row : page.rows) {
        const int r = table_->rowCount();
        table_->insertRow(r);
        if (row.more) {
            table_->setItem(r, 0, new QTableWidgetItem(qs(row.note)));
            table_->setSpan(r, 0, 1, 6);
            continue;
        }
        const QStringList cells{qs(row.rule), qs(row.point), qs(row.measured), qs(row.limit),
                                qs(std::string(verdictText(row.verdict))), qs(row.note)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setBackground(verdictTint(row.verdict));
            item->setForeground(QColor(Qt::black));
            item->setToolTip(cells[c]);
            if (c == 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeRowsToContents();
    for (QPushButton* b : buttons_) b->setEnabled(any);
    picture_->update();
}

QString ReportView::suggestedName() const {
    const std::string date = report_.info.finished.substr(0, std::min<std::size_t>(10, report_.info.finished.size()));
    return qs(folderName(report_.info.site) + "-" + folderName(report_.info.asset) + "-" +
              folderName(report_.recipe.id) + "-" + (date.empty() ? std::string("undated") : date));
}

std::optional<QString> ReportView::save(Format format) {
    const FormatInfo f = formatInfo(format);
    const OutputFileKind kind{{{QString::fromLatin1(f.filter), QString::fromLatin1(f.extension)}},
                              QStringLiteral("report"), false, false};
    const std::optional<OutputFile> chosen = askOutputFile(prompts_, kind, suggestedName());
    if (!chosen) return std::nullopt;
    const QString* path = &chosen->path;
    std::optional<QString> failure;
    if (format == Format::Pdf) {
        QString error;
        if (!saveReportPdf(report_, *path, error)) failure = error;
    } else {
        const std::string bytes = format == Format::Html ? reportHtml(report_) : reportJson(report_);
        failure = writeWholeFile(*path, [&](QIODevice& file) { return writeAll(file, bytes); });
    }
    if (failure) {
        prompts_.message(*failure, QString(), Prompts::Icon::Critical);
        return std::nullopt;
    }
    if (status_)
        status_->say(QStringLiteral("Saved the report as %1 in \"%2\".")
                         .arg(QString::fromLatin1(f.name), QDir::toNativeSeparators(*path)));
    return *path;
}

void ReportView::print() { printReport(prompts_, report_); }

}  // namespace photara
