#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "ui/base/dialog_owner.h"

class QPrinter;
class QWidget;

namespace photara {

// Every modal question the program asks goes through here, so tests script the answers
// and no test waits on a real dialog.
class Prompts {
public:
    enum class Icon { None, Information, Warning, Critical };
    // The button Enter presses. A question whose OK destroys something defaults to Cancel,
    // so a stray Enter keeps what is there.
    enum class Default { Ok, Cancel };

    virtual ~Prompts() = default;

    // A message with an OK button. An empty title means the application's title.
    virtual void message(const QString& text, const QString& title, Icon icon) = 0;

    // OK/Cancel question; true for OK.
    virtual bool confirm(const QString& text, const QString& title, Icon icon,
                         Default defaultButton = Default::Ok) = 0;

    // Input box; std::nullopt on Cancel. An empty answer comes back as an empty string.
    virtual std::optional<QString> input(const QString& title, const QString& prompt,
                                         const QString& defaultAnswer) = 0;

    // File dialogs; filter in Qt form ("Data Files (*.pxd);;All Files (*)"). nullopt on Cancel.
    virtual std::optional<QString> openFileName(const QString& filter) = 0;
    virtual std::optional<QString> saveFileName(const QString& filter) = 0;
    // The same, starting in a folder, or at a suggested path (folder and file name).
    virtual std::optional<QString> openFileNameIn(const QString& filter, const QString&) {
        return openFileName(filter);
    }
    virtual std::optional<QString> saveFileNameAs(const QString& filter, const QString&) {
        return saveFileName(filter);
    }

    // Print dialog set up on printer; true when the user chose to print.
    virtual bool choosePrinter(QPrinter& printer) = 0;

    // The file dialogs of exports and of Open, starting at a remembered place: `start` is a
    // folder, or a folder and a suggested file name. The save dialog also tells which of
    // its filters the user picked (a format, a flavour). Without an override they fall back
    // to the plain dialogs above.
    struct SaveChoice {
        QString path;
        QString filter;  // the picked filter as given, e.g. "Excel (*.csv)"
    };
    virtual std::optional<SaveChoice> saveFileChoice(const QString& filter, const QString& start);

    // The size in pixels of a picture to export, `suggested` filled in; nullopt on Cancel.
    virtual std::optional<QSize> imageSize(const QSize& suggested) { return suggested; }
};

// The real dialogs, over the window the user last worked in (the given parent when none is
// shown); closing one gives the focus back to where it was.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : owner_(parent) {}
    void setParent(QWidget* parent) { owner_.setFallback(parent); }

    void message(const QString& text, const QString& title, Icon icon) override;
    bool confirm(const QString& text, const QString& title, Icon icon,
                 Default defaultButton = Default::Ok) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& defaultAnswer) override;
    std::optional<QString> openFileName(const QString& filter) override;
    std::optional<QString> saveFileName(const QString& filter) override;
    std::optional<QString> openFileNameIn(const QString& filter, const QString& folder) override;
    std::optional<QString> saveFileNameAs(const QString& filter, const QString& suggested) override;
    bool choosePrinter(QPrinter& printer) override;
    std::optional<SaveChoice> saveFileChoice(const QString& filter, const QString& start) override;
    std::optional<QSize> imageSize(const QSize& suggested) override;

private:
    QWidget* owner() const { return owner_.window(); }

    DialogOwner owner_;
};

}  // namespace photara
