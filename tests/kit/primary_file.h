// The smallest primary data file the engine should accept: a file header page,
// allocation pages, the boot page, one page of each system table the catalog
// starts from, an IAM page and the user pages it maps. Every position and id
// is a field, so tests can say where things are and break one of them.
#pragma once

#include <cstdint>
#include <string>

#include "kit/data_file_builder.h"
#include "kit/system_pages.h"

namespace pellora::kit {

// Object ids of the system tables, as their pages carry them.
constexpr int32_t kSysRowsets = 5;
constexpr int32_t kSysAllocUnits = 7;
constexpr int32_t kSysSchObjs = 34;
constexpr int32_t kSysColPars = 41;

struct PrimaryFileLayout {
  uint16_t version = 661;
  std::string databaseName = "PelloraSample";
  uint32_t collationId = kLatin1GeneralCp1CiAs;

  uint64_t pfsPosition = 1, gamPosition = 2, sgamPosition = 3;
  uint64_t sysAllocUnitsPosition = 16;
  uint64_t sysSchObjsPosition = 17;
  uint64_t sysColParsPosition = 18;
  uint64_t sysRowsetsPosition = 19;
  uint64_t iamPosition = 24;

  int32_t userObjectId = 1001;
  // User pages start on an extent boundary and fill whole extents, all mapped
  // by the IAM page's bitmap (so at most 63904 extents' worth).
  uint64_t firstUserPage = 32;
  uint64_t userPageCount = 16;
  // Records on each user page: an int id and a variable-length name.
  int recordsPerUserPage = 4;
  // The file holds at least this many pages; more when the user pages need it.
  uint64_t pageCount = 0;
};

// A user data page of `layout.userObjectId`, numbered `position`.
PageBuilder userDataPage(const PrimaryFileLayout& layout, int32_t position);

DataFileBuilder minimalPrimaryFile(const PrimaryFileLayout& layout = {});

}  // namespace pellora::kit
