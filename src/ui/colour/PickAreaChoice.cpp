#include "ui/colour/PickAreaChoice.h"

#include <QAction>
#include <QActionGroup>

namespace huebird {

PickAreaChoice::PickAreaChoice(const std::array<QAction*, kPickAreaSizes.size()>& items,
                               QObject* parent)
    : QObject(parent), items_(items), group_(new QActionGroup(this)) {
    group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i]->setCheckable(true);
        group_->addAction(items_[i]);
        const int side = kPickAreaSizes[i];
        connect(items_[i], &QAction::triggered, this, [this, side] { Set(side); });
    }
    Set(kDefaultPickArea);
}

void PickAreaChoice::Set(int side) {
    side_ = PickAreaFromSetting(side);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (kPickAreaSizes[i] == side_) items_[i]->setChecked(true);
    }
    emit changed(side_);
}

}  // namespace huebird
