#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumvex::hostsim {

// DIR/accounts: one account a line, "SERVICECODE STAFFID PASSWORD" separated
// by blanks; blank lines and lines starting with '#' are kept as they are.
// Read afresh for every request, so an edit by hand takes effect at once.
class Accounts {
 public:
  explicit Accounts(std::filesystem::path file) : file_(std::move(file)) {}

  enum class Lookup { Found, UnknownServiceCode, UnknownStaffId };
  struct Account {
    Lookup lookup = Lookup::UnknownServiceCode;
    std::string password;
  };
  Account Find(std::string_view serviceCode, std::string_view staffId) const;

  // Rewrites the file with the new password (kept under accounts.old too).
  bool ChangePassword(std::string_view serviceCode, std::string_view staffId, std::string_view password) const;

 private:
  std::filesystem::path file_;
};

}  // namespace lumvex::hostsim
