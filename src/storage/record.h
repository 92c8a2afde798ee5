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
  uint16_t availableLength = 0;

 protected:
  void readStatusA(uint8_t status);
};

class CPrimaryRecord : public CRecord {
 public:
  // Parses the record at `offset` of `page`, reading no more than `available`
  // bytes. Never reads outside the page; a record it cannot use is damaged.
  CPrimaryRecord(const CPage_Header& header, Bytes page, size_t offset, size_t available,
                 const PageContext& context, bool followStubs = true);

  int16_t fixedDataLength = 0;
  bool versioning = false;
  bool statusB = false;
  std::vector<int32_t> columnCodes;  // compressed format

 private:
  void parseUncompressed(Bytes record, size_t available);
  size_t readVariableColumns(Bytes record, size_t position, size_t available);
  bool followStub(Bytes stub, const PageContext& context, std::vector<uint8_t>& target);
};

bool looksLikeSparseVector(const VariableColumn& column);
std::unique_ptr<SparseVector> parseSparseVector(Bytes value);

}  // namespace pellora
