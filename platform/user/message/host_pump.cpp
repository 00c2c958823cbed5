#include "platform/user/input/system_input.h"

#include <talix/host_windows.h>

namespace talix::host {

size_t PumpMessagesUntilIdle() {
  auto queue = user::CurrentQueue();
  size_t count = 0;
  MSG msg;
  while (user::RetrieveMessage(*queue, user::MessageFilter{}, false, &msg) &&
         msg.message != WM_QUIT) {
    if (!user::RetrieveMessage(*queue, user::MessageFilter{}, true, &msg)) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    ++count;
  }
  return count;
}

size_t LiveWindowCount() { return user::LiveWindowObjects(); }

}  // namespace talix::host
