#include "report/testing/data_file_generator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <functional>
#include <memory>

#include "core/file_handle.h"

namespace lumvex::report::testing {
namespace {

constexpr std::size_t kShortestRecord = 200;

void Put(std::string& record, std::size_t offset, std::string_view text, std::size_t width) {
  const std::size_t n = std::min(text.size(), width);
  record.replace(offset, n, text.substr(0, n));
}

std::string Blank(char kind, std::size_t length) {
  std::string record(std::max(length, kShortestRecord), ' ');
  record[0] = kind;
  return record;
}

// splitmix64: small, fast, and the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
  long long Between(long long low, long long high) {
    if (high <= low) return low;
    return low + static_cast<long long>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }

 private:
  std::uint64_t state_;
};

// Given names and family names with tone marks and above/below vowels.
constexpr std::array kThaiGiven = {"สมศักดิ์", "วิไลวรรณ", "ประเสริฐ", "กิตติพงษ์", "น้ำทิพย์",
                                   "สุนีย์",   "ชัยวัฒน์", "พิมพ์ใจ",  "ศิริรัตน์",  "บุญชื่น"};
constexpr std::array kThaiFamily = {"ใจดี",      "ศรีสุข",  "รุ่งเรืองกิจ", "มั่นคง",
                                    "แก้วประเสริฐ", "ทองดี", "พึ่งพิทักษ์", "จันทร์เพ็ญ"};
constexpr std::array kAsciiGiven = {"SOMCHAI", "WILAIWAN", "PRASERT", "KITTIPONG", "SUNEE"};
constexpr std::array kAsciiFamily = {"JAIDEE", "SRISUK", "RUNGRUANG", "MANKONG"};
constexpr std::array kThaiCompanies = {"บริษัท ไฟฟ้าสยาม จำกัด", "การประปาส่วนภูมิภาค",
                                       "บริษัท โทรศัพท์ไทย จำกัด (มหาชน)"};
constexpr std::array kAsciiCompanies = {"SIAM ELECTRIC CO.,LTD.", "REGIONAL WATERWORKS",
                                        "THAI TELEPHONE PUBLIC CO.,LTD."};

template <std::size_t N>
std::string Pick(const std::array<const char*, N>& names, Random& random, bool thai) {
  const char* name = names[random.Below(N)];
  return thai ? ToTis620(name) : std::string(name);
}

std::string Digits(std::uint64_t value, int width) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*llu", width, static_cast<unsigned long long>(value));
  return text;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

int ItemsPerCompany(const DataFileOptions& o) {
  const int companies = std::max(o.companies, 1);
  int items = std::max(o.itemsPerCompany, 0);
  if (o.targetBytes == 0) return items;
  const std::uint64_t line = std::max(o.recordLength, kShortestRecord) + 2;
  const std::uint64_t frame = 2 * line * static_cast<std::uint64_t>(companies);
  const std::uint64_t wanted = o.targetBytes > frame ? (o.targetBytes - frame + line - 1) / line : 0;
  const auto perCompany = static_cast<int>((wanted + static_cast<std::uint64_t>(companies) - 1) /
                                           static_cast<std::uint64_t>(companies));
  return std::max(items, perCompany);
}

bool IsCardChannel(std::string_view code) { return code == "EPC" || code == "MBC" || code == "INC"; }

// Emits the file line by line; `sink` returns false to stop.
bool Generate(const DataFileOptions& o, const std::function<bool(std::string_view)>& sink,
              DataFileSummary& summary) {
  Random random(o.seed);
  const int companies = std::max(o.companies, 1);
  const int items = ItemsPerCompany(o);
  const std::string code = Upper(o.serviceCode);
  std::uint64_t sequence = 0;
  auto emit = [&](std::string line) {
    line += "\r\n";
    summary.bytes += line.size();
    return sink(line);
  };
  for (int c = 0; c < companies; ++c) {
    HeaderFields h{code, "KORDEX",
                   o.thaiNames ? ToTis620(kThaiCompanies[static_cast<std::size_t>(c) % kThaiCompanies.size()])
                               : kAsciiCompanies[static_cast<std::size_t>(c) % kAsciiCompanies.size()],
                   o.billDate};
    std::string header = HeaderRecord(h, o.recordLength);
    Put(header, 15, Digits(static_cast<std::uint64_t>(c + 1), 6), 6);
    if (!emit(std::move(header))) return false;
    TrailerFields t;
    for (int i = 0; i < items; ++i, ++sequence) {
      ItemFields item;
      item.payDate = o.billDate;
      const std::uint64_t second = (8 * 3600 + sequence * 7) % 86400;
      item.payTime = Digits(second / 3600, 2) + Digits(second / 60 % 60, 2) + Digits(second % 60, 2);
      item.name1 = o.thaiNames ? Pick(kThaiGiven, random, true) : Pick(kAsciiGiven, random, false);
      item.name2 = o.thaiNames ? Pick(kThaiFamily, random, true) : Pick(kAsciiFamily, random, false);
      item.customerNumber = Digits(random.Next() % 10000000000ULL, 10);
      item.reference = Digits(sequence + 1, 12);
      item.branch = Digits(random.Next() % 1000, 4);
      item.channel = o.channels.empty() ? "CSH" : o.channels[sequence % o.channels.size()];
      item.cheque = Digits(random.Next() % 10000000, 7);
      item.amount = random.Between(o.minAmount, o.maxAmount);
      item.bankCode = Digits(random.Next() % 100, 2);
      t.charge += item.amount;
      if (IsCardChannel(item.channel)) t.discount += item.amount / 100;
      std::string record = ItemRecord(item, o.recordLength);
      Put(record, 1, code, 8);
      Put(record, 9, Digits(sequence + 1, 6), 6);
      if (!emit(std::move(record))) return false;
      ++summary.items;
    }
    t.vat = t.discount * 7 / 100;
    std::string trailer = TrailerRecord(t, o.recordLength);
    Put(trailer, 1, code, 8);
    Put(trailer, 9, Digits(static_cast<std::uint64_t>(items), 6), 6);
    if (!emit(std::move(trailer))) return false;
    ++summary.companies;
  }
  return true;
}

}  // namespace

