#pragma once
// A music device that plays nothing but answers like the real one, and keeps every command sent.
#include <string>
#include <vector>

#include "sound/mci.h"

namespace porukami::cli {

class RecordingMci : public MciDevice {
 public:
  std::vector<std::string> commands;  // since the caller last took them

  std::uint32_t SendString(const std::string& command, char* reply,
                           std::uint32_t replyLen) override;

 private:
  std::uint32_t Run(const std::string& command, char* reply, std::uint32_t replyLen);
  bool open_ = false;
};

// Installs a device for the lifetime of the scope.
class MciScope {
 public:
  explicit MciScope(MciDevice* device) { 共用関数::SetMciDevice(device); }
  ~MciScope() { 共用関数::SetMciDevice(nullptr); }
  MciScope(const MciScope&) = delete;
  MciScope& operator=(const MciScope&) = delete;
};

}  // namespace porukami::cli
