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
// even if another directory read has changed the shared identifier table since.
class EraseListController final : public QObject {
  public:
    EraseListController(AppContext& context, QComboBox& list);

    // Replaces the items with the sets of a completed directory read and shows the list.
    void fill(const std::vector<std::string>& identifiers);

    // Called after a set or all sets were erased (the logger window lists them again).
    void setOnErased(std::function<void()> erased) { onErased_ = std::move(erased); }

  private:
    void choose(int index);
    void eraseAll();
    void eraseSet(const std::string& identifier, int setNumber);
    // Tells the outcome of an erase the user confirmed.
    void erased(bool done, const QString& what);

    AppContext& context_;
    QPointer<QComboBox> list_;
    std::function<void()> onErased_;
};

}  // namespace photara
