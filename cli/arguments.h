#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::cli {

// A command's arguments: named options, each once and each with a value
// ("--code abc01"), and the rest as positionals in order.
struct Arguments {
  std::map<std::string, std::string, std::less<>> options;
  std::vector<std::string> positionals;

  bool Has(std::string_view name) const { return options.find(name) != options.end(); }
  const std::string& Get(std::string_view name) const { return options.find(name)->second; }
};

// Nothing when an option is not one of `names`, is given twice or has no
// value, or when the positionals are not `positionals` in number.
std::optional<Arguments> ParseArguments(std::span<char* const> args, std::span<const std::string_view> names,
                                        std::size_t positionals);

// "usage: lumvexctl TEXT" on standard error; returns the usage status 2.
int Usage(std::string_view text);

// A whole non-negative decimal number and nothing else.
std::optional<int> ParseCount(std::string_view text);

}  // namespace lumvex::cli
