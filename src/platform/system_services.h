#pragma once
// Small services of the system around the game: counters, message boxes and
// opening web addresses, each answered by the installed backend.

#include <cstdint>
#include <string>

namespace platform {

std::int64_t performanceCounter();
std::int64_t performanceFrequency();
std::uint32_t tickCount();
void sleepMilliseconds(std::uint32_t milliseconds);

// A message box with the text and caption; a line on standard error when
// there is no window system.
void messageBox(const std::string& text, const std::string& caption);

// True for the only kinds of address the game opens: http, https and mailto.
bool isOpenableUrl(const std::string& url);

// Opens a web address with xdg-open, started directly with the address as
// its one argument (never through a shell); in the browser, in a new tab. The result follows the shell's
// convention: above 32 on success, 32 or below on failure. Headless runs
// open nothing and report success.
int openUrl(const std::string& url);

}  // namespace platform

namespace platform {

// Shows or hides the system cursor, calling the backend only when the state
// asked for differs from the last one asked for.
void setSystemCursorVisible(bool visible);

}  // namespace platform
