#include "app/Frm.h"

namespace porukami {
namespace {

constexpr const char* kKinds[3] = {"が欲しいです、代金は\\", "をお願いしたい、お礼は\\",
                                   "を探しています、賞金は\\"};

}  // namespace

void Frm::MakeRequests() {
  const int count = static_cast<int>(Rnd() * 3);
  for (int i = 0; i < count; ++i) {
    if (LstIrai.ListCount() > kRequestsMax - 1) break;
    const int k = static_cast<int>(Rnd() * ItemCount);
    if (k >= ItemCount) break;  // an empty catalogue wants nothing
    const int n = LstIrai.ListCount();
    auto& row = Requests[static_cast<std::size_t>(n)];
    row[0] = CatalogueFields(k)[0];
    row[1] = std::to_string(static_cast<int>(Rnd() * 30000) + 1);
    const int kind = static_cast<int>(Rnd() * 3);
    LstIrai.AddItem(row[0] + kKinds[kind] + row[1] + "で");
  }
  PicSaka.Visible = true;
}

}  // namespace porukami
