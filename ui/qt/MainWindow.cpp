#include "ui/qt/MainWindow.h"

#include "platform/AppInfo.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>
#include <utility>

namespace vq3 {

namespace {

QFont TextFont() {
    QFont font(TextFontFamily);
    font.setPointSizeF(TextFontPoints);
    font.setWeight(QFont::Normal);
    return font;
}

// The Windows dialog font, Arial, at the window's text size: Liberation Sans has Arial's
// metrics, so the caption fits the fixed button as it does there.
QFont DialogFont() {
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(TextFontPoints);
    return font;
}

// Shown only when writing the track descriptors takes longer than about a second.
constexpr int ProgressDelayMs = 1000;
constexpr const char* ProgressText = "Writing the track settings...";

} // namespace

MainWindow::MainWindow(Platform& platform, std::string appDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      form_(*this, platform, std::move(appDir)) {
    setWindowTitle(AppInfo::AppTitle);
    CreateControls();
    form_.Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControls() {
    const int dpi = logicalDpiX();
    const auto pixels = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    setFixedSize(pixels(ClientWidthTwips), pixels(ClientHeightTwips));

    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlRow& row : Controls) {
        QWidget* control = nullptr;
        switch (row.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(row.text, this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            control = label;
            break;
        }
        case ControlKind::FileList:
            control = lstFiles_ = new FileDropList(this);
            connect(lstFiles_, &FileDropList::filesDropped, this,
                    [this](const std::vector<DroppedFile>& files) {
                        form_.lstFiles_OLEDragDrop(files);
                    });
            break;
        case ControlKind::DropDown:
            control = cboBitRate_ = new QComboBox(this);
            cboBitRate_->setEditable(false);
            for (const char* item : BitRateItems) {
                cboBitRate_->addItem(item);
            }
            // Nothing is chosen until the load sequence chooses, as a user would.
            cboBitRate_->setCurrentIndex(-1);
            connect(cboBitRate_, &QComboBox::currentIndexChanged, this, [this](int index) {
                form_.cboBitRate_Click(cboBitRate_->itemText(index).toStdString());
            });
            break;
        case ControlKind::Button: {
            auto* button = new QPushButton(row.text, this);
            connect(button, &QPushButton::clicked, this, [this] { form_.cmdExport_Click(); });
            control = button;
            break;
        }
        }
        control->setObjectName(row.name);
        control->setGeometry(pixels(row.left), pixels(row.top), pixels(row.width),
                             pixels(row.height));
        control->setFont(row.font == ControlFont::Text ? TextFont() : DialogFont());
        if (row.tabIndex >= 0) {
            focusable.emplace_back(row.tabIndex, control);
        }
    }
    std::sort(focusable.begin(), focusable.end());
    for (size_t i = 1; i < focusable.size(); ++i) {
        setTabOrder(focusable[i - 1].second, focusable[i].second);
    }
    focusable.front().second->setFocus();
}

std::vector<std::string> MainWindow::ListEntries() const {
    std::vector<std::string> entries;
    entries.reserve(static_cast<size_t>(lstFiles_->count()));
    for (int i = 0; i < lstFiles_->count(); ++i) {
        entries.push_back(lstFiles_->item(i)->text().toStdString());
    }
    return entries;
}

void MainWindow::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void MainWindow::SelectBitRate(int index) {
    cboBitRate_->setCurrentIndex(index);
}

int MainWindow::ListCount() const {
    return lstFiles_->count();
}

void MainWindow::AppendToList(const std::vector<std::string>& paths) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(paths.size()));
    for (const auto& path : paths) {
        items.append(QString::fromStdString(path));
    }
    lstFiles_->addItems(items);
}

void MainWindow::ShowConversionProgress(size_t done, size_t total) {
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(this);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setWindowTitle(AppInfo::AppTitle);
        progress_->setLabelText(ProgressText);
        progress_->setCancelButton(nullptr);
        progress_->setMinimumDuration(ProgressDelayMs);
        progress_->setRange(0, static_cast<int>(total));
        progress_->setValue(0);
    }
    // Once the dialog is up every new value runs the event loop, so whole percents only.
    if (done == total || done * 100 / total != (done - 1) * 100 / total) {
        progress_->setValue(static_cast<int>(done));
    }
    if (done == total) {
        progress_.reset();
    }
}

void MainWindow::EndConversionProgress() {
    progress_.reset();
}

} // namespace vq3
