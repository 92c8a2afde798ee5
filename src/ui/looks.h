// The nine visual looks the user can choose from, and where the choice is
// kept between runs (the settings entry "ApplicationLook").
#pragma once

#include <vector>

namespace pellora::ui {

struct Look {
  int id;  // the command that selects it
  const char* name;
};

inline constexpr int kDefaultLook = 215;

// In menu order, ids 210 to 218.
const std::vector<Look>& applicationLooks();

bool isApplicationLook(int id);

// The stored choice; kDefaultLook when none or an unknown one is stored.
int storedLook();

// Ids that name no look are not stored.
void storeLook(int id);

// Gives the whole application the style and colours of look `id` (the default
// look for an unknown id).
void applyLook(int id);

}  // namespace pellora::ui
