// "复制为": a submenu that copies the working colour in any notation with one click. Its items
// are made afresh each time it opens, each showing what it is and the very text it copies.
#pragma once

#include <QMenu>
#include <functional>

#include "core/Color.h"

namespace huebird {

class CopyAsMenu : public QMenu {
    Q_OBJECT
  public:
    // `colour` gives the colour to copy when the menu opens.
    CopyAsMenu(const QString& title, std::function<ColorValue()> colour, QWidget* parent);

    // Lists the entries for the colour now (also done as the menu opens).
    void Rebuild();

  signals:
    // An entry was chosen: the text to put on the clipboard.
    void textChosen(const QString& text);

  private:
    std::function<ColorValue()> colour_;
};

}  // namespace huebird
