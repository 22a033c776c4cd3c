#include "platform/win32/win32_notifier.h"

#include <windows.h>

namespace nav::win32 {

void Win32Notifier::ShowMessage(const std::wstring& text, const std::wstring& caption) {
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace nav::win32
