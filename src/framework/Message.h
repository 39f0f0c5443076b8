#pragma once
#include <QString>

// What a check or a password operation has to tell the user, in core terms: the screen
// picks the matching box, a command-line tool prints the text.
enum class MessageKind {
    None,          // nothing to show
    Warning,       // input refused or found wrong; the text begins with "Attenzione: "
    Notice,        // plain message with OK only
    Information,   // the operation succeeded
};

struct Message {
    MessageKind kind = MessageKind::None;
    QString text;
};
