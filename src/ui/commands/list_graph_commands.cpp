#include "ui/commands/list_graph_commands.h"

#include "ui/base/app_context.h"
#include "ui/base/status_line.h"
#include "ui/base/workspace.h"
#include "core/datafile/data_set.h"
#include "ui/datalist/data_file_io.h"
#include "ui/datalist/data_views.h"

namespace photara {
namespace {

// List and Graph show the current data; before any there is nothing to show.
bool noDataYet(const AppContext& context) {
    if (!context.workspace.dataText.empty()) return false;
    sayOnStatusLine(context, QStringLiteral("No data yet — download a set (Data Logger) or "
                                            "open a data file first"));
    return true;
}

}  // namespace

void runSaveCommand(AppContext& context) {
    if (context.workspace.dataText.empty()) return;
    saveDataTextAs(context, context.workspace.dataText);
}

void runListCommand(AppContext& context, DataViews& views) {
    if (noDataYet(context)) return;
    views.showDataList();
}

void runGraphCommand(AppContext& context, DataViews& views) {
    if (noDataYet(context)) return;
    context.workspace.samples = parseDataText(context.workspace.dataText).samples;
    views.showPlot();
}

}  // namespace photara
