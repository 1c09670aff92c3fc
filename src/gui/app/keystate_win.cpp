// Lock-key states from the Windows keyboard.
#include "app/keystate.h"

#include <windows.h>

std::optional<bool> LockKeyState(LockKey key)
{
    const int vk = key == LockKey::Caps ? VK_CAPITAL : key == LockKey::Num ? VK_NUMLOCK : VK_SCROLL;
    return (GetKeyState(vk) & 1) != 0;
}
