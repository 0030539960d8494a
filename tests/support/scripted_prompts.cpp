#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QPrinter>

namespace photara::test {
namespace {

template <typename T>
std::optional<T> take(std::deque<T>& answers, const char* question) {
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted " << question << " dialog";
        return std::nullopt;
    }
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

void ScriptedPrompts::answerPrintToPdf(const QString& path) {
    printAnswers_.push_back(path);
}

void ScriptedPrompts::answerPrintCancel() {
    printAnswers_.push_back(std::nullopt);
}

std::size_t ScriptedPrompts::unusedAnswers() const {
    return openAnswers_.size() + saveAnswers_.size() + inputAnswers_.size() +
           confirmAnswers_.size() + printAnswers_.size() + sizeAnswers_.size();
}

void ScriptedPrompts::message(const QString& text, const QString& title, Icon icon) {
    messages_.push_back({text, title, icon});
    if (messageHook_) messageHook_(messages_.back());
}

bool ScriptedPrompts::confirm(const QString& text, const QString& /*title*/, Icon /*icon*/,
                              Default defaultButton) {
    if (confirmHook_) confirmHook_();
    confirms_.push_back(text);
    confirmDefaults_.push_back(defaultButton);
    return take(confirmAnswers_, "confirm").value_or(false);
}

std::optional<QString> ScriptedPrompts::input(const QString& title, const QString& prompt,
                                              const QString& defaultAnswer) {
    inputs_.push_back({title, prompt, defaultAnswer});
    if (inputHook_) inputHook_();
    return take(inputAnswers_, "input").value_or(std::nullopt);
}

std::optional<QString> ScriptedPrompts::openFileName(const QString& filter) {
    filters_.push_back(filter);
    return take(openAnswers_, "open file").value_or(std::nullopt);
}

std::optional<QString> ScriptedPrompts::saveFileName(const QString& filter) {
    const std::optional<SaveChoice> choice = takeSave(filter);
    if (!choice) return std::nullopt;
    return choice->path;
}

std::optional<Prompts::SaveChoice> ScriptedPrompts::saveFileChoice(const QString& filter,
                                                                   const QString& start) {
    starts_.push_back(start);
    return takeSave(filter);
}

std::optional<Prompts::SaveChoice> ScriptedPrompts::takeSave(const QString& filter) {
    filters_.push_back(filter);
    QString picked = saveFilters_.empty() ? QString() : saveFilters_.front();
    if (!saveFilters_.empty()) saveFilters_.pop_front();
    if (picked.isEmpty()) picked = filter.section(QStringLiteral(";;"), 0, 0);
    const std::optional<QString> name = take(saveAnswers_, "save file").value_or(std::nullopt);
    if (!name) return std::nullopt;
    return SaveChoice{*name, picked};
}

std::optional<QString> ScriptedPrompts::openFileNameIn(const QString& filter,
                                                       const QString& start) {
    starts_.push_back(start);
    return openFileName(filter);
}

std::optional<QSize> ScriptedPrompts::imageSize(const QSize& suggested) {
    suggestedSizes_.push_back(suggested);
    return take(sizeAnswers_, "picture size").value_or(std::nullopt);
}

bool ScriptedPrompts::choosePrinter(QPrinter& printer) {
    ++printDialogs_;
    if (printHook_) printHook_();
    const std::optional<QString> path = take(printAnswers_, "print").value_or(std::nullopt);
    if (!path) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*path);
    return true;
}

}  // namespace photara::test
