#pragma once
namespace pellora::ui {
inline constexpr const char* kMakerWebSite = "https://www.vantorq.example/";
inline constexpr const char* kHelpPage = "https://www.vantorq.example/pellora/help";
inline constexpr const char* kProductPage = "https://www.vantorq.example/pellora/";
}
