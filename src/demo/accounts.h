#pragma once

// The ledger accounts that bookings and settings refer to by role.
namespace kv::demo::accounts {

inline constexpr const char *kCash = "1000";
inline constexpr const char *kCashCounter = "1010";
inline constexpr const char *kBank = "1100";
inline constexpr const char *kDebtors = "1300";
inline constexpr const char *kOutputVatHigh = "1500";
inline constexpr const char *kOutputVatLow = "1510";
inline constexpr const char *kOutputVatShifted = "1520";
inline constexpr const char *kInputVatHigh = "1530";
inline constexpr const char *kInputVatLow = "1540";
inline constexpr const char *kInputVatShifted = "1550";
inline constexpr const char *kCreditors = "1600";
inline constexpr const char *kWageTax = "1700";
inline constexpr const char *kPensionPayable = "1710";
inline constexpr const char *kSuspense = "2000";
inline constexpr const char *kNetWages = "2100";
inline constexpr const char *kRetainedProfit = "0520";
inline constexpr const char *kCounterSales = "8200";
inline constexpr const char *kPaymentDifferences = "8900";
inline constexpr const char *kDiscountHigh = "8910";
inline constexpr const char *kDiscountLow = "8920";
inline constexpr const char *kDiscountZero = "8930";

} // namespace kv::demo::accounts
