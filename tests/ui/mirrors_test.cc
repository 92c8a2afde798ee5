// The window's copies of the engine's models: changes made on a worker
// thread arrive in the window in order and complete, batches included; and
// the tree control tells label clicks from clicks on the check box.
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <thread>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "ui/check_tree.h"
#include "ui/content_mirror.h"
#include "ui/content_panel.h"
#include "ui/tree_mirror.h"

using namespace pellora;
using namespace pellora::ui;

namespace {

// Runs `work` on a thread of its own while this thread handles the window
// calls it makes, as the worker and the window thread do.
void onWorker(const std::function<void()>& work) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    work();
    done = true;
  });
  while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  worker.join();
}

// The tree as "text(child,child)" for comparing a widget with its model.
QString shape(const QTreeWidgetItem* item) {
  QString text = item->text(0);
  if (item->childCount() == 0) return text;
  QStringList children;
  for (int i = 0; i < item->childCount(); ++i) children << shape(item->child(i));
  return text + "(" + children.join(",") + ")";
}

QString shape(const TreeNode& node) {
  QString text = QString::fromStdString(node.text);
  if (node.children.empty()) return text;
  QStringList children;
  for (const auto& child : node.children) children << shape(*child);
  return text + "(" + children.join(",") + ")";
}

QString widgetShape(const QTreeWidget& tree) {
  QStringList top;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) top << shape(tree.topLevelItem(i));
  return top.join(",");
}

QString modelShape(const TreeModel& model) {
  QStringList top;
  for (const auto& child : model.top().children) top << shape(*child);
  return top.join(",");
}

}  // namespace

class MirrorsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void treeChangesArriveInOrder() {
    TreeModel model;
    CheckTree tree;
    TreeMirror mirror(model, tree, {});
    onWorker([&] {
      TreeNode& root = model.appendChild(model.top(), "db");
      TreeNode& tables = model.insertFirstChild(root, "Tables");
      model.insertFirstChild(tables, "User Tables");
      model.insertFirstChild(tables, "System Tables");
      model.insertFirstChild(root, "Views");
      TreeNode& user = *tables.child("User Tables");
      for (int i = 2500; i > 0; --i) model.appendChild(user, "T" + std::to_string(i));
      model.insertFirstChild(user, "first");
      model.setBold(*user.child("T7"), true);
      model.sortChildren(user);
      model.appendChild(model.top(), "second root");
    });
    mirror.flushNodes();
    QCOMPARE(widgetShape(tree), modelShape(model));
    TreeNode& user = *model.top().firstChild()->child("Tables")->child("User Tables");
    QTreeWidgetItem* bold = mirror.itemOf(user.child("T7"));
    QVERIFY(bold && bold->font(0).bold());
    QCOMPARE(mirror.nodeOf(bold), user.child("T7"));
    QCOMPARE(bold->checkState(0), Qt::Unchecked);
    QCOMPARE(bold->toolTip(0), QString("T7"));

    onWorker([&] {
      model.clear();
      model.appendChild(model.top(), "after");
    });
    mirror.flushNodes();
    QCOMPARE(widgetShape(tree), QString("after"));
  }

  void aNodeIsShownWithTheIconSetAfterItsInsertion() {
    TreeModel model;
    CheckTree tree;
    std::map<std::string, std::string> iconSeen;
    TreeMirror mirror(model, tree, [&](const TreeNode& node) {
      iconSeen[node.text] = node.icon;
      return QIcon();
    });
    onWorker([&] {
      for (const char* text : {"SharePointACTUAL", "Team Site"}) {
        // Long enough apart that each insert would cross at once.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        TreeNode& node = model.appendChild(model.top(), text);
        node.icon = "folder";
      }
    });
    mirror.flushNodes();
    QCOMPARE(iconSeen["SharePointACTUAL"], std::string("folder"));
    QCOMPARE(iconSeen["Team Site"], std::string("folder"));
  }

  void recordRowsArriveWholeAndBlankRowsNever() {
    ContentModel model;
    ContentPanel panel;
    QStringList captions;
    ContentMirror mirror(model, panel, [&](const QString& text) { captions << text; });
    onWorker([&] {
      model.records.setColumns({"a", "b"});
      for (int i = 0; i < 1000; ++i) {
        model.records.addRow({std::to_string(i), "x"});
        if (i % 7 == 0) {
          model.records.addRow({"", ""});
          model.records.removeLastRow();
        }
      }
      model.records.setLabels("Page1", "0 rows to 1000");
      model.records.setButtons(false, true);
      model.setCaption("T[1000]");
      model.records.addRow({"late", "y"});
    });
    mirror.flushRows();
    QCOMPARE(panel.records().rowCount(), static_cast<int>(model.records.rows.size()));
    for (int i = 0; i < panel.records().rowCount(); ++i) {
      QCOMPARE(panel.records().row(i).front(), QString::fromStdString(model.records.rows[i].front()));
    }
    QCOMPARE(panel.pageLabel().text(), QString("Page1"));
    QVERIFY(panel.nextButton().isEnabled());
    // The buttons' change does not bring the listing's caption back over the node's.
    QCOMPARE(captions, QStringList({"0 rows to 1000", "T[1000]"}));
  }

  void labelClicksAreToldFromBoxClicks() {
    CheckTree tree;
    QTreeWidgetItem* item = CheckTree::newItem("A fairly long label");
    tree.addTopLevelItem(item);
    tree.resize(300, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QSignalSpy clicks(&tree, &CheckTree::labelClicked);
    const QRect rect = tree.visualItemRect(item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 4, rect.center().y()));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(item->checkState(0), Qt::Unchecked);

    // The box sits left of the label.
    QPoint box(rect.left() + 1, rect.center().y());
    while (box.x() < rect.right() && tree.isOnLabel(box)) box.rx() += 1;
    for (int x = rect.left(); x < rect.right() && !tree.isOnLabel(QPoint(x, box.y())); ++x) {
      QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(x, box.y()));
      if (item->checkState(0) == Qt::Checked) break;
    }
    QCOMPARE(item->checkState(0), Qt::Checked);
    QCOMPARE(clicks.count(), 1);
  }
};

QTEST_MAIN(MirrorsTest)
#include "mirrors_test.moc"
