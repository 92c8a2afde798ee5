// The only access to the data files of a database: the open with its checks,
// the page indexes built in one pass, the secondary files, and the fetchers.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/read_only_file.h"
#include "storage/notifier.h"
#include "storage/page.h"
#include "storage/page_header.h"

namespace pellora {

class IamPage;
class PrimaryRecordPage;

struct PageIndexEntry {
  uint16_t fileId = 0;
  uint32_t position = 0;  // counted in the file that holds the page
  uint32_t pageType = 0;
  // The header's index id: with the object id it names the allocation unit
  // (id = object id << 16 | index id << 48), so units that share an object
  // id keep their pages apart.
  uint16_t indexId = 0;
};

using PageIndex = std::map<int32_t, std::vector<PageIndexEntry>>;

// A data file other than the primary.
struct DataFileEntry {
  int32_t status = 0;
  int32_t fileId = 0;
  std::string logicalName;
  std::string physicalPath;
  uint64_t fileLength = 0;
  uint64_t pageCount = 0;
  int32_t dataStart = 0;
};

// Object ids of the system tables whose pages the index pass collects.
bool isPrimarySystemObject(int32_t objectId);
bool isSecondarySystemObject(int32_t objectId);

inline constexpr const char* kCannotOpenMessage = "File cannot be open...........";
inline constexpr const char* kNotValidMessage =
    "Wheteher File is not valid mdf file or file is highly corrupted...........";

class DatabaseFile {
 public:
  // Opens, checks and indexes the primary file. Reports stage texts, progress
  // and failures to `notifier`; polls `flags.stopRequest` between pages.
  DatabaseFile(const std::string& path, Notifier& notifier, RunFlags& flags);
  ~DatabaseFile();
  DatabaseFile(const DatabaseFile&) = delete;
  DatabaseFile& operator=(const DatabaseFile&) = delete;

  bool valid() const { return valid_; }
  // The user stopped the run while the file was checked: the indexes are partial.
  bool stoppedDuringOpen() const { return stoppedDuringOpen_; }
  uint64_t fileLength() const { return fileLength_; }
  uint64_t pageCount() const { return pageCount_; }
  uint64_t dataStart() const { return dataStart_; }
  uint64_t extentCount() const { return extentCount_; }
  const std::string& primaryPath() const { return primaryPath_; }
  const std::string& databaseName() const { return databaseName_; }
  void setDatabaseName(std::string name) { databaseName_ = std::move(name); }

  const PageIndex& systemPageIndex() const { return systemIndex_; }
  const PageIndex& dataPageIndex() const { return dataIndex_; }
  const PageIndex& iamPageIndex() const { return iamIndex_; }
  const std::map<int32_t, DataFileEntry>& secondaryFiles() const { return secondaries_; }

  // Attaches the secondary files named by the catalog's file rows, or, when
  // there are none, those found beside the primary file; found files are
  // appended to `fileList`.
  void attachSecondaryFiles(std::vector<DataFileEntry>& fileList);

  // Fetchers. Each returns nothing for a position outside its range, an
  // offset beyond the file, or a file id that names no attached file.
  PageBuffer readPageBuffer(PageId id);
  std::unique_ptr<CPage_Header> readPageHeader(PageId id);
  std::unique_ptr<CPage_Header> readHeaderKeepBuffer(PageId id);
  std::unique_ptr<PrimaryRecordPage> readRecordPage(PageId id);
  std::unique_ptr<PrimaryRecordPage> readCatalogPage(PageId id);
  std::unique_ptr<IamPage> readIamPage(PageId id);
  // Reads at q - (h - q) when the page at q carries another page number h.
  PageBuffer readShiftCorrected(PageId id);

  const PageBytes* currentBuffer() const { return currentBuffer_.get(); }
  PageContext pageContext() { return {this, &flags_, currentTable_.get()}; }
  // The columns of the table being listed, which compressed records need to
  // be expanded; none clears it. The file keeps its own copy.
  void setCurrentTable(const ExpansionTable* table) {
    currentTable_ = table ? std::make_shared<const ExpansionTable>(*table) : nullptr;
  }
  RunFlags& flags() { return flags_; }
  Notifier& notifier() { return notifier_; }

  // Raw bytes of position `position` of the primary file at its data start;
  // all zeros past the end. Used by the boot page reader.
  PageBuffer readPrimaryPosition(uint64_t position);

 private:
  enum class AlignmentVerdict { kNotAligned, kAlignedAtRemainder, kAlignedAtZero };

  bool findSelfNumberedPage(const ReadOnlyFile& file, uint64_t dataStart, uint64_t first,
                            uint64_t last, bool pollStop);
  AlignmentVerdict checkAlignment(const ReadOnlyFile& file, uint64_t pageCount,
                                  uint64_t remainder, bool pollStop);
  bool buildPageIndex();
  void indexFile(const ReadOnlyFile& file, uint64_t dataStart, uint64_t pageCount,
                 int32_t forcedFileId, bool primary, int32_t* foundFileId);
  void attachListedFiles(std::vector<DataFileEntry>& fileList);
  void searchSecondaryFiles(const std::string& folder, std::vector<DataFileEntry>& fileList);
  PageBuffer fetch(PageId id, uint64_t firstPosition);

  Notifier& notifier_;
  RunFlags& flags_;
  uint64_t fileLength_ = 0;
  uint64_t pageCount_ = 0;
  uint64_t dataStart_ = 0;
  uint64_t extentCount_ = 0;
  ReadOnlyFile primary_;
  std::string primaryPath_;
  PageBuffer currentBuffer_;
  std::string databaseName_;
  std::shared_ptr<const ExpansionTable> currentTable_;
  PageIndex systemIndex_;
  PageIndex dataIndex_;
  PageIndex iamIndex_;
  std::map<int32_t, DataFileEntry> secondaries_;
  std::map<int32_t, ReadOnlyFile> secondaryHandles_;
  bool valid_ = false;
  bool stoppedDuringOpen_ = false;
};

}  // namespace pellora
