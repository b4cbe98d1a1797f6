#include "hostsim/accounts.h"

#include <sstream>
#include <vector>

#include "hostsim/served_files.h"
#include "store/durable_file.h"

namespace lumvex::hostsim {

namespace {

struct Fields {
  std::string serviceCode, staffId, password;
};

std::optional<Fields> ParseLine(const std::string& line) {
  if (line.empty() || line.front() == '#') return std::nullopt;
  std::istringstream in(line);
  Fields f;
  if (!(in >> f.serviceCode >> f.staffId >> f.password)) return std::nullopt;
  return f;
}

std::vector<std::string> Lines(const std::filesystem::path& file) {
  std::istringstream in(ReadFileBytes(file).value_or(std::string()));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

Accounts::Account Accounts::Find(std::string_view serviceCode, std::string_view staffId) const {
  Account account;
  for (const auto& line : Lines(file_)) {
    const auto f = ParseLine(line);
    if (!f || f->serviceCode != serviceCode) continue;
    if (f->staffId == staffId) return {Lookup::Found, f->password};
    account.lookup = Lookup::UnknownStaffId;
  }
  return account;
}

bool Accounts::ChangePassword(std::string_view serviceCode, std::string_view staffId,
                              std::string_view password) const {
  std::string text;
  bool changed = false;
  for (const auto& line : Lines(file_)) {
    const auto f = ParseLine(line);
    if (f && f->serviceCode == serviceCode && f->staffId == staffId) {
      text += f->serviceCode + " " + f->staffId + " " + std::string(password) + "\n";
      changed = true;
    } else {
      text += line + "\n";
    }
  }
  if (!changed) return false;
  auto backup = file_;
  backup += ".old";
  return store::ReplaceKeepingBackup(file_, backup, text) == store::ReplaceResult::Replaced;
}

}  // namespace lumvex::hostsim
