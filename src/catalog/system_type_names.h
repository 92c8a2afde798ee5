// Names of SQL Server's system types, for catalogs whose type table is
// missing or damaged: a column keeps a readable type text either way.
#pragma once

#include <cstdint>
#include <string>

namespace pellora {

// "int" for 56 and so on; "type" and the id for an id without a name.
std::string systemTypeName(int32_t systemTypeId);

}  // namespace pellora
