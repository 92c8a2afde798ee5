#include "ui/collation_list.h"

#include <algorithm>
#include <vector>

#include <QComboBox>

namespace pellora::ui {

namespace {

struct Item {
  QString name;
  int64_t id;
};

// Marks sort before digits and digits before letters, and letters compare
// without their case, so that a family of names keeps its plain member first:
// "CP1_CI_AS" comes before "CP1250_CI_AS".
int classOf(QChar c) { return c.isLetter() ? 2 : c.isDigit() ? 1 : 0; }

int compareAsListed(const QString& a, const QString& b) {
  const qsizetype common = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < common; ++i) {
    const int byClass = classOf(a[i]) - classOf(b[i]);
    if (byClass != 0) return byClass;
    const int byLetter = a[i].toCaseFolded().unicode() - b[i].toCaseFolded().unicode();
    if (byLetter != 0) return byLetter;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool comesBefore(const Item& a, const Item& b) {
  if (int order = compareAsListed(a.name, b.name)) return order < 0;
  if (int order = a.name.compare(b.name)) return order < 0;
  return a.id < b.id;
}

}  // namespace

void fillCollationList(QComboBox* list, const CollationMap& collations) {
  std::vector<Item> items;
  items.reserve(collations.size());
  for (const auto& [id, entry] : collations) items.push_back({QString::fromStdString(entry.name), id});
  std::sort(items.begin(), items.end(), comesBefore);
  list->clear();
  for (const Item& item : items) list->addItem(item.name, QVariant::fromValue<qlonglong>(item.id));
}

int64_t collationIdAt(const QComboBox* list, int index) { return list->itemData(index).toLongLong(); }

}  // namespace pellora::ui
