#pragma once

#include <string>

namespace lumvex {

// printf into a std::string, for the fixed formats of messages and files.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace lumvex
