#include "link/device_settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <iterator>

#include "core/file_handle.h"
#include "core/text_format.h"

namespace lumvex::link {
namespace {

constexpr std::array<std::size_t, 5> kWordRoom = {10, 1, 1, 7, 20};
constexpr std::size_t kPhoneWord = 4;
constexpr std::size_t kMaxConfigRead = 4096;  // far beyond any sane first record
constexpr std::size_t kMaxFirstLine = 99;
constexpr std::size_t kPortColumn = 11;
constexpr std::size_t kSpeedColumn = 13;
constexpr std::size_t kNumberColumn = 22;
constexpr std::size_t kLineEndColumn = 43;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::optional<std::string> ReadFileHead(const std::filesystem::path& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(limit, '\0');
  in.read(text.data(), static_cast<std::streamsize>(limit));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

bool WriteAt(int fd, std::size_t column, std::string_view bytes) {
  const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(column));
  return written == static_cast<ssize_t>(bytes.size());
}

}  // namespace

ConfigReadResult ParseDeviceSettings(std::string_view text) {
  std::array<std::string, 5> words;
  std::size_t pos = 0;
  for (std::size_t w = 0; w < words.size(); ++w) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !IsSpace(text[pos])) ++pos;
    std::string_view word = text.substr(start, pos - start);
    // A number of all 20 columns has the record's "x" right after it; the
    // number is what stands before it. A lone "x" (no number) stays a word.
    if (w == kPhoneWord && word.size() > 1 && word.back() == 'x') word.remove_suffix(1);
    if (word.empty() || word.size() > kWordRoom[w]) return {std::nullopt, ConfigError::BadRecord};
    words[w] = std::string(word);
  }
  return {DeviceSettings{words[0], words[1], words[2], words[3], words[4]}, ConfigError::BadRecord};
}

ConfigReadResult ReadDeviceSettings(const std::filesystem::path& configFile) {
  const std::optional<std::string> text = ReadFileHead(configFile, kMaxConfigRead);
  if (!text) return {std::nullopt, ConfigError::CantOpen};
  return ParseDeviceSettings(*text);
}

std::string PortText(std::string_view portDigit) {
  if (portDigit.size() == 1 && portDigit[0] >= '1' && portDigit[0] <= '4') return "COM" + std::string(portDigit);
  return {};
}

std::string SpeedText(std::string_view speedDigit) {
  if (speedDigit == "1") return "9600";
  if (speedDigit == "2") return "14400";
  return {};
}

DeviceChoices ParseDeviceChoices(std::string_view text) {
  std::string_view line = text.substr(0, kMaxFirstLine);
  line = line.substr(0, line.find('\n'));
  auto column = [&](std::size_t pos, std::size_t count) {
    return pos < line.size() ? std::string(line.substr(pos, count)) : std::string();
  };
  DeviceChoices choices{column(kPortColumn, 1), column(kSpeedColumn, 1),
                        column(kNumberColumn, kMaxPhoneNumberLength)};
  // The first character stays even when blank.
  std::string& number = choices.phoneNumber;
  while (number.size() > 1 && number.back() == ' ') number.pop_back();
  return choices;
}

std::optional<DeviceChoices> ReadDeviceChoices(const std::filesystem::path& configFile, MessagePort& messages) {
  const std::optional<std::string> text = ReadFileHead(configFile, kMaxFirstLine + 1);
  if (!text) {
    messages.Show(MessageStyle::Failure, kCantOpenConfig);
    return std::nullopt;
  }
  return ParseDeviceChoices(*text);
}

DeviceWrite WriteDeviceChanges(const std::filesystem::path& configFile, const DeviceChoices& read, int portChoice,
                               int speedChoice, std::string_view phoneNumber, MessagePort& messages) {
  const std::string port = Format("%d", portChoice);
  const std::string speed = Format("%d", speedChoice);
  // A choice outside the radio buttons (none checked) leaves its column alone.
  const bool portChanged = portChoice >= 1 && portChoice <= 4 && read.portDigit != port;
  const bool speedChanged = speedChoice >= 1 && speedChoice <= 2 && read.speedDigit != speed;
  const bool numberChanged = read.phoneNumber != phoneNumber;
  if (!portChanged && !speedChanged && !numberChanged) return DeviceWrite::Unchanged;
  if (phoneNumber.size() > kMaxPhoneNumberLength) return DeviceWrite::BadNumber;

  // O_RDWR without O_CREAT: the file is rewritten in place, never made.
  UniqueFd file(::open(configFile.c_str(), O_RDWR | O_CLOEXEC));
  const int fd = file.get();
  if (fd < 0) {
    messages.Show(MessageStyle::Failure, kCantOpenConfig);
    return DeviceWrite::CantOpen;
  }
  bool ok = true;
  if (portChanged) ok = ok && WriteAt(fd, kPortColumn, port);
  if (speedChanged) ok = ok && WriteAt(fd, kSpeedColumn, speed);
  if (numberChanged) {
    ok = ok && WriteAt(fd, kNumberColumn, Format("%-20.20sx", std::string(phoneNumber).c_str()));
    // Keep the line end the file has (CR LF from an older installation stays).
    char end = '\0';
    if (::pread(fd, &end, 1, static_cast<off_t>(kLineEndColumn)) != 1 || (end != '\n' && end != '\r'))
      ok = ok && WriteAt(fd, kLineEndColumn, "\n");
  }
  ok = file.Close() && ok;
  if (!ok) {
    messages.Show(MessageStyle::Failure, kCantOpenConfig);
    return DeviceWrite::CantOpen;
  }
  return DeviceWrite::Written;
}

}  // namespace lumvex::link
