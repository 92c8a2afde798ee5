#include "kit/primary_file.h"

#include <algorithm>
#include <string>

#include "kit/record_builder.h"

namespace pellora::kit {

namespace {

int32_t asPageNumber(uint64_t position) { return static_cast<int32_t>(position); }

std::vector<uint8_t> userRecord(int32_t id) {
  std::string name = "row " + std::to_string(id);
  return RecordBuilder()
      .fixedU32(static_cast<uint32_t>(id))
      .columnCount(2)
      .variable(Bytes(reinterpret_cast<const uint8_t*>(name.data()), name.size()))
      .build();
}

void addSystemPages(DataFileBuilder& file, const PrimaryFileLayout& layout) {
  file.setPage(layout.sysAllocUnitsPosition,
               dataPage(asPageNumber(layout.sysAllocUnitsPosition), kSysAllocUnits));
  file.setPage(layout.sysSchObjsPosition, dataPage(asPageNumber(layout.sysSchObjsPosition), kSysSchObjs));
  file.setPage(layout.sysColParsPosition, dataPage(asPageNumber(layout.sysColParsPosition), kSysColPars));
  file.setPage(layout.sysRowsetsPosition, dataPage(asPageNumber(layout.sysRowsetsPosition), kSysRowsets));
}

void addAllocationPages(DataFileBuilder& file, const PrimaryFileLayout& layout) {
  file.setPage(layout.pfsPosition, PageBuilder().type(PageType::kPfs).objectId(kBootObjectId));
  file.setPage(layout.gamPosition, PageBuilder().type(PageType::kGam).objectId(kBootObjectId));
  file.setPage(layout.sgamPosition, PageBuilder().type(PageType::kSgam).objectId(kBootObjectId));
}

void addUserPages(DataFileBuilder& file, const PrimaryFileLayout& layout) {
  uint64_t extents = (layout.userPageCount + kPagesPerExtent - 1) / kPagesPerExtent;
  IamFields iam;
  iam.ownPage = {1, asPageNumber(layout.iamPosition)};
  iam.objectId = layout.userObjectId;
  iam.bitmap =
      extentBitmapRange(static_cast<int>(layout.firstUserPage / kPagesPerExtent), static_cast<int>(extents));
  file.setPage(layout.iamPosition, iamPage(iam));
  file.fillRange(layout.firstUserPage, extents * kPagesPerExtent, userDataPage(layout, 0).build());
}

}  // namespace

PageBuilder userDataPage(const PrimaryFileLayout& layout, int32_t position) {
  PageBuilder page = dataPage(position, layout.userObjectId);
  for (int r = 0; r < layout.recordsPerUserPage; ++r) page.addRecord(userRecord(r + 1));
  return page;
}

DataFileBuilder minimalPrimaryFile(const PrimaryFileLayout& layout) {
  DataFileBuilder file(layout.pageCount);
  file.setPage(0, fileHeaderPage());
  addAllocationPages(file, layout);
  file.setPage(kBootPagePosition, bootPage(layout.version, layout.databaseName, layout.collationId));
  addSystemPages(file, layout);
  addUserPages(file, layout);
  return file;
}

}  // namespace pellora::kit
