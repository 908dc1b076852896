#pragma once
// Whether the computer has a connection to the Internet, as far as the
// system can tell. Tests install a fixed answer.

#include <functional>

namespace kyvo {

bool isInternetConnected();

using ConnectionProbe = std::function<bool()>;
void setConnectionProbe(ConnectionProbe probe); // empty function: the system's answer

} // namespace kyvo
