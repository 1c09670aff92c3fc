#pragma once

#include <string>
#include <vector>

// A message a calculation shows, in the order the user sees it. A stop ends
// the press before anything is written; a warning lets it go on. Both are
// shown in a notice titled "提示" with the information icon.
enum class MessageKind { Stop, Warn };

struct Message {
    MessageKind kind = MessageKind::Warn;
    std::string text; // UTF-8; "\n" breaks the line inside the notice
};

using Messages = std::vector<Message>;

// Line end of every report line.
inline constexpr const char* kCrLf = "\r\n";
