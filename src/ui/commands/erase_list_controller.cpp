#include "ui/commands/erase_list_controller.h"

#include <QComboBox>
#include <algorithm>

#include "ui/base/app_context.h"
#include "ui/base/prompts.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/status_line.h"
#include "ui/commands/logger_messages.h"
#include "core/logger/directory.h"
#include "core/meter/wire_sequences.h"

namespace photara {
namespace {
constexpr int kIdentifierRole = Qt::UserRole;

}  // namespace

EraseListController::EraseListController(AppContext& context, QComboBox& list)
    : context_(context), list_(&list) {
    connect(&list, &QComboBox::activated, this, &EraseListController::choose);
}

void EraseListController::fill(const std::vector<std::string>& identifiers) {
    if (!list_) return;
    list_->clear();
    list_->addItem(QStringLiteral("Exit"));
    int k = 1;
    for (const std::string& id : identifiers) {
        list_->addItem(QString::fromLatin1(eraseListItem(k++, id).c_str()),
                       QString::fromLatin1(id.c_str()));
    }
    list_->addItem(QStringLiteral("All"));
    list_->setCurrentIndex(0);
    list_->show();
    list_->raise();
}

void EraseListController::follow(const std::vector<std::string>& identifiers) {
    if (!shown()) return;
    if (identifiers.empty()) {
        list_->hide();
        return;
    }
    fill(identifiers);
}

bool EraseListController::shown() const {
    return list_ && !list_->isHidden();
}

void EraseListController::choose(int index) {
    if (!list_) return;
    if (index <= 0 || index >= list_->count()) {
        list_->hide();
        return;
    }
    // The list may have stayed open a long while: the meter may have started recording or
    // gone away since it was filled.
    if (const auto refusal = context_.meter.refuseSettings()) {
        list_->hide();
        if (refusal->reason == Refusal::Reason::NotConnected)
            tell(context_, kMeterStoppedAnswering);
        else
            sayOnStatusLine(context_, refusalStatusText(*refusal));
        return;
    }
    const QVariant identifier = list_->itemData(index, kIdentifierRole);
    if (index == list_->count() - 1 || !identifier.isValid()) {
        eraseAll();
    } else {
        eraseSet(identifier.toString().toStdString(), index);  // set k sits at position k
    }
}

// A pick in the list (a mis-click, a wheel turned over it) destroys a recording that exists
// nowhere else: each erase is asked first, with Cancel as the default.
void EraseListController::eraseAll() {
    std::optional<bool> done;
    // The erase list's own sequence sends no discard read first.
    if (context_.prompts.confirm(kEraseAllWarning, kWarningTitle, Prompts::Icon::Warning,
                                 Prompts::Default::Cancel))
        done = context_.meter.await(context_.meter.core().eraseAll(WaitingAnswer::Keep)).ok();
    if (list_) list_->hide();
    if (done) erased(*done, kAllSetsErased);
}

void EraseListController::eraseSet(const std::string& identifier, int setNumber) {
    const QString title = setTitle(setNumber, identifier);
    std::optional<MeterOutcome<SetErase>> outcome;
    if (context_.prompts.confirm(
            title + QStringLiteral(", will be erased from the meter's memory.\r\n"
                                   "This cannot be undone."),
            kWarningTitle, Prompts::Icon::Warning, Prompts::Default::Cancel))
        outcome = context_.meter.await(context_.meter.core().eraseSetIfListed(identifier));
    if (list_) list_->hide();
    if (!outcome) return;
    if (!*outcome || **outcome == SetErase::Erased)
        return erased(outcome->ok(), title + QStringLiteral(", was erased."));
    context_.prompts.message(setNotErasedText(setNumber, identifier), QString(),
                             Prompts::Icon::Warning);
    if (onSetsChanged_) onSetsChanged_();
}

void EraseListController::erased(bool done, const QString& what) {
    if (!done) return tell(context_, kMeterStoppedAnswering);  // never taken for an erase
    sayOnStatusLine(context_, what);
    if (onSetsChanged_) onSetsChanged_();
}

}  // namespace photara
