#pragma once

#include <string>
#include <vector>

// A message a calculation shows, in the order the user sees it. A stop ends
// the press before anything is written; a warning lets it go on.
enum class MessageKind { Stop, Warn };

// Who speaks, which decides how the message is shown. The calculators' own
// messages come in a notice titled "提示" with the information icon; a box
// whose text the input rules refuse is answered as the framework answers it,
// titled with the program's name and the exclamation icon.
enum class MessageSource { Calculator, Input };

struct Message {
    MessageKind kind = MessageKind::Warn;
    std::string text; // UTF-8; "\n" breaks the line inside the notice
    MessageSource source = MessageSource::Calculator;
};

using Messages = std::vector<Message>;

// Line end of every report line.
inline constexpr const char* kCrLf = "\r\n";
