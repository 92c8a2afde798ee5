// Path helpers. Paths chosen by a user or recorded in a catalog may use
// Windows separators; both '/' and '\' separate folders here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellora {

bool isPathSeparator(char c);
// The folder of a path up to and including its last separator ("" if none).
std::string folderOf(std::string_view path);
// The text after the last separator.
std::string leafOf(std::string_view path);
// A Windows path as a path that opens here: backslashes become slashes.
std::string nativePath(std::string_view path);
// Regular files in `folder` whose name ends in `extension`, letter case aside,
// sorted by name.
std::vector<std::string> filesWithExtension(const std::string& folder, std::string_view extension);
// The folder of the running executable, ending in '/'.
std::string executableFolder();

}  // namespace pellora
