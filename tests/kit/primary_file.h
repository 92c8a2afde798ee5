// The smallest primary data file the engine should accept: a file header page,
// allocation pages, the boot page, the pages of the system tables with a small
// catalog, an IAM page and the user pages it maps. Every position and id is a
// field, and the catalog rows can be changed before the file is built, so
// tests can say where things are and break one of them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "kit/data_file_builder.h"
#include "kit/system_pages.h"
#include "kit/system_rows.h"

namespace pellora::kit {

// Which generation of system tables the file's catalog is kept in.
enum class CatalogLayout {
  kCurrent,  // SQL Server 2005 and later: sysschobjs, syscolpars, sysallocunits, sysrowsets
  kSql2000,  // sysobjects, sysindexes, syscolumns
};

struct PrimaryFileLayout {
  uint16_t version = 661;
  std::string databaseName = "PelloraSample";
  uint32_t collationId = kLatin1GeneralCp1CiAs;
  CatalogLayout catalog = CatalogLayout::kCurrent;

  uint64_t pfsPosition = 1, gamPosition = 2, sgamPosition = 3;
  // The current layout's system tables.
  uint64_t sysAllocUnitsPosition = 16;
  uint64_t sysSchObjsPosition = 17;
  uint64_t sysColParsPosition = 18;
  uint64_t sysRowsetsPosition = 19;
  uint64_t sysSingleObjRefsPosition = 25;
  // Both layouts.
  uint64_t sysFiles1Position = 20;
  // The SQL Server 2000 layout's system tables.
  uint64_t sysObjectsPosition = 21;
  uint64_t sysIndexesPosition = 22;
  uint64_t sysColumnsPosition = 23;
  uint64_t iamPosition = 24;

  int32_t userObjectId = 1001;
  std::string userTableName = "SampleTable";
  uint64_t userRowsetId = 72057594039042048ULL;
  uint64_t userAllocUnitId = 72057594043957248ULL;
  // User pages start on an extent boundary and fill whole extents, all mapped
  // by the IAM page's bitmap (so at most 63904 extents' worth).
  uint64_t firstUserPage = 32;
  uint64_t userPageCount = 16;
  // Records on each user page: an int id and a variable-length name.
  int recordsPerUserPage = 4;

  // Unless one of the fields below is set, every user page is the same page
  // holding records 1..recordsPerUserPage ("row 1", ...), which keeps files
  // of many pages cheap. Setting any of them lays the pages out one by one,
  // and records are then numbered from 1 across the table, page by page.
  //
  // The user pages hold exactly this many records, recordsPerUserPage to a
  // page; pages past the last record hold none, and more pages are used when
  // userPageCount holds too few.
  std::optional<uint64_t> userRecordCount;
  // Each user page's next-page link names the user page after it (the last
  // one's names none), and its previous-page link the one before it.
  bool linkedUserPages = false;
  // Names of chosen records instead of "row N"; no value writes a NULL name.
  std::map<uint64_t, std::optional<std::string>> userRecordNames;
  // Records written with no value at all: no fixed data, every column
  // marked NULL, no variable column.
  std::set<uint64_t> blankUserRecords;
  // Records written as ghosts, as a delete leaves them.
  std::set<uint64_t> ghostUserRecords;
  // The file holds at least this many pages; more when the user pages need it.
  uint64_t pageCount = 0;
};

// The SQL Server 2000 file: version 539 and its catalog layout.
PrimaryFileLayout sql2000Layout();

// Object ids of the view and the procedure of the sample catalog.
constexpr int32_t kSampleViewId = 1002;
constexpr int32_t kSampleProcedureId = 1003;

// The rows of the file's system tables, by table: each table's rows go on the
// one page at its layout position (more rows than a page holds abort). A
// table without rows gets no page at all, and only the tables of the
// layout's generation are written.
struct CatalogRows {
  std::vector<ObjectRow> objects;  // sysschobjs, or sysobjects
  std::vector<ColumnRow> columns;  // syscolpars
  std::vector<AllocUnitRow> allocUnits;
  std::vector<RowsetRow> rowsets;
  std::vector<ObjectRefRow> objectRefs;
  std::vector<FileRow> files;  // sysfiles1
  std::vector<LegacyIndexRow> legacyIndexes;
  std::vector<LegacyColumnRow> legacyColumns;
};

// The sample catalog: the user table with its columns "Id" (int identity)
// and "Name" (varchar(50)), a view and a procedure; for the current layout
// the rowset and allocation unit that tie the table to its IAM page, for the
// SQL Server 2000 layout its sysindexes heap row; a files row for file 1.
CatalogRows sampleCatalog(const PrimaryFileLayout& layout = {});

// A user data page of `layout.userObjectId`, numbered `position`.
PageBuilder userDataPage(const PrimaryFileLayout& layout, int32_t position);

// How many user pages the file holds: whole extents, at least userPageCount.
uint64_t userPagesOf(const PrimaryFileLayout& layout);
// How many records the user pages hold in all.
uint64_t userRecordsOf(const PrimaryFileLayout& layout);
// User page `index` (from 0) as minimalPrimaryFile writes it, at position
// firstUserPage + index; a test can change it and set it back in the file.
PageBuilder userPage(const PrimaryFileLayout& layout, uint64_t index);

DataFileBuilder minimalPrimaryFile(const PrimaryFileLayout& layout = {});
DataFileBuilder minimalPrimaryFile(const PrimaryFileLayout& layout, const CatalogRows& catalog);

}  // namespace pellora::kit
