// The listing of a prepared table: screens of at most 1000 records with
// Previous and Next, read page by page from the pages one of the listers
// gives, and the full pass an export makes over the same pages.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalog/listing_pages.h"
#include "catalog/record_list_model.h"
#include "catalog/table_reader.h"
#include "storage/notifier.h"

namespace pellora {

constexpr int64_t kScreenSize = 1000;

struct ScreenPosition {
  uint64_t page = 0;
  uint64_t row = 0;
  auto operator<=>(const ScreenPosition&) const = default;
};

// The cells a listed row shows: the first shown column, then every other
// column that has a place in the record (in legacy catalog mode, all).
std::vector<std::string> shownCells(const DecodedRow& row, const TableRows& table, bool legacyCatalog);
std::vector<std::string> shownColumnNames(const TableRows& table, bool legacyCatalog);

// A row whose every cell is empty or NULL is never shown.
bool isBlankRow(const DecodedRow& row);

class RecordListing {
 public:
  // `decoding` says how rows are decoded (the file and flags come from the
  // reader's file when left unset).
  RecordListing(TableReader& reader, RecordListModel& model, Notifier& notifier, RowDecoding decoding);

  // Lists the first screen of the prepared table. False when it showed no row.
  bool listFirstScreen(bool advancedMode);
  bool showNextScreen();
  bool showPreviousScreen();

  // Every non-blank row of the prepared table, in listing order, without
  // screens: `take` returns false to stop. Nothing is kept between pages.
  void forEachRow(bool advancedMode, const std::function<bool(const DecodedRow&)>& take);
  // Every decoded row, blank ones included, from the IAM walk (without the
  // page-chain fallback of heaps) or, in Advanced mode, the page list. The
  // progress goes by pages.
  void forEachDecodedRow(bool advancedMode, const std::function<bool(const DecodedRow&)>& take);

  Lister lister() const { return lister_; }
  int64_t pageNumber() const { return pageNumber_; }
  size_t screenStackSize() const { return screens_.size(); }

 private:
  ListingPages choosePages(bool advancedMode);
  // Fills the model from `start`; returns the records it inserted.
  int64_t fillScreen(ScreenPosition start, bool pushNext, bool perRowProgress);
  void finishScreen(int64_t inserted, int64_t rowsBefore, int64_t rowsAfter);
  template <typename Visit>
  void visitRows(ScreenPosition start, Visit visit);
  void setCurrentTable(bool on);
  void fallBackToPageList();

  TableReader& reader_;
  RecordListModel& model_;
  Notifier& notifier_;
  RowDecoding decoding_;
  ColumnLayouts layouts_;
  ListingPages pages_;
  Lister lister_ = Lister::kPageList;
  std::vector<ScreenPosition> screens_;
  ScreenPosition current_;
  ScreenPosition lastShown_;
  int64_t pageNumber_ = 0;
  int64_t rowsBefore_ = 0;
  int64_t rowsAfter_ = 0;
  int64_t totalRows_ = 0;
  int64_t listRowCounter_ = 0;
};

}  // namespace pellora
