#pragma once
// Whether two paths lead to one file, so that writing the second would destroy what was written to
// the first.

#include <filesystem>

namespace voltrane {

// True when `a` and `b` name the same file once "." and ".." and symbolic links in them are resolved
// ("x/../m.mac" and "m.mac"; a link and the file it names). Paths that need not exist yet are compared
// by the parts that do. Two names of one file through hard links count as different: an atomic write
// to one of them gives it a file of its own.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace voltrane
