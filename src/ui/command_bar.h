// A ribbon-like command bar: one category tab "Pellora" holding large
// buttons with their labels under the pictures, and an application button
// without text in the corner, whose menu holds the window's other commands.
#pragma once

#include <QTabWidget>

class QAction;
class QHBoxLayout;
class QMenu;
class QToolButton;

namespace pellora::ui {

class CommandBar : public QTabWidget {
  Q_OBJECT

 public:
  explicit CommandBar(QWidget* parent = nullptr);

  // A large button on the category's panel that triggers `action`.
  QToolButton* addCommand(QAction* action);
  QMenu& applicationMenu() { return *applicationMenu_; }

 private:
  QHBoxLayout* panel_;
  QMenu* applicationMenu_;
};

}  // namespace pellora::ui
