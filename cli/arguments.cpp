#include "cli/arguments.h"

#include <algorithm>
#include <cstdio>

#include "core/decimal.h"

namespace lumvex::cli {

std::optional<Arguments> ParseArguments(std::span<char* const> args, std::span<const std::string_view> names,
                                        std::size_t positionals) {
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg.size() > 2 && arg.substr(0, 2) == "--") {
      const bool known = std::find(names.begin(), names.end(), arg) != names.end();
      if (!known || i + 1 >= args.size() || !parsed.options.emplace(arg, args[i + 1]).second) return std::nullopt;
      ++i;
    } else {
      parsed.positionals.emplace_back(arg);
    }
  }
  if (parsed.positionals.size() != positionals) return std::nullopt;
  return parsed;
}

int Usage(std::string_view text) {
  std::fprintf(stderr, "Usage: lumvexctl %.*s\n", static_cast<int>(text.size()), text.data());
  return 2;
}

std::optional<int> ParseCount(std::string_view text) {
  if (text.empty() || text.size() > 6 || text[0] == '+' || text[0] == '-') return std::nullopt;
  const LeadingDecimal read = ReadLeadingDecimal(text);
  if (!read.hasDigits || read.end != text.size()) return std::nullopt;
  return static_cast<int>(read.value);
}

}  // namespace lumvex::cli
