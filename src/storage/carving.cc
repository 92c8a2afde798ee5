#include "storage/carving.h"

#include "storage/record.h"

namespace pellora {

namespace {

constexpr size_t kWalkStart = 96;
constexpr size_t kWalkEnd = 8190;    // the walk goes on while the position is below this
constexpr size_t kSeekLast = 8189;   // the last position a signature search looks at
constexpr size_t kCandidateLength = 8060;
constexpr int kMaxCandidateColumns = 1023;

// The length of the record a walk step finds at `offset`, or -1 when no
// record of a shape that can be walked over starts there (0 when it parsed
// but its length is unknown).
int candidateLength(const CPage_Header& header, Bytes page, size_t offset, const PageContext& context) {
  CPrimaryRecord candidate(header, page, offset, kCandidateLength, context, RecordReading{.followStubs = false});
  if (candidate.damaged || candidate.compressed || candidate.kind == kForwardingStub ||
      candidate.kind == kIndexRecord || candidate.columnCount < 1 || candidate.columnCount > kMaxCandidateColumns) {
    return -1;
  }
  return candidate.recordLength;
}

class Walk {
 public:
  Walk(const CPage_Header& header, Bytes page, const std::vector<uint16_t>& existing, const PageContext& context)
      : header_(header), page_(page), context_(context), starts_(existing), known_(kPageSize, false) {
    for (uint16_t offset : existing) {
      if (offset < kPageSize) known_[offset] = true;
    }
  }

  std::vector<uint16_t> run();

 private:
  bool step();
  bool seekFrom(size_t x);
  void noteStart(size_t offset);

  const CPage_Header& header_;
  Bytes page_;
  const PageContext& context_;
  std::vector<uint16_t> starts_;
  std::vector<bool> known_;  // offsets already in starts_
  size_t p_ = kWalkStart;
  size_t lastSignature_ = 0;
};

std::vector<uint16_t> Walk::run() {
  // Each step moves the position forward, or stays on a signature whose row
  // cannot be read for at most two steps before moving past it; so a page
  // takes no more than three steps per byte. The bound keeps a fault here
  // from looping.
  size_t stepsLeft = 3 * static_cast<size_t>(kPageSize);
  while (p_ < kWalkEnd && stepsLeft-- > 0) {
    if (context_.stopRequested() || !step()) break;
  }
  return std::move(starts_);
}

// One step of the walk; false ends it. Rows lie one after another in the
// page body, so the end of a row is where the next one, of whatever shape,
// is tried; only where no row can be read does the signature search take
// over.
bool Walk::step() {
  int length = candidateLength(header_, page_, p_, context_);
  if (length <= 0) return seekFrom(p_);
  noteStart(p_);
  p_ += static_cast<size_t>(length);
  return true;
}

// Moves to the next signature at or after `x` (after it when `x` is the last
// signature found, whose record has already been tried).
bool Walk::seekFrom(size_t x) {
  if (x == lastSignature_) ++x;
  for (; x <= kSeekLast; ++x) {
    if (context_.stopRequested()) return false;
    if (isRecordSignature(page_, x)) {
      lastSignature_ = x;
      p_ = x;
      return true;
    }
  }
  return false;
}

void Walk::noteStart(size_t offset) {
  if (offset >= known_.size() || known_[offset]) return;
  known_[offset] = true;
  starts_.push_back(static_cast<uint16_t>(offset));
}

}  // namespace

bool isRecordSignature(Bytes page, size_t offset) {
  if (!fits(page, offset, 4)) return false;
  uint8_t status = page[offset];
  return (status == 0x30 || status == 0x3C) && page[offset + 1] == 0 && page[offset + 2] == 0x84 &&
         page[offset + 3] == 0;
}

std::vector<uint16_t> carveRecordStarts(const CPage_Header& header, Bytes page,
                                        const std::vector<uint16_t>& existing, const PageContext& context) {
  return Walk(header, page, existing, context).run();
}

}  // namespace pellora
