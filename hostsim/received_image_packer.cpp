#include "hostsim/received_image_packer.h"

#if __has_include("lzw/received_file_packer.h")
#include "lzw/received_file_packer.h"
#define LUMVEX_HOSTSIM_HAS_PACKER 1
#endif

namespace lumvex::hostsim {

std::optional<std::string> PackDataFile([[maybe_unused]] std::string_view data) {
#ifdef LUMVEX_HOSTSIM_HAS_PACKER
  return lzw::MakeReceivedFile(data);
#else
  return std::nullopt;
#endif
}

}  // namespace lumvex::hostsim
