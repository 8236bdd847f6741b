// "系统热键": the dialog that chooses the key of the global hot-key (Ctrl + the key). OK
// stores the chosen key in the hook block at once; the settings file gets it at exit.
#pragma once

#include <QDialog>

#include "ui/common/Hosts.h"

class QComboBox;

namespace huebird {

class HookForm : public QDialog {
    Q_OBJECT
  public:
    // Placed beside the main window on a screen `screenWidth` wide; automatic size is paused
    // while the dialog exists.
    HookForm(HookHost& host, int screenWidth, QWidget* parent = nullptr);
    ~HookForm() override;

    // OK with a key chosen writes it; Cancel and the close box change nothing.
    void done(int result) override;

  private:
    HookHost& host_;
    QComboBox* comboBox1_ = nullptr;  // the key list
    bool paused_ = false;             // automatic size is paused and owed a resume
};

}  // namespace huebird
