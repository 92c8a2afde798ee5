// The manifest of a synthetic content database: one tab-separated line per
// site (web), list, document or folder (doc) and document body (stream),
// with the values as the row decoder shows them, so a test or a person can
// check what a reader recovered against what was written.
#pragma once

#include <string>

#include "kit/content_db_model.h"

namespace pellora::kit {

// The header line, without its line end.
extern const char* const kManifestHeader;

// "live" or "deleted".
const char* stateName(RowState state);

std::string manifestText(const ContentModel& model);

}  // namespace pellora::kit
