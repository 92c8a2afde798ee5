// Carving a page for deleted records: a deleted row whose slot entry is gone
// still lies in the page body. Its start is found by walking from record to
// record and by searching for the signature of a common record shape.
#pragma once

#include <cstdint>
#include <vector>

#include "storage/page.h"

namespace pellora {

// 30 00 84 00 or 3C 00 84 00 at `offset`: status A of a primary (0x30) or
// deleted (0x3C) record with null bitmap and variable columns, status B 0,
// and 128 bytes of fixed data.
bool isRecordSignature(Bytes page, size_t offset);

// The existing slot offsets followed by every record start found in the page
// body that no slot names, in walking order. The caller checks that carving
// applies to the page at all.
std::vector<uint16_t> carveRecordStarts(const CPage_Header& header, Bytes page,
                                        const std::vector<uint16_t>& existing, const PageContext& context);

}  // namespace pellora
