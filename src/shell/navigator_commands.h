#pragma once

namespace nav {

// The commands the tick sends, exactly as the navigator accepts them.
inline constexpr wchar_t kGetPositionCommand[] = L"GetCurrentPositionV01|";
inline constexpr wchar_t kDaySchemeCommand[] = L"ChangeSettingV01|3|";
inline constexpr wchar_t kNightSchemeCommand[] = L"ChangeSettingV01|2|";
inline constexpr wchar_t kGreetingCommand[] =
    L"FlashMessage|dorn-k w\u00fcnscht dir eine gute Reise|5000|";

}  // namespace nav
