#include "storage/page_header.h"

#include <cstdio>

namespace pellora {

void repairTornBits(PageBytes& page, uint32_t tornBits) {
  // Sector 0 holds the header itself and is never torn; bits 0-1 are unused.
  for (int sector = 1; sector < 16; ++sector) {
    uint8_t& last = page[512 * sector + 511];
    last = static_cast<uint8_t>((last & ~3u) | ((tornBits >> (2 * sector)) & 3u));
  }
}

static std::string logSequenceText(Bytes b) {
  char text[64];
  std::snprintf(text, sizeof text, "( %d : %d : %d )", s32At(b, 40), s32At(b, 44), s16At(b, 48));
  return text;
}

static std::string transactionText(Bytes b) {
  char text[48];
  std::snprintf(text, sizeof text, "( %d : %d )", s16At(b, 56), s32At(b, 52));
  return text;
}

CPage_Header::CPage_Header(PageBytes& page) {
  Bytes b(page.data(), page.size());
  headerVersion = b[0];
  pageType = b[1];
  typeFlagBits = b[2];
  level = b[3];
  flagBits = u16At(b, 4);
  indexId = u16At(b, 6);
  previousPage = pageIdAt(b, 8);
  minimumRecordLength = u16At(b, 14);
  nextPage = pageIdAt(b, 16);
  slotCount = s16At(b, 22);
  objectId = s32At(b, 24);
  freeCount = s16At(b, 28);
  freeDataOffset = u16At(b, 30);
  thisPage = pageIdAt(b, 32);
  reservedCount = u16At(b, 38);
  logSequenceNumber = logSequenceText(b);
  transactionReserved = u16At(b, 50);
  transactionDescriptor = transactionText(b);
  ghostRecordCount = s16At(b, 58);
  tornBits = u32At(b, 60);
  if (hasTornBits()) repairTornBits(page, tornBits);
}

bool CPage_Header::hasNegativeFields() const {
  return ghostRecordCount < 0 || freeCount < 0 || previousPage.pageNumber < 0 ||
         previousPage.fileId < 0 || nextPage.pageNumber < 0 || nextPage.fileId < 0 ||
         thisPage.pageNumber < 0 || thisPage.fileId < 0;
}

}  // namespace pellora
