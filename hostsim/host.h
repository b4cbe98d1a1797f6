#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "hostsim/accounts.h"
#include "hostsim/host_request.h"
#include "hostsim/served_files.h"

namespace lumvex::hostsim {

// How the host departs from a faultless host, for tests and training.
struct HostOptions {
  std::string endBlock = " End ";                 // ends a download (" End " or "ConP ")
  std::optional<std::string> functionType;        // in place of BATCH / CHPSW in end replies
  long sizeOffset = 0;                            // added to the size in a download's end reply
  std::optional<std::string> errorText;           // refuse every request with this text
  std::optional<std::string> blockType;           // answer every request with this block type
  std::optional<int> hangupAfter;                 // drop the line after K data blocks of a call
  std::optional<int> clearAfter;                  // clear the call after K data blocks of a call
  int passwordWindow = 120;                       // seconds either side of the host's clock
};

struct HostAnswer {
  enum class Action { Reply, DropLine, ClearCall } action = Action::Reply;
  std::string reply;  // without the ETX
};

// The bank host: checks a request and answers it from the data directory.
class Host {
 public:
  Host(std::filesystem::path dataDir, HostOptions options, std::function<std::time_t()> now);

  // A new X.25 call starts; counters of the last call are forgotten.
  void NewCall() { dataBlocksThisCall_ = 0; }
  HostAnswer Answer(std::string_view packet);

 private:
  std::optional<std::string> CheckLogin(const HostRequest& request, std::string& password) const;
  std::string Download(const std::string& header, const HostRequest& request);
  std::string ChangePassword(const std::string& header, const HostRequest& request);
  const ReceivedImage& ImageOf(const ServedFile& file);

  std::filesystem::path dataDir_;
  HostOptions options_;
  std::function<std::time_t()> now_;
  Accounts accounts_;
  int dataBlocksThisCall_ = 0;

  // The last image served, so a download packs its file once.
  std::filesystem::path cachedPath_;
  std::filesystem::file_time_type cachedTime_{};
  ReceivedImage cachedImage_;
};

}  // namespace lumvex::hostsim
