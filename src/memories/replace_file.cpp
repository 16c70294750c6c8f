#include "memories/replace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace porukami::memories {

namespace {

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

// The rename lives in the folder's entry list; without this, a crash soon after could bring back
// the old name. Best effort: some file systems cannot sync a folder, and the page is already whole.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A new, unique file in `folder`, opened for writing. Its name does not depend on the target's,
// so a target name near the length limit does not fail here first.
int CreateTemporary(const std::string& folder, std::string& path) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = folder + "/.porukami-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) +
           ".tmp";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

int ReplaceFile(const std::string& nativePath, std::string_view bytes) {
  std::string folder = std::filesystem::path(nativePath).parent_path().string();
  if (folder.empty()) folder = ".";
  std::string temporary;
  const int fd = CreateTemporary(folder, temporary);
  if (fd < 0) return errno;

  int err = WriteAll(fd, bytes);
  if (!err && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && !err && errno != EINTR) err = errno;
  if (!err && ::rename(temporary.c_str(), nativePath.c_str()) != 0) err = errno;
  if (err) {
    ::unlink(temporary.c_str());
    return err;
  }
  SyncFolder(folder);
  return 0;
}

}  // namespace porukami::memories
