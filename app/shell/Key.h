#pragma once

namespace zef {

// The keys the editor reacts to outside its accelerators.
enum class Key { kCtrl, kShift, kEscape, kOther };

}  // namespace zef
