#include "hostsim/options.h"

#include <charconv>
#include <cstdlib>
#include <functional>
#include <map>

namespace lumvex::hostsim {

namespace {

constexpr const char* kHelp = R"(Usage: hostsim [OPTION]... DIR
Plays a Hayes modem, an X.25 PAD (X.28) and the ORQ bank host on one
pseudo-terminal, for tests and training. Prints the device to open (the
pseudo-terminal's path, or tcp:127.0.0.1:PORT) on the first line of standard
output, then serves until interrupted. Point the client at it with
  PADX25_COM1=<device printed>
Closing the device is hanging up; the next open starts afresh.

DIR holds what the host serves:
  DIR/accounts                one account a line: SERVICECODE STAFFID PASSWORD
                              ('#' starts a comment); password changes are
                              written back (previous version in accounts.old)
  DIR/<code>/<DDMMYYYY>.dat   a plain bill-payment data file, compressed and
                              packed when it is downloaded
  DIR/<code>/<DDMMYYYY>.rcv   a received-file image, served as it stands
A download request names the day of the year; the latest file of that day is
served in blocks of 512 bytes.

Device:
  --link PATH           also make PATH a symbolic link to the pseudo-terminal
  --tcp PORT            listen on 127.0.0.1:PORT instead (0: any free port)
Modem:
  --number DIGITS       only this telephone number answers (others: NO ANSWER)
  --dial-result TEXT    answer every dial with TEXT (BUSY, NO CARRIER,
                        NO DIALTONE, NO ANSWER, ERROR)
  --rate BPS            line rate to report in CONNECT and to emulate
                        (e.g. 14400); default: report 14400, no pacing
  --guard-ms MS         escape guard time (default $PADX25_GUARD_MS or 1000;
                        never more than the client's)
PAD:
  --address X121        the host's X.121 address (default 2050123456);
                        calls to other addresses are cleared with CLR NP
  --call-result CAUSE   clear every call with CLR CAUSE (OCC, NC, DTE, ...)
  --no-pad              the PAD never answers (no herald, no prompt)
Host:
  --reply-delay MS      wait MS before every host reply
  --hangup-after K      after K data blocks of a call, drop the line
                        (NO CARRIER) instead of answering
  --clear-after K       after K data blocks of a call, clear the call
                        (CLR DTE) instead of answering
  --end-block TEXT      block type that ends a download: " End " or "ConP "
  --function-type TEXT  function type in end replies instead of BATCH/CHPSW
  --wrong-size          a download's end reply states one byte more
  --error TEXT          refuse every request with an Error reply of TEXT
  --block-type TEXT     answer every request with this 5-character block type
Other:
  --verbose             trace every byte on the line on standard error
  --help                show this text
  --version             show the version
)";

std::optional<long> Number(const std::string& text, long low, long high) {
  long value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

std::string FiveBytes(std::string text) {
  text.resize(5, ' ');
  return text;
}

std::string EndBlock(const std::string& text) {
  if (text == "End" || text == " End") return " End ";
  if (text == "ConP") return "ConP ";
  return FiveBytes(text);
}

}  // namespace

const char* HelpText() { return kHelp; }

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  SimulatorOptions o;
  if (const char* guard = std::getenv("PADX25_GUARD_MS")) {
    if (const auto ms = Number(guard, 0, 60000)) o.modem.guard = std::chrono::milliseconds(*ms);
  }
  using Setter = std::function<bool(const std::string&)>;
  const auto number = [](auto& field, long low, long high) {
    return [&field, low, high](const std::string& v) {
      const auto n = Number(v, low, high);
      if (n) field = static_cast<std::remove_reference_t<decltype(field)>>(*n);
      return n.has_value();
    };
  };
  const auto text = [](auto& field) {
    return [&field](const std::string& v) {
      field = v;
      return true;
    };
  };
  std::optional<int> hangupAfter, clearAfter, tcpPort;
  long guardMs = o.modem.guard.count(), delayMs = 0, rate = 0;
  const std::map<std::string, Setter> withValue = {
      {"--link", [&](const std::string& v) { o.link = v; return !v.empty(); }},
      {"--tcp", number(tcpPort, 0, 65535)},
      {"--number", text(o.modem.number)},
      {"--dial-result", text(o.modem.dialResult)},
      {"--rate", number(rate, 300, 115200)},
      {"--guard-ms", number(guardMs, 0, 60000)},
      {"--address", [&](const std::string& v) {
         o.pad.address = v;
         return !v.empty() && v.find_first_not_of("0123456789") == std::string::npos;
       }},
      {"--call-result", text(o.pad.callRefusal)},
      {"--reply-delay", number(delayMs, 0, 600000)},
      {"--hangup-after", number(hangupAfter, 0, 99999)},
      {"--clear-after", number(clearAfter, 0, 99999)},
      {"--end-block", [&](const std::string& v) { o.host.endBlock = EndBlock(v); return true; }},
      {"--function-type", [&](const std::string& v) { o.host.functionType = FiveBytes(v); return true; }},
      {"--error", text(o.host.errorText)},
      {"--block-type", [&](const std::string& v) { o.host.blockType = FiveBytes(v); return true; }},
  };
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {std::nullopt, kHelp, 0};
    if (arg == "--version") return {std::nullopt, "hostsim " LUMVEX_VERSION "\n", 0};
    if (arg == "--no-pad") { o.pad.silent = true; continue; }
    if (arg == "--wrong-size") { o.host.sizeOffset = 1; continue; }
    if (arg == "--verbose" || arg == "-v") { o.verbose = true; continue; }
    if (const auto setter = withValue.find(arg); setter != withValue.end()) {
      if (i + 1 >= args.size()) return {std::nullopt, "hostsim: " + arg + " needs a value\n", 2};
      if (!setter->second(args[++i])) {
        return {std::nullopt, "hostsim: bad value for " + arg + ": " + args[i] + "\n", 2};
      }
      continue;
    }
    if (arg.starts_with("-")) return {std::nullopt, "hostsim: unknown option " + arg + " (see --help)\n", 2};
    positional.push_back(arg);
  }
  if (positional.size() != 1) return {std::nullopt, "hostsim: name one data directory (see --help)\n", 2};
  o.dataDir = positional.front();
  o.tcpPort = tcpPort;
  o.host.hangupAfter = hangupAfter;
  o.host.clearAfter = clearAfter;
  o.modem.guard = std::chrono::milliseconds(guardMs);
  o.pad.replyDelay = std::chrono::milliseconds(delayMs);
  if (rate > 0) {
    o.modem.lineRate = static_cast<int>(rate);
    o.paceBitsPerSecond = static_cast<int>(rate);
  }
  return {std::move(o), {}, 0};
}

}  // namespace lumvex::hostsim
