#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/message_port.h"

// The payment items of a bill-payment data file as CSV for spreadsheets: one
// row per I record under a header row, texts in UTF-8.
namespace lumvex::report {

inline constexpr std::string_view kCsvHeader =
    "company_code,payment_date,payment_time,customer_number,customer_name,reference,branch,channel,cheque,"
    "amount,bank_code\r\n";

// The row of one I record of the company block headed `companyCode`: dates
// DD/MM/YYYY, times HH:MM:SS, the amount in baht with two decimals.
std::string PaymentCsvRow(std::string_view companyCode, std::string_view item);

// Writes the CSV of `dataFile` to `csvFile` (replaced only when whole).
// Failures are shown through `messages`; false when nothing was written.
bool ExportPaymentsCsv(const std::filesystem::path& dataFile, const std::filesystem::path& csvFile,
                       MessagePort& messages);

// The same CSV of data file bytes in memory.
std::string PaymentsCsvText(std::string_view data);

}  // namespace lumvex::report
