// Where the product points its users: the maker's site, the two mail boxes,
// the help page and the product page. The about box and the main window share them.
#pragma once

namespace pellora::ui {

inline constexpr const char* kCompanyWebsite = "https://www.vantorq.example/";
inline constexpr const char* kSupportEmail = "support@vantorq.example";
inline constexpr const char* kSalesEmail = "sales@vantorq.example";
inline constexpr const char* kHelpPage = "https://www.vantorq.example/pellora/help";
// Opened when the program closes.
inline constexpr const char* kProductPage = "https://www.vantorq.example/pellora/";

}  // namespace pellora::ui
