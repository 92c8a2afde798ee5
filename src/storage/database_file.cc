#include "storage/database_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/paths.h"
#include "storage/allocation_map.h"
#include "storage/page_scan.h"
#include "storage/primary_record_page.h"

namespace pellora {

namespace {

constexpr int32_t kPrimarySystemIds[] = {1,  2,  3,  4,  5,  6,  7,  8,  13, 14, 20,
                                         21, 34, 41, 50, 53, 54, 55, 60, 74, 99, 2187};
constexpr int32_t kSecondarySystemIds[] = {3, 4, 5, 7, 8, 13, 34, 41, 50, 54, 55, 60, 74};

constexpr uint32_t kDataPageType = 1;
constexpr uint32_t kIamPageType = 10;

struct PageFields {
  uint32_t pageType;
  int32_t objectId;
  uint16_t fileId;
  uint16_t indexId;
};

PageFields fieldsOf(Bytes page) {
  return {u8At(page, 1), s32At(page, 24), u16At(page, 36), u16At(page, 6)};
}

// One page read at `offset`; what lies past the end of the file reads as
// zeros. Nothing when the buffer cannot be had.
PageBuffer readPageAt(const ReadOnlyFile& file, uint64_t offset) {
  PageBuffer buffer(new (std::nothrow) PageBytes);
  if (!buffer) return nullptr;
  size_t got = file.readAt(offset, buffer->data(), kPageSize);
  std::memset(buffer->data() + got, 0, kPageSize - got);
  return buffer;
}

// The part of the secondary file's leaf name before its extension: the file
// is looked for beside the primary, with the extension ".ndf".
std::string secondaryBaseName(const std::string& physicalPath) {
  std::string leaf = leafOf(physicalPath);
  size_t dot = leaf.rfind('.');
  return dot == std::string::npos ? std::string() : leaf.substr(0, dot);
}

}  // namespace

bool isPrimarySystemObject(int32_t objectId) {
  // Most pages belong to user objects, whose ids lie far above the largest
  // system id: one comparison settles them.
  if (objectId <= 0 || objectId > kPrimarySystemIds[std::size(kPrimarySystemIds) - 1]) return false;
  return std::find(std::begin(kPrimarySystemIds), std::end(kPrimarySystemIds), objectId) !=
         std::end(kPrimarySystemIds);
}

bool isSecondarySystemObject(int32_t objectId) {
  return std::find(std::begin(kSecondarySystemIds), std::end(kSecondarySystemIds), objectId) !=
         std::end(kSecondarySystemIds);
}

DatabaseFile::DatabaseFile(const std::string& path, Notifier& notifier, RunFlags& flags)
    : notifier_(notifier), flags_(flags), primaryPath_(path) {
  valid_ = true;
  if (primary_.open(nativePath(path)) != ReadOnlyFile::OpenResult::kOk) {
    notifier_.failure(kCannotOpenMessage);
    valid_ = false;
  } else if (primary_.length() < kPageSize) {
    notifier_.failure(kNotValidMessage);
    valid_ = false;
  } else {
    fileLength_ = primary_.length();
    uint64_t remainder = fileLength_ % kPageSize;
    pageCount_ = (fileLength_ - remainder) / kPageSize;
    extentCount_ = fileLength_ / (kPageSize * kPagesPerExtent);
    dataStart_ = remainder;
    if (checkAlignment(primary_, pageCount_, remainder, true) == AlignmentVerdict::kAlignedAtZero) {
      dataStart_ = 0;
    }
    if (!buildPageIndex()) {
      valid_ = false;
      // Stopped before a system page was met says nothing about the file.
      if (!flags_.stopRequested()) notifier_.failure(kNotValidMessage);
    }
  }
  stoppedDuringOpen_ = flags_.stopRequested();
  flags_.stopRequest.store(false);
}

DatabaseFile::~DatabaseFile() = default;

// Whether some page of first..last, read with `dataStart` as the byte of
// position 0, carries its own position as its page number.
bool DatabaseFile::findSelfNumberedPage(const ReadOnlyFile& file, uint64_t dataStart, uint64_t first,
                                        uint64_t last, bool pollStop) {
  uint64_t step = progressStep(last);
  bool found = false;
  scanPages(file, dataStart, first, last, [&](uint64_t p, Bytes page) {
    if (pollStop && flags_.stopRequested()) return false;
    if (static_cast<int64_t>(s32At(page, 32)) == static_cast<int64_t>(p)) {
      found = true;
      return false;
    }
    if (p % step == 0) notifier_.progressPos(static_cast<int64_t>(p));
    return true;
  });
  return found;
}

// Finds where position 0 lies: a page that carries its own position as its
// page number shows the right start. The pages are first read with the
// remainder as the start (the extra bytes lie before the pages), then from
// byte 0 (the extra bytes lie at the end).
DatabaseFile::AlignmentVerdict DatabaseFile::checkAlignment(const ReadOnlyFile& file,
                                                            uint64_t pageCount,
                                                            uint64_t remainder, bool pollStop) {
  notifier_.statusText("Checking for file corruption ...........");
  notifier_.progressRange(0, static_cast<int64_t>(pageCount));
  notifier_.progressPos(0);
  uint64_t start = pageCount > 8 ? 8 : pageCount / 4;
  AlignmentVerdict verdict = AlignmentVerdict::kNotAligned;
  if (findSelfNumberedPage(file, remainder, start, pageCount, pollStop)) {
    verdict = remainder == 0 ? AlignmentVerdict::kAlignedAtZero : AlignmentVerdict::kAlignedAtRemainder;
  } else if (remainder != 0 && pageCount > 8 && findSelfNumberedPage(file, 0, 8, pageCount, false)) {
    verdict = AlignmentVerdict::kAlignedAtZero;
  }
  notifier_.progressPos(static_cast<int64_t>(pageCount));
  notifier_.statusText("Checking for file corruption is done...........");
  return verdict;
}

bool DatabaseFile::buildPageIndex() {
  systemIndex_.clear();
  dataIndex_.clear();
  notifier_.progressRange(0, static_cast<int64_t>(pageCount_));
  notifier_.progressPos(0);
  notifier_.statusText("Mapping Database Objects...........");
  indexFile(primary_, dataStart_, pageCount_, -1, true, nullptr);
  notifier_.progressPos(static_cast<int64_t>(pageCount_));
  notifier_.statusText("Mapping of Database Objects has been done ......................");
  return !systemIndex_.empty();
}

// One forward pass that files every page under its object id. `forcedFileId`
// (when not -1) replaces the file id of the page headers; `foundFileId`
// receives the header file id of the first data page above file 1.
void DatabaseFile::indexFile(const ReadOnlyFile& file, uint64_t dataStart, uint64_t pageCount,
                             int32_t forcedFileId, bool primary, int32_t* foundFileId) {
  uint64_t step = progressStep(pageCount);
  // Neighbouring pages mostly belong to the same object: remember its lists
  // instead of looking the id up again for every page.
  int32_t lastDataObject = 0, lastIamObject = 0;
  std::vector<PageIndexEntry>* dataList = nullptr;
  std::vector<PageIndexEntry>* iamList = nullptr;
  scanPages(file, dataStart, 0, pageCount, [&](uint64_t p, Bytes page) {
    if (flags_.stopRequested()) return false;
    PageFields fields = fieldsOf(page);
    uint16_t fileId = forcedFileId >= 0 ? static_cast<uint16_t>(forcedFileId) : fields.fileId;
    PageIndexEntry entry{fileId, static_cast<uint32_t>(p), fields.pageType, fields.indexId};
    bool system = primary ? isPrimarySystemObject(fields.objectId) : isSecondarySystemObject(fields.objectId);
    if (system) systemIndex_[fields.objectId].push_back(entry);
    if (fields.objectId > 0 && fields.pageType == kDataPageType) {
      if (!dataList || lastDataObject != fields.objectId) {
        dataList = &dataIndex_[fields.objectId];
        lastDataObject = fields.objectId;
      }
      dataList->push_back(entry);
      if (foundFileId && *foundFileId < 0 && fields.fileId > 1) *foundFileId = fields.fileId;
    }
    if (primary && fields.objectId > 0 && fields.pageType == kIamPageType) {
      if (!iamList || lastIamObject != fields.objectId) {
        iamList = &iamIndex_[fields.objectId];
        lastIamObject = fields.objectId;
      }
      iamList->push_back(entry);
    }
    if (p % step == 0) notifier_.progressPos(static_cast<int64_t>(p));
    return true;
  });
}

void DatabaseFile::attachSecondaryFiles(std::vector<DataFileEntry>& fileList) {
  if (flags_.stopRequested()) return;
  std::string folder = folderOf(primaryPath_);
  if (fileList.empty()) {
    searchSecondaryFiles(folder, fileList);
    return;
  }
  for (DataFileEntry& row : fileList) {
    if (flags_.stopRequested()) return;
    if (row.fileId > 1) row.physicalPath = folder + secondaryBaseName(row.physicalPath) + ".ndf";
  }
  attachListedFiles(fileList);
}

void DatabaseFile::attachListedFiles(std::vector<DataFileEntry>& fileList) {
  for (DataFileEntry& row : fileList) {
    if (flags_.stopRequested()) return;
    if (row.fileId <= 1 || secondaries_.count(row.fileId)) continue;
    ReadOnlyFile file;
    if (file.open(nativePath(row.physicalPath)) != ReadOnlyFile::OpenResult::kOk) continue;
    uint64_t remainder = file.length() % kPageSize;
    row.dataStart = static_cast<int32_t>(remainder);
    row.fileLength = file.length();
    row.pageCount = (file.length() - remainder) / kPageSize;
    notifier_.progressRange(0, static_cast<int64_t>(row.pageCount));
    notifier_.progressPos(0);
    indexFile(file, remainder, row.pageCount, row.fileId, false, nullptr);
    notifier_.progressPos(static_cast<int64_t>(row.pageCount));
    secondaries_[row.fileId] = row;
    secondaryHandles_[row.fileId] = std::move(file);
  }
}

void DatabaseFile::searchSecondaryFiles(const std::string& folder, std::vector<DataFileEntry>& fileList) {
  for (const std::string& path : filesWithExtension(folder, ".ndf")) {
    if (flags_.stopRequested()) return;
    ReadOnlyFile file;
    if (file.open(path) != ReadOnlyFile::OpenResult::kOk) continue;
    uint64_t remainder = file.length() % kPageSize;
    uint64_t pageCount = (file.length() - remainder) / kPageSize;
    uint64_t dataStart = remainder;
    AlignmentVerdict verdict = checkAlignment(file, pageCount, remainder, true);
    if (verdict == AlignmentVerdict::kAlignedAtZero) dataStart = 0;
    notifier_.progressRange(0, static_cast<int64_t>(pageCount));
    notifier_.progressPos(0);
    int32_t ownId = -1;
    indexFile(file, dataStart, pageCount, -1, false, &ownId);
    notifier_.progressPos(static_cast<int64_t>(pageCount));
    if (ownId < 0 || secondaries_.count(ownId)) continue;
    DataFileEntry entry{0, ownId, "", path, file.length(), pageCount, static_cast<int32_t>(dataStart)};
    fileList.push_back(entry);
    secondaries_[ownId] = entry;
    secondaryHandles_[ownId] = std::move(file);
  }
}

// Reads one page of any attached file; `firstPosition` is the lowest position
// the calling fetcher accepts.
PageBuffer DatabaseFile::fetch(PageId id, uint64_t firstPosition) {
  if (id.pageNumber < 0 || static_cast<uint64_t>(id.pageNumber) < firstPosition) return nullptr;
  uint64_t position = static_cast<uint64_t>(id.pageNumber);
  const ReadOnlyFile* file = nullptr;
  uint64_t start = 0, pages = 0, length = 0;
  if (id.fileId == 1) {
    file = &primary_;
    start = dataStart_, pages = pageCount_, length = fileLength_;
  } else if (id.fileId > 1) {
    auto entry = secondaries_.find(id.fileId);
    auto handle = secondaryHandles_.find(id.fileId);
    if (entry == secondaries_.end() || handle == secondaryHandles_.end() || entry->second.physicalPath.empty()) {
      return nullptr;
    }
    file = &handle->second;
    start = static_cast<uint64_t>(entry->second.dataStart);
    pages = entry->second.pageCount, length = entry->second.fileLength;
  }
  if (!file || !file->isOpen() || position > pages) return nullptr;
  uint64_t offset = start + position * kPageSize;
  if (offset > length) return nullptr;
  return readPageAt(*file, offset);
}

PageBuffer DatabaseFile::readPageBuffer(PageId id) { return fetch(id, 1); }

std::unique_ptr<CPage_Header> DatabaseFile::readPageHeader(PageId id) {
  PageBuffer buffer = fetch(id, 1);
  if (!buffer) return nullptr;
  return std::make_unique<CPage_Header>(*buffer);
}

std::unique_ptr<CPage_Header> DatabaseFile::readHeaderKeepBuffer(PageId id) {
  PageBuffer buffer = fetch(id, 1);
  if (!buffer) return nullptr;
  auto header = std::make_unique<CPage_Header>(*buffer);
  currentBuffer_ = std::move(buffer);
  return header;
}

std::unique_ptr<PrimaryRecordPage> DatabaseFile::readRecordPage(PageId id) {
  PageBuffer buffer = fetch(id, 1);
  if (!buffer) return nullptr;
  return std::make_unique<PrimaryRecordPage>(std::move(buffer), pageContext());
}

std::unique_ptr<PrimaryRecordPage> DatabaseFile::readCatalogPage(PageId id) {
  PageBuffer buffer = fetch(id, 0);
  if (!buffer) return nullptr;
  return std::make_unique<PrimaryRecordPage>(std::move(buffer), pageContext());
}

std::unique_ptr<IamPage> DatabaseFile::readIamPage(PageId id) {
  PageBuffer buffer = fetch(id, 1);
  if (!buffer) return nullptr;
  return std::make_unique<IamPage>(std::move(buffer), pageContext());
}

PageBuffer DatabaseFile::readShiftCorrected(PageId id) {
  auto header = readPageHeader(id);
  if (header && header->thisPage.pageNumber != id.pageNumber) {
    int64_t shifted = 2 * static_cast<int64_t>(id.pageNumber) - header->thisPage.pageNumber;
    if (shifted < 0 || shifted > INT32_MAX) return nullptr;
    id.pageNumber = static_cast<int32_t>(shifted);
  }
  return fetch(id, 1);
}

PageBuffer DatabaseFile::readPrimaryPosition(uint64_t position) {
  if (position > pageCount_) return nullptr;
  return readPageAt(primary_, dataStart_ + position * kPageSize);
}

}  // namespace pellora
