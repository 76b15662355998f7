#pragma once

#include <QString>
#include <cstdio>
#include <optional>

class QTextStream;

namespace tools {

// Flushes what a tool wrote to its standard output and says why any of it was lost (a full
// disk, a device that takes nothing): a script reading the output must not take a cut result
// for a whole one. Nothing when every write went through; the error flags stay, so a failure
// on the way is reported even when the last flush succeeds.
std::optional<QString> OutputFailure(std::FILE* out);
std::optional<QString> OutputFailure(QTextStream& out);

}  // namespace tools
