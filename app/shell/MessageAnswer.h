#pragma once

namespace zef {

// The button that closed a message box.
enum class MessageAnswer { kOk, kYes, kNo, kCancel };

}  // namespace zef
