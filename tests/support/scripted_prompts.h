#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/base/prompts.h"

namespace photara::test {

// Prompts whose answers the test scripts in advance. Every question is recorded; a question
// the test did not script fails the test and is answered as a cancel, so no test ever
// blocks on a real dialog.
class ScriptedPrompts final : public Prompts {
  public:
    struct Message {
        QString text;
        QString title;
        Icon icon;
    };
    struct InputQuestion {
        QString title;
        QString prompt;
        QString defaultAnswer;
    };

    // Answers, consumed in the order they were scripted. std::nullopt means Cancel.
    void answerOpenFile(std::optional<QString> name) { openAnswers_.push_back(std::move(name)); }
    void answerSaveFile(std::optional<QString> name) { answerSaveFile(std::move(name), {}); }
    // A save dialog whose filter the program reads: the name, and the filter picked (the
    // first one when empty).
    void answerSaveFile(std::optional<QString> name, const QString& filter) {
        saveAnswers_.push_back(std::move(name));
        saveFilters_.push_back(filter);
    }
    // The next picture size dialog; std::nullopt means Cancel.
    void answerImageSize(std::optional<QSize> size) { sizeAnswers_.push_back(size); }
    void answerInput(std::optional<QString> text) { inputAnswers_.push_back(std::move(text)); }
    void answerConfirm(bool ok) { confirmAnswers_.push_back(ok); }
    // The next print dialog sets the printer to write a PDF file at path and accepts.
    void answerPrintToPdf(const QString& path);
    // The next print dialog is cancelled.
    void answerPrintCancel();

    // Called for each message as it is shown, e.g. to check what else is true at that moment.
    void onMessage(std::function<void(const Message&)> hook) { messageHook_ = std::move(hook); }
    // Called each time an input box comes up, before it is answered (what the program does
    // meanwhile, e.g. a poll that finds the meter gone).
    void onInput(std::function<void()> hook) { inputHook_ = std::move(hook); }
    // Called each time a yes/no question comes up, before it is answered.
    void onConfirm(std::function<void()> hook) { confirmHook_ = std::move(hook); }
    // Called each time the print dialog comes up, before it is answered.
    void onPrintDialog(std::function<void()> hook) { printHook_ = std::move(hook); }

    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<InputQuestion>& inputQuestions() const { return inputs_; }
    const std::vector<QString>& confirmQuestions() const { return confirms_; }
    // The default button of each yes/no question, in order.
    const std::vector<Default>& confirmDefaults() const { return confirmDefaults_; }
    // The filter of each file dialog shown, open and save alike, in order.
    const std::vector<QString>& fileFilters() const { return filters_; }
    // Where each dialog that takes a starting place started, in order.
    const std::vector<QString>& fileStarts() const { return starts_; }
    // The size each picture size dialog suggested.
    const std::vector<QSize>& suggestedSizes() const { return suggestedSizes_; }
    int printDialogs() const { return printDialogs_; }
    // Scripted answers nobody asked for; a test usually expects none left over.
    std::size_t unusedAnswers() const;

    void message(const QString& text, const QString& title, Icon icon) override;
    bool confirm(const QString& text, const QString& title, Icon icon,
                 Default defaultButton = Default::Ok) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& defaultAnswer) override;
    std::optional<QString> openFileName(const QString& filter) override;
    std::optional<QString> saveFileName(const QString& filter) override;
    bool choosePrinter(QPrinter& printer) override;
    std::optional<SaveChoice> saveFileChoice(const QString& filter, const QString& start) override;
    std::optional<QString> openFileNameIn(const QString& filter, const QString& start) override;
    std::optional<QSize> imageSize(const QSize& suggested) override;

  private:
    std::optional<SaveChoice> takeSave(const QString& filter);

    std::deque<std::optional<QString>> openAnswers_;
    std::deque<std::optional<QString>> saveAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    std::deque<QString> saveFilters_;  // one per save answer
    std::deque<std::optional<QSize>> sizeAnswers_;
    std::deque<bool> confirmAnswers_;
    std::deque<std::optional<QString>> printAnswers_;  // PDF path, or nullopt to cancel
    std::function<void(const Message&)> messageHook_;
    std::function<void()> printHook_;
    std::function<void()> inputHook_;
    std::function<void()> confirmHook_;
    std::vector<Message> messages_;
    std::vector<InputQuestion> inputs_;
    std::vector<QString> confirms_;
    std::vector<Default> confirmDefaults_;
    std::vector<QString> filters_;
    std::vector<QString> starts_;
    std::vector<QSize> suggestedSizes_;
    int printDialogs_ = 0;
};

}  // namespace photara::test
