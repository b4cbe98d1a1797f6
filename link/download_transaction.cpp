#include "link/download_transaction.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <memory>

#include "core/file_handle.h"
#include "core/replacement_file.h"
#include "core/text_format.h"
#include "link/entry_checks.h"
#include "link/host_messages.h"
#include "link/password_block.h"
#include "store/file_names.h"

namespace lumvex::link {
namespace {

// The partial file, positioned for the next block: a kept one at its last
// whole block, with anything after that cut away so a short last block can
// never be read as part of the file; else a new empty one.
struct PartialFile {
  CFile file;
  long resumeOffset = 0;
};

PartialFile OpenPartial(const std::filesystem::path& path) {
  PartialFile partial;
  partial.file.reset(std::fopen(path.c_str(), "rb+"));
  if (!partial.file) {
    partial.file.reset(std::fopen(path.c_str(), "wb+"));
    return partial;
  }
  std::fseek(partial.file.get(), 0, SEEK_END);
  const long size = std::ftell(partial.file.get());
  partial.resumeOffset = size > 0 ? size / static_cast<long>(kBlockSize) * static_cast<long>(kBlockSize) : 0;
  if (::ftruncate(::fileno(partial.file.get()), static_cast<off_t>(partial.resumeOffset)) != 0 ||
      std::fseek(partial.file.get(), partial.resumeOffset, SEEK_SET) != 0) {
    partial.file.reset();
  }
  return partial;
}

std::string BlockNumberText(long resumeOffset) {
  return Format("%.5d", static_cast<int>(resumeOffset / static_cast<long>(kBlockSize)));
}

}  // namespace

DownloadTransaction::DownloadTransaction(LinkControl& link, MessagePort& messages, Pacer& pacer, const Clock& clock,
                                         UncompressStep& uncompress, std::filesystem::path storeRoot)
    : link_(link),
      messages_(messages),
      pacer_(pacer),
      clock_(clock),
      uncompress_(uncompress),
      storeRoot_(std::move(storeRoot)) {}

void DownloadTransaction::ResetForLinkDown() {
  acceptance_ = {};
  success_ = 0;
  messageUp_ = 0;
}

DownloadCheck DownloadTransaction::Validate(const DownloadEntries& e) {
  auto stop = [this](std::string_view text, DownloadField focus) {
    if (!text.empty()) Complain(text);
    return DownloadCheck{false, focus};
  };
  auto turn = [&](std::string_view value, std::size_t count, int& flag, std::string_view complaint,
                  DownloadField focus) {
    const FieldTurn t = TakeTurn(value, count, flag);
    if (t == FieldTurn::Accepted) return DownloadCheck{true, DownloadField::None};
    return stop(t == FieldTurn::Complain ? complaint : "", focus);
  };
  if (!IsSelectableServiceCode(e.serviceCode))
    return stop("Please Select your Service Code.", DownloadField::ServiceCode);
  if (!IsComplete(e.staffId, 6)) return stop("Please Check your Staffid.", DownloadField::StaffId);
  acceptance_.staffId = 1;
  if (auto c = turn(e.password, 6, acceptance_.password, "Please Check your Password.", DownloadField::Password);
      !c.go)
    return c;
  if (auto c = turn(e.date, 8, acceptance_.date, "Please Check your Date.", DownloadField::Date); !c.go) return c;

  const std::optional<LocalTime> today = clock_.Now();
  if (!today || !store::IsAcceptedBillDate(e.date, *today)) return stop("Invalid Date.", DownloadField::Date);

  acceptance_ = {};
  messageUp_ = 1;
  if (!messages_.Confirm("Are you sure ?")) return {false, DownloadField::None};
  messageUp_ = 0;
  return {true, DownloadField::None};
}

DownloadOutcome DownloadTransaction::Start(const DownloadEntries& entries) {
  LinkState& state = link_.state();
  success_ = 0;
  dateText_ = entries.date;
  if (state.linkUp == 1) messages_.SetStatus("  ");
  if (link_.LinkConnect() == 0 && state.linkUp == 0) {
    messages_.SetStatus("  Can't Connect to ORQ");
    return DownloadOutcome::ConnectFailed;
  }
  state.linkUp = 1;
  messages_.SetStatus("  Begin Download File ...");
  if (Transfer(entries) != 1) return DownloadOutcome::Failed;
  success_ = 1;
  return DownloadOutcome::Completed;
}

int DownloadTransaction::Transfer(const DownloadEntries& e) {
  const int day = store::DayOfYear(e.date);
  const std::string partialName = store::ReceivedFileName(e.serviceCode, day);
  const std::filesystem::path partialPath = storeRoot_ / partialName;
  PartialFile partial = OpenPartial(partialPath);
  if (!partial.file) {
    Complain(Format("Can't open file %s", partialName.c_str()));
    return 0;
  }
  std::string blockNumber = BlockNumberText(partial.resumeOffset);

  char passwordBlock[kPasswordBlockSize] = {};
  ediEncryptII(e.password.c_str(), passwordBlock, kPasswordTrailer, clock_);
  pacer_.Wait(kFirstRequestPause);

  // Removes the partial file: what it holds cannot be trusted any more.
  auto discard = [&](std::string_view message) {
    Complain(message);
    partial.file.reset();
    std::error_code ec;
    std::filesystem::remove(partialPath, ec);
    return 0;
  };

  long total = 0;
  std::array<char, kDownloadReplyCapacity> reply;
  DownloadReply answer;
  for (;;) {
    const std::string request = BuildDownloadRequest(e.serviceCode, e.staffId, passwordBlock, day, blockNumber);
    reply.fill('\0');
    int received = 0;
    pacer_.Wait(kDownloadRequestPause);
    if (link_.LinkExchange(request, reply, received) == 0) return 0;
    answer = ClassifyDownloadReply(std::string_view(reply.data(), static_cast<std::size_t>(received)));
    if (answer.kind != DownloadReply::Kind::DataBlock) break;
    blockNumber = answer.nextBlockNumber;
    total += static_cast<long>(answer.data.size());
    messages_.SetStatus(Format("  Transfer data %7ld bytes", total));
    if (std::fwrite(answer.data.data(), 1, answer.data.size(), partial.file.get()) != answer.data.size()) {
      Complain(Format("Cannot write file %s", partialName.c_str()));
      return 0;
    }
  }

  switch (answer.kind) {
    case DownloadReply::Kind::End: {
      fileSizeText_ = answer.sizeText;
      std::fflush(partial.file.get());
      const long position = std::ftell(partial.file.get());
      messages_.SetStatus("  Wait for check file size");
      if (partial.resumeOffset + total != position || answer.expectedSize != position)
        return discard(kReceiveDataLoss);
      if (std::fclose(partial.file.release()) != 0) {
        Complain(Format("Cannot write file %s", partialName.c_str()));
        return 0;
      }
      break;
    }
    case DownloadReply::Kind::FunctionTypeError:
    case DownloadReply::Kind::BadDataBlock:
      // What was received so far is sound; the next attempt resumes it.
      Complain(answer.message);
      return 0;
    default:
      return discard(answer.message);
  }
  return Finish(day, e.serviceCode) ? 1 : 0;
}

std::string DownloadTransaction::SetAsideReceivedFile(int dayOfYear, const std::string& serviceCode) {
  // Whole and of the right size, yet damaged: resumed, it would pass the
  // size check and fail again on every later try of that date.
  const std::string received = store::ReceivedFileName(serviceCode, dayOfYear);
  const std::string setAside = store::SetAsideFileName(received);
  std::error_code ec;
  std::filesystem::rename(storeRoot_ / received, storeRoot_ / setAside, ec);
  if (ec) return {};
  SyncDirectoryOf(storeRoot_ / setAside);
  return Format("\nThe received file is kept as %s; the next download of this date starts afresh.", setAside.c_str());
}

bool DownloadTransaction::Finish(int dayOfYear, const std::string& serviceCode) {
  const UncompressResult uncompressed = uncompress_.Uncompress(serviceCode, dayOfYear);
  if (!uncompressed.ok) {
    // A data file that was not made from this transfer is never reported as one.
    Complain(uncompressed.failureText + (uncompressed.damaged ? SetAsideReceivedFile(dayOfYear, serviceCode) : ""));
    return false;
  }
  const std::string dataName = store::DataFileName(serviceCode, dayOfYear);
  std::error_code ec;
  const auto size = std::filesystem::file_size(storeRoot_ / dataName, ec);
  if (ec) {
    Complain(Format("Can't open file %s", dataName.c_str()));
    return false;
  }
  fileSizeText_ = Format("%ld", static_cast<long>(size));
  messages_.SetStatus("  Download Completed ...");
  messages_.Show(MessageStyle::Done, "Download Completed ...");
  return true;
}

}  // namespace lumvex::link
