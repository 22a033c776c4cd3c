#include "platform/win32/win32_stop_request.h"

#include <windows.h>

namespace nav::win32 {

bool Win32StopRequest::StopRequested() { return HIWORD(GetQueueStatus(QS_SENDMESSAGE)) != 0; }

}  // namespace nav::win32
