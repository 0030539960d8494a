#include "ui/commands/list_graph_commands.h"

#include "ui/base/app_context.h"
#include "core/common/workspace.h"
#include "core/datafile/data_set.h"
#include "ui/datalist/data_file_io.h"
#include "ui/datalist/data_views.h"

namespace photara {

void runSaveCommand(AppContext& context) {
    if (context.workspace.dataText.empty()) return;
    saveDataTextAs(context, context.workspace.dataText);
}

void runListCommand(AppContext& context, DataViews& views) {
    if (context.workspace.dataText.empty()) return;
    views.showDataList();
}

void runGraphCommand(AppContext& context, DataViews& views) {
    if (context.workspace.dataText.empty()) return;
    context.workspace.samples = parseDataText(context.workspace.dataText).samples;
    views.showPlot();
}

}  // namespace photara
