#pragma once

#include <string_view>

namespace lumvex::link {

// A field of the link dialogs holds digits only, at most `count` of them;
// it is complete when it holds exactly that many.
bool IsComplete(std::string_view field, std::size_t count);

enum class FieldTurn {
  Accepted,   // complete; its acceptance flag is now set
  FocusOnly,  // empty on its first turn: the focus moves there, no message
  Complain,   // its message is shown and the focus moves there
};

// One field in its turn on the default button. Until its flag is set an
// empty field only takes the focus, so Enter walks the user through the
// fields in order; once set, an incomplete field is complained about.
FieldTurn TakeTurn(std::string_view field, std::size_t count, int& flag);

// A Service Code chosen from the list: at most 8 characters and usable as a
// directory name under the store root.
bool IsSelectableServiceCode(std::string_view serviceCode);

}  // namespace lumvex::link
