#pragma once
// The game window's procedure: activation, minimising, the Alt+Enter switch
// to full screen, and everything else handed to the screen manager.

#include "platform/win_messages.h"

platform::LResult gameWindowProcedure(std::uint32_t message, platform::WParam wParam, platform::LParam lParam);
