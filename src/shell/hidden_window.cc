#include "shell/hidden_window.h"

namespace nav {

platform::WindowHandle CreateHiddenWindow(platform::Platform& platform) {
  platform::WindowCreation creation;
  creation.extendedStyle = 0;
  creation.className = kMarkerClassName;
  creation.title = L"";
  creation.style = WS_VISIBLE;
  creation.x = 10;
  creation.y = 10;
  creation.width = 50;
  creation.height = 50;
  const platform::WindowHandle window = platform.windows.Create(creation);
  if (!platform.windows.IsWindow(window)) return platform::kNoWindow;
  platform.windows.ShowWindow(window, false);
  return window;
}

std::intptr_t HiddenWindowProc(platform::Platform& platform, platform::WindowHandle window,
                               std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case WM_DESTROY:
      platform.messages.PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      platform.windows.PaintNothing(window);
      return 0;
    default:
      return platform.windows.DefaultProcedure(window, message, wParam, lParam);
  }
}

}  // namespace nav
