#include "app/Frm.h"

namespace porukami {

// A catalogue line split at ","; fields a short line lacks read as empty text.
std::vector<std::string> Frm::CatalogueFields(int index) const {
  std::vector<std::string> fields;
  if (index < 0 || index >= ItemCount) return std::vector<std::string>(5);
  const std::string& line = ItemCatalogue[static_cast<std::size_t>(index)];
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string::npos ? comma : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (fields.size() < 5) fields.resize(5);
  return fields;
}

// Writes the row at the list's count, then appends the line, so row i stays line i.
void Frm::AddInventoryItem(int catalogueIndex) {
  const int n = Lst.ListCount();
  if (n >= kInventoryMax) return;
  const auto fields = CatalogueFields(catalogueIndex);
  auto& row = Inventory[static_cast<std::size_t>(n)];
  for (int c = 0; c < 5; ++c) row[c] = fields[c];
  row[5] = std::to_string(catalogueIndex);
  Lst.AddItem(row[0]);
}

void Frm::RemoveInventoryItem(int index) {
  const int n = Lst.ListCount();
  if (index < 0 || index >= n) return;
  for (int i = index + 1; i < n; ++i) Inventory[i - 1] = Inventory[i];
  Lst.RemoveItem(index);
}

}  // namespace porukami
