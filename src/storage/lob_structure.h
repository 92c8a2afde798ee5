// The structures a large value is stored as: a small root holding the data
// itself, data fragments, internal nodes listing their children, and the
// large root listing fragments. Each is a view over the fixed part of its
// TextRecord and lives no longer than that record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bytes.h"
#include "storage/page_id.h"
#include "storage/text_record.h"

namespace pellora {

// Data of a small root or a fragment is at most a page long.
constexpr size_t kMaxStructureData = 8192;

class LobStructureBase {
 public:
  explicit LobStructureBase(const TextRecord& record) : valueId_(record.valueId) {}
  virtual ~LobStructureBase();

  uint64_t valueId() const { return valueId_; }
  // The structure's own data as 8-bit text in `codePage` (0: the ANSI code
  // page). Empty for structures that hold only references.
  virtual std::string text(int codePage) const;
  // Two hexadecimal digits per byte of the first `count` bytes of the data.
  virtual std::string hex(size_t count) const;

 private:
  uint64_t valueId_;
};

// Type 0: data length (16-bit) at fixed offset 10, data from 16. A length
// beyond the record's bytes keeps the bytes that are there.
class SmallRoot : public LobStructureBase {
 public:
  explicit SmallRoot(const TextRecord& record);
  Bytes data() const { return data_; }
  std::string text(int codePage) const override;
  std::string hex(size_t count) const override;

 private:
  Bytes data_;
};

// Type 3: the whole payload is data.
class LobSData : public LobStructureBase {
 public:
  explicit LobSData(const TextRecord& record);
  Bytes data() const { return data_; }
  std::string text(int codePage) const override;
  std::string hex(size_t count) const override;

 private:
  Bytes data_;
};

struct InternalChild {
  uint64_t offset = 0;  // where the child's data ends within the value; kept
  RowId row;
};

// Type 2: child count at 12, 16-byte entries from 16.
class Internal : public LobStructureBase {
 public:
  explicit Internal(const TextRecord& record);
  uint16_t capacity() const { return capacity_; }
  uint16_t level() const { return level_; }
  const std::vector<InternalChild>& children() const { return children_; }

 private:
  uint16_t capacity_ = 0;
  uint16_t level_ = 0;
  std::vector<InternalChild> children_;
};

struct FragmentReference {
  int32_t length = 0;  // as stored; kept
  RowId row;
};

// Types 4, 5, 6: fragment count at 12, 12-byte entries from 20.
class LargeRootYukon : public LobStructureBase {
 public:
  explicit LargeRootYukon(const TextRecord& record);
  uint16_t capacity() const { return capacity_; }
  uint16_t level() const { return level_; }
  const std::vector<FragmentReference>& fragments() const { return fragments_; }

 private:
  uint16_t capacity_ = 0;
  uint16_t level_ = 0;
  std::vector<FragmentReference> fragments_;
};

}  // namespace pellora
