// Lock-key states from the X server's keyboard indicators.
#include "app/keystate.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

std::optional<bool> LockKeyState(LockKey key)
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;

    const char* name = key == LockKey::Caps ? "Caps Lock"
        : key == LockKey::Num                ? "Num Lock"
                                             : "Scroll Lock";
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return std::nullopt;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on == True;
}
