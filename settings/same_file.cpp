#include "settings/same_file.h"

#include <system_error>

namespace voltrane {

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code errorA;
    std::error_code errorB;
    const std::filesystem::path canonicalA = std::filesystem::weakly_canonical(a, errorA);
    const std::filesystem::path canonicalB = std::filesystem::weakly_canonical(b, errorB);
    if (errorA || errorB) return a.lexically_normal() == b.lexically_normal();
    return canonicalA == canonicalB;
}

}  // namespace voltrane
