// The "取色范围" items of the settings menu: how much of the screen a pick takes, the pointer's
// pixel or the mean of the 3 x 3 or 5 x 5 block around it. One of the three is always ticked.
#pragma once

#include <QObject>
#include <array>

#include "core/PickArea.h"

class QAction;
class QActionGroup;

namespace huebird {

class PickAreaChoice : public QObject {
    Q_OBJECT
  public:
    // `items` are the menu's items for the sides of kPickAreaSizes, in that order.
    PickAreaChoice(const std::array<QAction*, kPickAreaSizes.size()>& items, QObject* parent);

    int Side() const { return side_; }
    // Ticks the item of `side` (of 1 for a side there is no item for) and says so.
    void Set(int side);

  signals:
    // The side now chosen, from the menu or Set.
    void changed(int side);

  private:
    std::array<QAction*, kPickAreaSizes.size()> items_;
    QActionGroup* group_;
    int side_ = kDefaultPickArea;
};

}  // namespace huebird
