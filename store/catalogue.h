#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_port.h"
#include "store/catalogue_observer.h"
#include "store/file_names.h"

namespace lumvex::store {

inline constexpr int MAX_SERVICE_CODES = 10;
inline constexpr int MAX_FILES = 3660;

// The longest value each file-entry field may hold.
inline constexpr std::size_t kMaxDescriptionLength = 31;
inline constexpr std::size_t kMaxDateLength = 10;
inline constexpr std::size_t kMaxFileSizeLength = 31;

inline constexpr int kFileImage = 0;
inline constexpr std::string_view kDownloadDescription = "Download Bill Payment";

struct ServiceCodeEntry {
  std::string name;  // "deleted" once removed
  int fileCount = 0;
};

struct FileEntry {
  std::string fileName;
  std::string serviceCode;  // "deleted" once removed
  std::string description;
  std::string datePrepare;
  std::string dateRetrieve;
  std::string fileSize;
  int image = kFileImage;
};

// The Service Codes and stored files of this installation, mirrored to
// download.log in the store root. Tables only grow while the program runs:
// removal marks an entry "deleted" and the slot stays taken until the next
// load, so indexes handed out stay valid.
// The message of a full file table.
std::string FileTableFullText();

class Catalogue {
 public:
  Catalogue(MessagePort& messages, std::filesystem::path storeRoot = ".");

  void SetObserver(CatalogueObserver* observer) { observer_ = observer; }
  const std::filesystem::path& storeRoot() const { return storeRoot_; }

  // Reads download.log; every problem is shown through the message port.
  void LoadCatalogue();
  bool ParseCatalogue(std::string_view text);
  std::string BuildCatalogueText() const;
  bool SaveCatalogue();

  // The mutations. Each one tells the observer what changed; none saves:
  // saving is a step of the command that calls them.

  // Appends a Service Code (file count 0); -1 when the table is full.
  int AddServiceCode(std::string_view name);
  void MarkServiceCodeDeleted(int serviceCodeIndex);
  // Appends a complete entry for the Service Code; false when the table is full.
  bool AppendFile(int serviceCodeIndex, FileEntry entry);
  // Marks the first live entry of that name; returns its list row, or -1 when
  // the Service Code has no such file.
  int MarkFileDeleted(int serviceCodeIndex, std::string_view fileName);

  // Asks the view to show the Service Code (select its node, fill its list).
  void ShowServiceCode(int serviceCodeIndex);

  int serviceCodeCount() const { return static_cast<int>(serviceCodes_.size()); }
  int fileCount() const { return static_cast<int>(files_.size()); }
  const ServiceCodeEntry& serviceCode(int index) const { return serviceCodes_.at(static_cast<std::size_t>(index)); }
  const FileEntry& file(int index) const { return files_.at(static_cast<std::size_t>(index)); }
  bool IsLive(int serviceCodeIndex) const;
  // Index of the first live Service Code of that name, or -1; a file entry
  // belongs to this one.
  int FindServiceCode(std::string_view name) const;
  // Indexes of the Service Code's live file entries, in table order.
  std::vector<int> FilesOf(int serviceCodeIndex) const;
  int FileCountOf(int serviceCodeIndex) const { return serviceCode(serviceCodeIndex).fileCount; }
  // The first live entry of the Service Code with that File Name, or -1.
  int FindFile(int serviceCodeIndex, std::string_view fileName) const;

 private:
  void Clear();
  void Show(std::string_view text) const;
  bool ReadServiceCodes(class CatalogueReader& reader);
  bool ReadFiles(class CatalogueReader& reader);
  int RowOf(int serviceCodeIndex, int fileIndex) const;

  MessagePort& messages_;
  std::filesystem::path storeRoot_;
  CatalogueObserver* observer_ = nullptr;
  std::vector<ServiceCodeEntry> serviceCodes_;
  std::vector<FileEntry> files_;
};

}  // namespace lumvex::store
