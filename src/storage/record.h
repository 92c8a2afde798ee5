// Records: the rows stored in the slots of record pages. A record copies the
// parts it needs out of the page, so the page can go while the record stays.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "storage/page.h"

namespace pellora {

// Record kinds of status byte A, bits 1-3.
enum RecordKind : int32_t {
  kPrimaryRecord = 0,
  kForwardedRecord = 1,
  kForwardingStub = 2,
  kIndexRecord = 3,
  kDeletedRecord = 6,
};

constexpr int16_t kUnreadableStub = -5;  // fixed data length of a stub whose target is gone

struct VariableColumn {
  int32_t columnId = -1;        // the sparse column id inside a sparse vector
  std::vector<uint8_t> data;    // empty with hasData false when the bounds failed
  bool hasData = false;
  int32_t length = 0;
  bool complex = false;
};

struct SparseVector {
  int16_t columnCount = 0;
  std::vector<VariableColumn> columns;
};

// One end offset of the long data region of a compressed record.
struct LongDataOffset {
  uint16_t end = 0;  // counted from the first long value
  bool complex = false;
};

// Filled per visited column when a compressed record is expanded.
struct ExpandedColumn {
  uint8_t nullMark = 0;
  // Bytes the column's value takes in the expanded image: the length the row
  // decoder reads it with. 0 when nothing was written (null, empty, long).
  int32_t shortDataLength = 0;
};

class CRecord {
 public:
  virtual ~CRecord();

  std::vector<uint16_t> variableOffsets;
  int32_t kind = 0;
  bool hasNullBitmap = false;
  bool compressed = false;
  bool damaged = false;
  bool hasVariableColumns = false;
  bool deleted = false;
  std::vector<uint8_t> fixedData;
  bool hasFixedData = false;
  int16_t shortDataSize = 0;
  int16_t columnCount = 0;
  std::vector<uint8_t> nullBitmap;
  int16_t variableColumnCount = 0;
  std::vector<VariableColumn> variableColumns;
  std::vector<uint8_t> rawCopy;
  std::unique_ptr<SparseVector> sparseVector;
  int32_t recordLength = 0;
  // Set by the row decoder for the large-value reader.
  bool binaryValue = false;
  bool variantValue = false;
  bool unicodeValue = false;
  uint16_t availableLength = 0;
  // Compressed format.
  std::vector<LongDataOffset> longDataOffsets;
  int32_t longDataStart = 0;
  std::vector<ExpandedColumn> expandedColumns;

 protected:
  void readStatusA(uint8_t status);
};

// How a record is to be read besides what its status byte says.
struct RecordReading {
  // A forwarding stub is replaced by its target. Off while a target itself is
  // read, so a stub pointing at a stub (or at itself) cannot loop.
  bool followStubs = true;
  // Read in the compressed format whatever status bit 0 says (the anchor
  // record of a compression information record).
  bool forceCompressed = false;
};

// Column descriptor codes of the compressed format.
enum ColumnCode : int32_t {
  kNullCode = 0,
  kEmptyCode = 1,
  kFirstShortCode = 2,  // 2 .. 9: a value of 1 .. 8 bytes in the short data
  kLastShortCode = 9,
  kLongCode = 10,       // a value in the long data region
  kPageSymbolCode = 12, // one byte: an index into the page dictionary
};

// Bytes a code takes in the short data region.
int shortSizeOf(int32_t code);

class CPrimaryRecord : public CRecord {
 public:
  // Parses the record at `offset` of `page`, reading no more than `available`
  // bytes. Never reads outside the page; a record it cannot use is damaged.
  CPrimaryRecord(const CPage_Header& header, Bytes page, size_t offset, size_t available,
                 const PageContext& context, RecordReading reading = {});

  int16_t fixedDataLength = 0;
  bool versioning = false;
  bool statusB = false;
  std::vector<int32_t> columnCodes;  // compressed format
  // Compressed format: the short data region as stored; fixedData holds the
  // expanded image once the record is expanded.
  std::vector<uint8_t> shortData;
  bool expanded = false;

 private:
  void parseCompressed(Bytes record, size_t available);
  size_t readColumnCodes(Bytes record, size_t countWidth, size_t available);
  size_t readLongData(Bytes record, size_t position, size_t available);
  void parseUncompressed(Bytes record, size_t available);
  size_t readVariableColumns(Bytes record, size_t position, size_t available);
  bool followStub(Bytes stub, const PageContext& context, std::vector<uint8_t>& target);
};

bool looksLikeSparseVector(const VariableColumn& column);
std::unique_ptr<SparseVector> parseSparseVector(Bytes value);

}  // namespace pellora
