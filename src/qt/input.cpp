#include "qt/input.h"

#include <QMouseEvent>

namespace porukami::qt {

bool SingleClicks::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
      swallowing_ = nullptr;
      return false;
    case QEvent::MouseButtonDblClick:
      swallowing_ = watched;
      return true;
    case QEvent::MouseButtonRelease:
      if (watched != swallowing_) return false;
      swallowing_ = nullptr;
      return true;
    default:
      return false;
  }
}

int SelectedRow(const QListWidget* w) {
  const QModelIndexList rows = w->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

}  // namespace porukami::qt
