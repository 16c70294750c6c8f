#include "ui/controls.h"

#include "text/utf8.h"

namespace porukami {

void ListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  Items.erase(Items.begin() + index);
  // Like a list box: the selection does not follow to another line.
  if (ListIndex == index || ListIndex >= ListCount())
    ListIndex = -1;
  else if (ListIndex > index)
    --ListIndex;
}

std::string ListBox::SelectedText() const {
  if (ListIndex < 0 || ListIndex >= ListCount()) return {};
  return Items[static_cast<std::size_t>(ListIndex)];
}

void TextBox::SetText(const std::string& s) {
  Text = MaxLength ? std::string(text::Left(s, MaxLength)) : s;
}

}  // namespace porukami
