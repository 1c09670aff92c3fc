#pragma once

#include <QIcon>

// The toolbar's 16 x 15 button images, drawn from the pixel rows in
// toolbaricons.cpp. A null icon for a command without an image.
QIcon ToolbarIcon(int commandId);

// The raw pixel rows of a button image, for checking their shape.
const char* const* ToolbarIconRows(int commandId);

inline constexpr int kToolbarIconWidth = 16;
inline constexpr int kToolbarIconHeight = 15;
