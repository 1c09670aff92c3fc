// Platforms that do not tell the state of the lock keys.
#include "app/keystate.h"

std::optional<bool> LockKeyState(LockKey) { return std::nullopt; }
