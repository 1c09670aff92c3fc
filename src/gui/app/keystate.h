#pragma once

#include <optional>

enum class LockKey { Caps, Num, Scroll };

// Whether a lock key is on, where the platform can tell (X11, Windows).
std::optional<bool> LockKeyState(LockKey key);
