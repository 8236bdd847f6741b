#include "ui/colour/PaletteForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>
#include <array>
#include <functional>

#include "core/Palettes.h"
#include "platform/ScreenSampler.h"
#include "ui/common/DialogLook.h"
#include "ui/common/FramePlacement.h"

namespace huebird {

// The tab row of the page control. It can show no tab selected: a tab bar always has a current
// tab while it has tabs, so "no page" keeps the first tab current, paints every tab as not
// selected and has the page area left empty; a press on any tab ends it.
class PageTabs : public QTabBar {
  public:
    explicit PageTabs(std::function<void()> pageChosen) : pageChosen_(std::move(pageChosen)) {}

    bool NoneSelected() const { return none_; }
    void SetNoneSelected(bool none) {
        none_ = none;
        update();
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        if (!none_) {
            QTabBar::paintEvent(event);
            return;
        }
        QStylePainter painter(this);
        for (int i = 0; i < count(); ++i) {
            QStyleOptionTab tab;
            initStyleOption(&tab, i);
            tab.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
            tab.selectedPosition = QStyleOptionTab::NotAdjacent;
            painter.drawControl(QStyle::CE_TabBarTab, tab);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (none_ && event->button() == Qt::LeftButton && tabAt(event->position().toPoint()) >= 0) {
            pageChosen_();
        }
        QTabBar::mousePressEvent(event);
    }

  private:
    std::function<void()> pageChosen_;
    bool none_ = false;
};

namespace {

// A palette picture: a left click released inside it counts as a click.
class PaletteImage : public QLabel {
  public:
    PaletteImage(QWidget* parent, std::function<void()> click)
        : QLabel(parent), click_(std::move(click)) {}

  protected:
    // Taking the press keeps the release here.
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) click_();
    }

  private:
    std::function<void()> click_;
};

// The client area the layout was drawn for: the outer size less 4-pixel borders and a
// 20-pixel caption.
constexpr int kClientWidth = PaletteForm::kOuterWidth - 8;
constexpr int kClientHeight = PaletteForm::kOuterHeight - 24;
// The page control; the pictures' places inside their pages.
constexpr QRect kPageControl1(0, 43, 242, 169);
constexpr QPoint kImagePlaces[4] = {{21, 10}, {56, 32}, {49, 13}, {48, 5}};

// The frame the layout was drawn for.
constexpr QMargins kLayoutFrame(4, 20, 4, 4);

QList<PaletteForm*>& OpenList() {
    static QList<PaletteForm*> open;
    return open;
}

// The four pictures, drawn once.
const QImage& Picture(int page) {
    static const std::array<QImage, 4> pictures = [] {
        std::array<QImage, 4> out;
        for (int i = 0; i < 4; ++i) {
            const Palette& palette = Palettes()[i];
            const std::vector<std::uint32_t> pixels = RenderPalette(palette);
            QImage image(palette.width(), palette.height(), QImage::Format_RGB32);
            for (int y = 0; y < palette.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < palette.width(); ++x) {
                    line[x] =
                        0xFF000000u | pixels[static_cast<std::size_t>(y) * palette.width() + x];
                }
            }
            out[i] = image;
        }
        return out;
    }();
    return pictures[page];
}

// The page control, with a tab row that can show no tab selected.
class PageControl : public QTabWidget {
  public:
    PageControl(QWidget* parent, PageTabs* tabs) : QTabWidget(parent) { setTabBar(tabs); }
};

}  // namespace

PaletteForm::PaletteForm(const MainPlace& main, const DialogLinks& links, int palIndex,
                         ScreenSampler& screen, int screenWidth, QWidget* parent)
    : QWidget(parent, Qt::Tool), screen_(screen) {
    setObjectName(QStringLiteral("frmPal"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("常用调色板 ～ Huebird"));
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);
    // The header and the link are laid out for the designed client size and then kept with
    // the edges they follow.
    resize(kClientWidth, kClientHeight);
    panel1_ = AddDialogHeader(this, tr("调色板"), tr("我们为方便大家提供几种常用的色板"));
    panel1Edge_ = findChild<QWidget*>(QStringLiteral("Panel1Edge"));

    tabs_ = new PageTabs([this] { LeaveNoPage(); });
    pageControl1_ = new PageControl(this, tabs_);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    pageControl1_->setTabPosition(QTabWidget::South);
    pageControl1_->setGeometry(kPageControl1);
    for (int i = 0; i < 4; ++i) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        auto* image = new PaletteImage(page, [this] { Image1Click(); });
        image->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        image->setPixmap(QPixmap::fromImage(Picture(i)));
        image->setGeometry(QRect(kImagePlaces[i], Picture(i).size()));
        image->setCursor(Qt::CrossCursor);
        pageControl1_->addTab(page, QString::fromStdString(Palettes()[i].caption));
    }
    connect(pageControl1_, &QTabWidget::currentChanged, this, [this] { LeaveNoPage(); });

    // Its line of text clear of the lower edge.
    label9_ = AddFooterLink(this, 2, kClientHeight - 18, links.openFooterLink);
    label9FromBottomRight_ = QPoint(kClientWidth, kClientHeight) - label9_->pos();

    if (palIndex >= 0 && palIndex < pageControl1_->count()) {
        pageControl1_->setCurrentIndex(palIndex);
    } else {
        ShowNoPage();
    }

    // The outer size is 251 x 258: the client allows for the frame a palette window had before
    // in this run, or for the frame the layout was drawn for, until this window's frame is known.
    const QPoint mainAt = main.TopLeft();
    const int mainWidth = main.width;
    const int skinWidth = main.skin.width();
    FramePlacement::PlaceOuter(
        this, QSize(kOuterWidth, kOuterHeight), kLayoutFrame, [=](const QSize& outer) {
            return QPoint(PaletteLeft(screenWidth, mainAt.x(), mainWidth, skinWidth, outer.width()),
                          mainAt.y());
        });
    OpenList().append(this);
}

PaletteForm::~PaletteForm() { OpenList().removeAll(this); }

int PaletteForm::ShownPage() const { return noPage_ ? -1 : pageControl1_->currentIndex(); }

QList<PaletteForm*> PaletteForm::OpenPalettes() { return OpenList(); }

void PaletteForm::Image1Click() {
    // One reading of the screen under the pointer, as a pick's first sample.
    const std::unique_ptr<PickSession> pick = screen_.BeginPick();
    if (!pick) return;
    const Point p = pick->Pointer();
    if (const auto colour = pick->Pixel(p.x, p.y)) emit colorPicked(*colour);
}

void PaletteForm::ShowNoPage() {
    noPage_ = true;
    tabs_->SetNoneSelected(true);
    pageControl1_->currentWidget()->hide();
}

void PaletteForm::LeaveNoPage() {
    if (!noPage_) return;
    noPage_ = false;
    tabs_->SetNoneSelected(false);
    pageControl1_->currentWidget()->show();
}

void PaletteForm::closeEvent(QCloseEvent* event) {
    const int page = ShownPage();
    OpenList().removeAll(this);
    QWidget::closeEvent(event);
    emit Closed(page);
}

void PaletteForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!label9_) return;  // still being built
    panel1_->resize(width(), panel1_->height());
    if (panel1Edge_) panel1Edge_->resize(width(), panel1Edge_->height());
    label9_->move(QPoint(width(), height()) - label9FromBottomRight_);
}

}  // namespace huebird
