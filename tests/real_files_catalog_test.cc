// The catalog of every real data file holds exactly the tables, views and
// procedures that the manifest names.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "app/open_database.h"
#include "kit/fixture_manifest.h"

namespace pellora {
namespace {

std::set<std::string> manifestNames(const std::string& field) {
  std::set<std::string> names;
  std::stringstream in(field);
  std::string item;
  while (std::getline(in, item, ';')) {
    if (item.empty()) continue;
    names.insert(item.substr(0, item.find('=')));
  }
  return names;
}

std::set<std::string> catalogNames(const DatabaseCatalog& catalog, const std::string& typeCode) {
  std::set<std::string> names;
  for (const TableInfo& object : catalog.objects()) {
    if (object.typeCode == typeCode) names.insert(object.name);
  }
  return names;
}

TEST(RealFilesCatalog, ObjectsAndColumnsMatchTheManifest) {
  auto fixtures = kit::loadFixtureManifest();
  if (fixtures.empty()) GTEST_SKIP() << "../shared/fixtures is absent: real data files not tested";
  for (const kit::FixtureFile& fixture : fixtures) {
    if (!fixture.isPrimary()) continue;
    SCOPED_TRACE(fixture.file);
    ApplicationState state;
    RunStorage storage;
    ASSERT_TRUE(OpenDatabase(fixture.path, storage, state, silentNotifier()));
    const DatabaseCatalog& catalog = *storage.catalog;
    EXPECT_FALSE(catalog.legacyLayout());
    EXPECT_EQ(catalogNames(catalog, "U "), manifestNames(fixture.field("user_tables")));
    EXPECT_EQ(catalogNames(catalog, "V "), manifestNames(fixture.field("views")));
    EXPECT_EQ(catalogNames(catalog, "P "), manifestNames(fixture.field("procedures")));
    for (const TableInfo& object : catalog.objects()) {
      if (object.typeCode != "U ") continue;
      size_t columns = 0;
      for (const ColumnInfo& column : catalog.columns()) columns += column.objectId == object.objectId;
      EXPECT_GT(columns, 0u) << object.name;
      EXPECT_EQ(catalog.findObject(object.name, "U ").objectId, object.objectId);
    }
  }
}

}  // namespace
}  // namespace pellora
