#include "settings/macro_store.h"

namespace voltrane {

std::u16string BoundedName(std::u16string_view name) {
    if (name.size() <= kMaxNameLength) return std::u16string(name);
    std::size_t length = kMaxNameLength;
    // A high surrogate at the cut would lose its partner.
    if (IsHighSurrogate(name[length - 1])) --length;
    return std::u16string(name.substr(0, length));
}

}  // namespace voltrane
