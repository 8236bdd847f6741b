// "常用调色板": the palette window. Four fixed pictures on four pages; a click on a picture
// gives the active swatch the colour of the screen pixel under the pointer, and the window
// stays open for more. Any number may be open at once; each close stores the page it shows.
#pragma once

#include <QList>
#include <QWidget>

#include "core/Color.h"
#include "ui/common/DialogContext.h"

class QLabel;
class QTabWidget;

namespace huebird {

class ScreenSampler;
class PageTabs;

class PaletteForm : public QWidget {
    Q_OBJECT
  public:
    // The window's outer size, frame included.
    static constexpr int kOuterWidth = 251;
    static constexpr int kOuterHeight = 258;

    // A tool window, freed when closed, placed beside the main window on a primary screen
    // `screenWidth` wide and opened on page `palIndex` (no page outside 0..3). Not shown: the
    // caller shows it.
    PaletteForm(const MainPlace& main, const DialogLinks& links, int palIndex,
                ScreenSampler& screen, int screenWidth, QWidget* parent = nullptr);
    ~PaletteForm() override;

    // The page shown, 0..3, or -1 when none is.
    int ShownPage() const;
    // The palette windows open now (constructed and not yet closed), oldest first. They also
    // carry the object name "frmPal".
    static QList<PaletteForm*> OpenPalettes();

    // A click on any of the four pictures: the colour of the screen pixel under the pointer now
    // (read from the screen, not from the picture), offered for the active swatch; nothing when
    // the pointer is on no screen.
    void Image1Click();

  signals:
    // A click on a picture chose this colour for the active swatch.
    void colorPicked(ColorValue c);
    // The window was closed showing `page` (-1: none), which the next one opens on; it is
    // freed soon after.
    void Closed(int page);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowNoPage();
    void LeaveNoPage();

    ScreenSampler& screen_;
    QWidget* panel1_ = nullptr;      // the white header band
    QWidget* panel1Edge_ = nullptr;  // its lower edge
    QTabWidget* pageControl1_ = nullptr;
    PageTabs* tabs_ = nullptr;
    QLabel* label9_ = nullptr;      // the footer link, kept at its distance from the
    QPoint label9FromBottomRight_;  // right and bottom edges
    bool noPage_ = false;           // no page shown (PalIndex outside 0..3)
};

}  // namespace huebird
