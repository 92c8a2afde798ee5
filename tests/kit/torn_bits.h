// Writing a page the way a torn-page-protected write leaves it on disk: the
// low two bits of the last byte of sectors 1..15 give way to a sector-write
// stamp, and the torn-bits field (offset 60) keeps the true bits.
#pragma once

#include <cstdint>

#include "storage/page_header.h"

namespace pellora::kit {

constexpr int kSectorSize = 512;
constexpr int kSectorsPerPage = kPageSize / kSectorSize;
constexpr size_t kTornBitsOffset = 60;

enum class TornStamp {
  // Every stamped byte gets the complement of its true low bits, so a reader
  // that skips the repair sees fifteen wrong bytes, whatever the page holds.
  kComplement,
  // Every stamped byte gets 01, as after a single write; bytes whose true low
  // bits are 01 read right even unrepaired.
  kFixed01,
};

// The torn-bits field value that saves the true low bits of `page`.
uint32_t tornBitsOf(const PageBytes& page);

// Sets the torn-bits flag, stores the field and stamps the 15 bytes; the page
// passed in is the true image. Returns the stored field value.
uint32_t applyTornBits(PageBytes& page, TornStamp stamp = TornStamp::kComplement);

}  // namespace pellora::kit
