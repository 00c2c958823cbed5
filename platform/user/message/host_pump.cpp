#include "platform/user/message/message_queue.h"

#include <talix/host_windows.h>

namespace talix::host {

size_t PumpMessagesUntilIdle() {
  auto queue = user::CurrentQueue();
  size_t count = 0;
  MSG msg;
  while (user::PeekQueue(*queue, user::MessageFilter{}, false, &msg) && msg.message != WM_QUIT) {
    user::PeekQueue(*queue, user::MessageFilter{}, true, &msg);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    ++count;
  }
  return count;
}

size_t LiveWindowCount() { return user::LiveWindowObjects(); }

}  // namespace talix::host