std::string ToTis620(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    // Thai is U+0E00 to U+0E7F: three bytes E0 B8..B9 xx.
    if (b == 0xE0 && i + 2 < utf8.size()) {
      const unsigned cp = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                          (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
      out += (cp >= 0x0E01 && cp <= 0x0E5B) ? static_cast<char>(cp - 0x0E00 + 0xA0) : '?';
      i += 3;
      continue;
    }
    out += '?';
    ++i;
    while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
  }
  return out;
}

std::string AmountField(long long satang, int width) {
  char text[64];
  std::snprintf(text, sizeof text, "%0*lld", width, satang);
  return text;
}

std::string HeaderRecord(const HeaderFields& f, std::size_t length) {
  std::string r = Blank('H', length);
  Put(r, 1, f.serviceCode, 8);
  Put(r, 9, f.serviceType, 6);
  Put(r, 39, f.companyName, 40);
  Put(r, 79, f.billDate, 8);
  return r;
}

std::string ItemRecord(const ItemFields& f, std::size_t length) {
  std::string r = Blank('I', length);
  Put(r, 39, f.payDate, 8);
  Put(r, 47, f.payTime, 6);
  Put(r, 53, f.name1, 25);
  Put(r, 78, f.name2, 20);
  Put(r, 103, f.customerNumber, 20);
  Put(r, 123, f.reference, 20);
  Put(r, 163, f.branch, 4);
  Put(r, 172, f.channel, 3);
  Put(r, 175, f.cheque, 7);
  Put(r, 182, AmountField(f.amount, 13), 13);
  Put(r, 196, f.bankCode, 2);
  return r;
}

std::string TrailerRecord(const TrailerFields& f, std::size_t length) {
  std::string r = Blank('T', length);
  Put(r, 39, AmountField(f.charge, 13), 13);
  Put(r, 77, AmountField(f.discount, 13), 13);
  Put(r, 90, AmountField(f.vat, 10), 10);
  return r;
}

std::string JoinLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (auto line : lines) text.append(line).append("\r\n");
  return text;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text.append(line).append("\r\n");
  return text;
}

const std::vector<std::string>& AllChannels() {
  static const std::vector<std::string> channels = {"CSH", "TRF", "TRQ", "CLQ", "ATM", "TEL", "FAX", "CAL",
                                                    "EPY", "EPC", "MBC", "IND", "INC", "ZZZ", "RTQ"};
  return channels;
}

std::string GenerateDataFile(const DataFileOptions& options, DataFileSummary* summary) {
  std::string text;
  DataFileSummary s;
  Generate(
      options,
      [&](std::string_view line) {
        text.append(line);
        return true;
      },
      s);
  if (summary != nullptr) *summary = s;
  return text;
}

std::optional<DataFileSummary> WriteDataFile(const std::filesystem::path& path, const DataFileOptions& options) {
  std::vector<char> buffer(1 << 20);  // outlives the stream that uses it
  CFile out = OpenFile(path, "wb");
  if (!out) return std::nullopt;
  std::setvbuf(out.get(), buffer.data(), _IOFBF, buffer.size());
  DataFileSummary s;
  const bool written = Generate(
      options, [&](std::string_view line) { return std::fwrite(line.data(), 1, line.size(), out.get()) == line.size(); },
      s);
  if (!written || std::fclose(out.release()) != 0) return std::nullopt;
  return s;
}

}  // namespace lumvex::report::testing
