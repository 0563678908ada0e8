#pragma once

namespace zef {

// The two windows of the program that can own a message box or a dialog: the one that
// received the event the message answers.
enum class ShellWindow { kMain, kCanvas };

}  // namespace zef
