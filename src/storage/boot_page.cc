#include "storage/boot_page.h"

#include "platform/codepage.h"
#include "storage/database_file.h"

namespace pellora {

namespace {

constexpr size_t kVersionOffset = 100;
constexpr size_t kNameOffset = 148;
constexpr size_t kNameUnits = 104;
constexpr size_t kCollationOffset = 488;
constexpr int32_t kBootPageNumber = 9;

struct VersionCaption {
  uint16_t version;
  const char* caption;
};

constexpr VersionCaption kCaptions[] = {
    {408, " SQL Server 6.5"},   {515, " SQL Server 7.0"},
    {539, " SQL Server 2000"},  {611, " SQL Server 2005"},
    {612, " SQL Server 2005 SP2+ with VarDecimal enabled"},
    {655, " SQL Server 2008"},  {660, " SQL Server 2008 R2"},
    {661, " SQL Server 2008 R2"}, {684, " SQL Server 2012 CTP1"},
    {706, " SQL Server 2012"},  {782, " SQL Server 2014"},
    {852, " SQL Server 2016"},  {869, " SQL Server 2017"},
    {904, " SQL Server 2019"},  {957, " SQL Server 2022"},
};

// The difference between the page numbers pages carry and the positions
// where they lie, taken from the first page of sysallocunits (or syscolpars).
int64_t pageShift(DatabaseFile& file) {
  for (int32_t objectId : {7, 41}) {
    auto found = file.systemPageIndex().find(objectId);
    if (found == file.systemPageIndex().end() || found->second.empty()) continue;
    const PageIndexEntry& entry = found->second.front();
    auto header = file.readPageHeader({static_cast<int16_t>(entry.fileId), static_cast<int32_t>(entry.position)});
    if (!header) return 0;
    return static_cast<int64_t>(header->thisPage.pageNumber) - entry.position;
  }
  return 0;
}

}  // namespace

std::string versionCaption(uint16_t versionNumber) {
  for (const VersionCaption& entry : kCaptions) {
    if (entry.version == versionNumber) return entry.caption;
  }
  return "Unknown SQL Version";
}

std::string bootDatabaseName(Bytes nameUnits) {
  std::string low;
  for (size_t i = 0; i < kNameUnits && 2 * i < nameUnits.size(); ++i) {
    uint8_t byte = nameUnits[2 * i];
    if (byte == 0) break;
    low.push_back(static_cast<char>(byte));
  }
  // A name that starts with a blank is kept whole.
  size_t blank = low.find(' ');
  if (blank != std::string::npos && blank > 0) low.resize(blank);
  return decodeCodePage(low, ansiCodePage());
}

CBootPage::CBootPage(Bytes page, const CollationMap& collations, CollationChoice choice,
                     int64_t manualId) {
  versionNumber = u16At(page, kVersionOffset);
  createVersion = u16At(page, 102);
  value132 = u32At(page, 132);
  value136 = u32At(page, 136);
  value408 = u16At(page, 408);
  value412 = u32At(page, 412);
  value416 = u32At(page, 416);
  pageId = pageIdAt(page, 612);
  databaseName = bootDatabaseName(sliceOf(page, kNameOffset, 2 * kNameUnits));
  int32_t storedId = s32At(page, kCollationOffset);
  collationId = choice == CollationChoice::kManual ? manualId : storedId;
  if (auto hit = lookupCollation(collations, storedId, choice, manualId)) {
    collationId = hit->first;
    collation = DatabaseCollation{true, hit->first, hit->second.codePage, hit->second.name};
  } else if (choice == CollationChoice::kAuto) {
    collationId = static_cast<uint16_t>(storedId);
  }
}

BootPageResult readBootPage(DatabaseFile& file, const CollationMap& collations,
                            CollationChoice choice, int64_t manualId) {
  BootPageResult result;
  file.setDatabaseName("");
  int64_t position = kBootPageNumber - pageShift(file);
  if (position <= 0 || static_cast<uint64_t>(position) >= file.pageCount()) return result;
  PageBuffer buffer = file.readPrimaryPosition(static_cast<uint64_t>(position));
  if (!buffer) return result;
  CBootPage boot(Bytes(buffer->data(), buffer->size()), collations, choice, manualId);
  file.setDatabaseName(boot.databaseName);
  result.read = true;
  result.versionNumber = boot.versionNumber;
  result.versionText = versionCaption(boot.versionNumber);
  result.databaseName = boot.databaseName;
  result.collation = boot.collation;
  return result;
}

}  // namespace pellora
