// Readable names of window messages, for failure output.
//
// Contract: MessageName(msg) is "WM_SIZE" for the messages of windows.h that tests meet,
// "CN_BASE+WM_COMMAND" for the framework's reflected notifications (0xBC00 + a message),
// "CM_FONTCHANGED" for its own notifications, "WM_USER+5" and "WM_APP+1" for private ranges,
// and the number in hex for anything else. Never empty.
#pragma once

#include <windows.h>

#include <string>

namespace kv::test {

std::string MessageName(UINT msg);

} // namespace kv::test
