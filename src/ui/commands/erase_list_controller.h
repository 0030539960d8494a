#pragma once

#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

namespace photara {

struct AppContext;

// ComboErase's items and choices: "Exit", one item per recorded set, "All". Each set item
// keeps the identifier it was listed with, so choosing it erases exactly the set it shows,
// even if another directory read has changed the shared identifier table since. Before a set
// is erased the meter's directory is read again: a set gone since it was listed is told and
// nothing is erased.
class EraseListController final : public QObject {
  public:
    EraseListController(AppContext& context, QComboBox& list);

    // Replaces the items with the sets of a completed directory read and shows the list.
    void fill(const std::vector<std::string>& identifiers);

    // While the list is shown: lists the sets of a directory read made since (Photara
    // changed the meter's sets), or hides it when the meter holds none.
    void follow(const std::vector<std::string>& identifiers);
    bool shown() const;

    // Called when an erase changed the meter's sets or found them changed (the lists are
    // read again).
    void setOnSetsChanged(std::function<void()> changed) { onSetsChanged_ = std::move(changed); }

  private:
    void choose(int index);
    void eraseAll();
    void eraseSet(const std::string& identifier, int setNumber);
    // Tells the outcome of an erase the user confirmed.
    void erased(bool done, const QString& what);

    AppContext& context_;
    QPointer<QComboBox> list_;
    std::function<void()> onSetsChanged_;
};

}  // namespace photara
