#include "link/entry_checks.h"

#include <algorithm>

#include "store/file_names.h"

namespace lumvex::link {

bool IsComplete(std::string_view field, std::size_t count) {
  return field.size() == count && std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

FieldTurn TakeTurn(std::string_view field, std::size_t count, int& flag) {
  if (!IsComplete(field, count)) return flag == 0 && field.empty() ? FieldTurn::FocusOnly : FieldTurn::Complain;
  flag = 1;
  return FieldTurn::Accepted;
}

bool IsSelectableServiceCode(std::string_view serviceCode) {
  return !serviceCode.empty() && serviceCode.size() <= store::kMaxServiceCodeLength &&
         store::IsSafeServiceCodeName(serviceCode);
}

}  // namespace lumvex::link
