#pragma once
// Writing a file so that it is either the complete new content or left as it was: the bytes go to a
// temporary file in the same folder, are flushed to the disk, and only then renamed over the
// target. A crash, a full disk or a folder that refuses the write never leaves a half-written file
// and never destroys the previous one.
#include <string>
#include <string_view>

namespace porukami::memories {

// Replaces (or creates) the file at `nativePath` with `bytes`. Returns 0, or the errno of the step
// that failed; the temporary file is gone either way.
int ReplaceFile(const std::string& nativePath, std::string_view bytes);

}  // namespace porukami::memories
