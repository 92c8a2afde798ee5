#pragma once
#include <vector>
namespace pellora::ui {
struct Look { int id; const char* name; };
const std::vector<Look>& applicationLooks();
inline constexpr int kDefaultLook = 215;
int storedLook();
void storeLook(int id);
void applyLook(int id);
}
