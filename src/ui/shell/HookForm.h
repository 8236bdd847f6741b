// "系统热键": the dialog that chooses the key of the global hot-key (Ctrl + the key). OK
// stores the chosen key in the hook block at once; the settings file gets it at exit.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

#include "ui/common/DialogContext.h"

class QComboBox;

namespace huebird {

class HookForm : public QDialog {
    Q_OBJECT
  public:
    // Opens on `key`, the hook block's VirtualKey; placed beside the main window on a screen
    // `screenWidth` wide; automatic size is paused while the dialog is open.
    HookForm(std::uint32_t key, const DialogContext& context, int screenWidth,
             QWidget* parent = nullptr);

    // The key OK chose; none after Cancel, the close box, or OK with no key selected.
    std::optional<std::uint32_t> ChosenKey() const { return chosen_; }

    void done(int result) override;

  private:
    QComboBox* comboBox1_ = nullptr;  // the key list
    std::optional<std::uint32_t> chosen_;
    AutoSizePause pause_;
};

}  // namespace huebird
