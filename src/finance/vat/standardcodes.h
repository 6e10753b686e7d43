#pragma once

#include <vector>

namespace kv {
class Context;
namespace options {
struct AuditEntry;
}
} // namespace kv

namespace kv::finance {

// Brings `BTWcodering` in line with the VAT switches of the administration, in the caller's
// transaction, adding the trail's rows: liable, the five standard codes when there are none,
// then the extended codes that are missing (or, without `extended`, no shifted-VAT codes);
// not liable, no codes at all.
void alignVatCodes(Context &ctx, bool liable, bool extended, std::vector<options::AuditEntry> &trail);

} // namespace kv::finance
