#pragma once
// Where the long compound words of the captions may be cut at the end of a line.

#include <QString>
#include <vector>

namespace voltrane {

// The positions in `text` at which one of its words may be cut with a hyphen: the joints of the
// compound words the captions use ("Doppelklick|geschwindigkeit"), as indexes into `text`. Words
// that are not known have none.
std::vector<qsizetype> CompoundJoints(const QString& text);

}  // namespace voltrane
