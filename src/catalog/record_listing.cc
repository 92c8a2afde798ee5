#include "catalog/record_listing.h"

#include <cstdio>

#include "storage/database_file.h"

namespace pellora {

namespace {

std::string formatted(const char* format, long long a, long long b) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

std::string pageLabelText(long long page, long long count, long long first, long long last) {
  char text[128];
  std::snprintf(text, sizeof text, "Page%lld - [%lld](%lld-%lld) Records", page, count, first, last);
  return text;
}

bool shown(const ColumnLayout& layout, bool legacyCatalog) { return legacyCatalog || layout.ordinal != kNoOrdinal; }

}  // namespace

std::vector<std::string> shownCells(const DecodedRow& row, const TableRows& table, bool legacyCatalog) {
  std::vector<std::string> cells;
  const size_t first = table.firstShownColumn;
  if (first < row.size()) cells.push_back(row[first].display());
  for (size_t i = 0; i < row.size() && i < table.columns.size(); ++i) {
    if (i != first && shown(table.columns[i], legacyCatalog)) cells.push_back(row[i].display());
  }
  return cells;
}

std::vector<std::string> shownColumnNames(const TableRows& table, bool legacyCatalog) {
  std::vector<std::string> names;
  for (const ColumnLayout& layout : table.columns) {
    if (shown(layout, legacyCatalog)) names.push_back(layout.name);
  }
  return names;
}

bool isBlankRow(const DecodedRow& row) {
  for (const DecodedCell& cell : row) {
    if (!cell.null && !cell.text.empty() && cell.text != "NULL") return false;
  }
  return true;
}

RecordListing::RecordListing(TableReader& reader, RecordListModel& model, Notifier& notifier, RowDecoding decoding)
    : reader_(reader), model_(model), notifier_(notifier), decoding_(decoding) {
  if (decoding_.file == nullptr) decoding_.file = &reader_.file();
  if (decoding_.flags == nullptr) decoding_.flags = &reader_.file().flags();
}

ListingPages RecordListing::choosePages(bool advancedMode) {
  const TableRows& table = reader_.prepared();
  DatabaseFile& file = reader_.file();
  if (advancedMode) {
    lister_ = Lister::kPageList;
    return ListingPages::pageList(table.pages);
  }
  if (reader_.catalog().legacyLayout()) {
    const int32_t id = table.currentObject.objectId;
    auto index = reader_.catalog().legacyIndexes().find(id);
    if (index != reader_.catalog().legacyIndexes().end() && index->second.firstPage != 0) {
      lister_ = Lister::kPageChain;
      return ListingPages::pageChain(file, {static_cast<int16_t>(index->second.fileId), index->second.firstPage});
    }
    std::vector<PageId> chain;
    auto iams = file.iamPageIndex().find(id);
    if (iams != file.iamPageIndex().end()) {
      for (const PageIndexEntry& entry : iams->second) {
        chain.push_back({static_cast<int16_t>(entry.fileId), static_cast<int32_t>(entry.position)});
      }
    }
    lister_ = Lister::kIamWalk;
    return ListingPages::iamWalk(file, {}, &chain);
  }
  if (table.allocationUnit.firstIamPage.pageNumber != 0) {
    lister_ = Lister::kIamWalk;
    return ListingPages::iamWalk(file, table.allocationUnit.firstIamPage, nullptr);
  }
  lister_ = Lister::kPageList;
  return ListingPages::pageList(table.pages);
}

// A heap whose allocation map lists nothing readable is read from every data
// page the page index holds for it. Its pages are not linked to each other
// (SQL Server links only the pages of an index), so following the page chain
// from one of them would find that page's rows and lose all the others.
void RecordListing::fallBackToPageList() {
  pages_ = ListingPages::pageList(reader_.prepared().pages);
  lister_ = Lister::kPageList;
}

void RecordListing::setCurrentTable(bool on) {
  // Compressed records are expanded against the table's columns, whichever
  // lister runs.
  if (on) {
    const ExpansionTable table = expansionTableOf(layouts_);
    reader_.file().setCurrentTable(&table);
  } else {
    reader_.file().setCurrentTable(nullptr);
  }
}

template <typename Visit>
void RecordListing::visitRows(ScreenPosition start, Visit visit) {
  const RunFlags& flags = *decoding_.flags;
  for (uint64_t p = start.page;; ++p) {
    std::optional<PageId> id = pages_.at(p);
    if (!id || flags.stopRequested()) return;
    std::vector<DecodedRow> rows = reader_.readPageRows(*id, layouts_, decoding_);
    for (uint64_t r = p == start.page ? start.row : 0; r < rows.size(); ++r) {
      if (flags.stopRequested() || !visit(ScreenPosition{p, r}, rows[r])) return;
    }
    notifier_.progressPos(static_cast<int64_t>(p + 1));
  }
}

int64_t RecordListing::fillScreen(ScreenPosition start, bool pushNext, bool perRowProgress) {
  const TableRows& table = reader_.prepared();
  const bool legacy = reader_.catalog().legacyLayout();
  int64_t inserted = 0;
  model_.clearRows();
  visitRows(start, [&](ScreenPosition at, const DecodedRow& row) {
    // A blank row is never shown, so it cannot start the next screen either.
    if (isBlankRow(row)) return true;
    if (inserted == kScreenSize) {
      current_ = at;
      if (pushNext) screens_.push_back(at);
      return false;
    }
    if (perRowProgress) notifier_.progressPos(inserted);
    model_.addRow(shownCells(row, table, legacy));
    ++inserted;
    ++listRowCounter_;
    return true;
  });
  return inserted;
}

void RecordListing::finishScreen(int64_t inserted, int64_t rowsBefore, int64_t rowsAfter) {
  rowsBefore_ = rowsBefore;
  rowsAfter_ = rowsAfter;
  const std::string rowsTo = formatted("%lld rows to %lld", rowsBefore, rowsAfter);
  notifier_.logLine(rowsTo);
  const long long first = inserted > 0 ? rowsBefore + 1 : 0;
  model_.setLabels(pageLabelText(pageNumber_, inserted, first, rowsAfter), rowsTo);
  notifier_.progressPos(static_cast<int64_t>(pages_.knownCount()));
}

bool RecordListing::listFirstScreen(bool advancedMode) {
  RunFlags& flags = reader_.file().flags();
  flags.listingMode = true;
  const TableRows& table = reader_.prepared();
  layouts_ = table.columns;
  model_.setColumns(shownColumnNames(table, reader_.catalog().legacyLayout()));
  pages_ = choosePages(advancedMode);
  notifier_.progressRange(0, static_cast<int64_t>(table.pages.size()));
  screens_ = {ScreenPosition{}};
  current_ = lastShown_ = ScreenPosition{};
  pageNumber_ = 1;
  listRowCounter_ = 0;
  setCurrentTable(true);
  int64_t inserted = fillScreen(ScreenPosition{}, true, false);
  const bool heap = table.rowset.indexId == 0;
  if (inserted == 0 && lister_ == Lister::kIamWalk && heap && !reader_.catalog().legacyLayout()) {
    fallBackToPageList();
    screens_ = {ScreenPosition{}};
    inserted = fillScreen(ScreenPosition{}, true, false);
  }
  setCurrentTable(false);
  totalRows_ = inserted;
  finishScreen(inserted, 0, inserted);
  model_.setButtons(false, screens_.size() >= 2);
  flags.stopRequest = false;
  flags.listingMode = false;
  return inserted > 0;
}

bool RecordListing::showNextScreen() {
  const size_t shownIndex = static_cast<size_t>(pageNumber_ - 1);
  if (shownIndex + 1 >= screens_.size()) {
    model_.setButtons(pageNumber_ > 1, false);
    return false;
  }
  RunFlags& flags = reader_.file().flags();
  flags.listingMode = true;
  setCurrentTable(true);
  notifier_.progressRange(0, kScreenSize);
  const ScreenPosition start = screens_[shownIndex + 1];
  lastShown_ = start;
  ++pageNumber_;
  const int64_t inserted = fillScreen(start, shownIndex + 2 == screens_.size(), true);
  setCurrentTable(false);
  const int64_t before = static_cast<int64_t>(shownIndex + 1) * kScreenSize;
  totalRows_ = before + inserted;
  finishScreen(inserted, before, before + inserted);
  model_.setButtons(true, static_cast<size_t>(pageNumber_) < screens_.size());
  flags.listingMode = false;
  return true;
}

bool RecordListing::showPreviousScreen() {
  if (pageNumber_ <= 1) {
    model_.setButtons(false, screens_.size() >= 2);
    return false;
  }
  RunFlags& flags = reader_.file().flags();
  flags.listingMode = true;
  setCurrentTable(true);
  notifier_.progressRange(0, kScreenSize);
  --pageNumber_;
  const size_t shownIndex = static_cast<size_t>(pageNumber_ - 1);
  lastShown_ = screens_[shownIndex];
  const int64_t inserted = fillScreen(screens_[shownIndex], false, true);
  setCurrentTable(false);
  const int64_t before = static_cast<int64_t>(shownIndex) * kScreenSize;
  totalRows_ = before + inserted;
  finishScreen(inserted, before, before + inserted);
  model_.setButtons(pageNumber_ > 1, static_cast<size_t>(pageNumber_) < screens_.size());
  flags.listingMode = false;
  return true;
}

void RecordListing::forEachRow(bool advancedMode, const std::function<bool(const DecodedRow&)>& take) {
  RunFlags& flags = reader_.file().flags();
  flags.listingMode = true;
  const TableRows& table = reader_.prepared();
  layouts_ = table.columns;
  pages_ = choosePages(advancedMode);
  setCurrentTable(true);
  int64_t taken = 0;
  auto pass = [&] {
    visitRows(ScreenPosition{}, [&](ScreenPosition, const DecodedRow& row) {
      if (isBlankRow(row)) return true;
      ++taken;
      return take(row);
    });
  };
  pass();
  if (taken == 0 && lister_ == Lister::kIamWalk && table.rowset.indexId == 0 && !reader_.catalog().legacyLayout()) {
    fallBackToPageList();
    pass();
  }
  setCurrentTable(false);
  flags.listingMode = false;
}

void RecordListing::forEachDecodedRow(bool advancedMode, const std::function<bool(const DecodedRow&)>& take) {
  RunFlags& flags = reader_.file().flags();
  flags.listingMode = true;
  layouts_ = reader_.prepared().columns;
  pages_ = choosePages(advancedMode);
  notifier_.progressRange(0, static_cast<int64_t>(reader_.prepared().pages.size()));
  notifier_.progressPos(0);
  setCurrentTable(true);
  visitRows(ScreenPosition{}, [&](ScreenPosition, const DecodedRow& row) { return take(row); });
  setCurrentTable(false);
  flags.listingMode = false;
}

}  // namespace pellora
