#include "ui/frmVQ3MCMain.h"

#include "conversion/ConvertFiles.h"
#include "platform/AppInfo.h"
#include "ui/FileDropList.h"
#include "ui/FileIntake.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace vq3 {

namespace {

constexpr const char* StartupWarning =
    "WARNING:  You MUST copy the *.mp3 or *.wav files you want to convert into the same "
    "directory as 'vq3mc.exe' or they will NOT be converted!  Be sure to copy them into the "
    "directory and then drag those files into the VQ3MC window.";

// The layout is given in twips: 15 to a pixel at 96 dots per inch, scaled with the screen.
class TwipScale {
public:
    explicit TwipScale(const QWidget& widget) : pixelsPerTwip_(widget.logicalDpiX() / 1440.0) {}
    int operator()(int twips) const {
        return static_cast<int>(std::lround(twips * pixelsPerTwip_));
    }
    void Place(QWidget* control, int left, int top, int width, int height) const {
        control->setGeometry((*this)(left), (*this)(top), (*this)(width), (*this)(height));
    }

private:
    double pixelsPerTwip_;
};

QFont TextFont() {
    QFont font("Times New Roman");
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

// The system's dialog font, a little smaller where that is what it takes for the caption to
// fit the fixed button (Linux desktop fonts run wider than the Windows dialog font).
void FitCaption(QPushButton* button) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const int room = button->width() - 8;
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).horizontalAdvance(button->text().remove('&')) > room) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    button->setFont(font);
}

} // namespace

frmVQ3MCMain::frmVQ3MCMain(Platform& platform, std::string appDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform), appDir_(std::move(appDir)) {
    setWindowTitle(AppInfo::AppTitle);
    CreateControls();
    Form_Load();
}

std::vector<std::string> frmVQ3MCMain::Entries() const {
    std::vector<std::string> entries;
    entries.reserve(static_cast<size_t>(lstFiles_->count()));
    for (int i = 0; i < lstFiles_->count(); ++i) {
        entries.push_back(lstFiles_->item(i)->text().toStdString());
    }
    return entries;
}

void frmVQ3MCMain::CreateControls() {
    const TwipScale twips(*this);
    setFixedSize(twips(5520), twips(6180));

    lblDragDrop_ = new QLabel("Drag and drop *.mp3 or *.wav files into the box below.", this);
    lstFiles_ = new FileDropList(this);
    lblBitRate_ = new QLabel("BitRate", this);
    cboBitRate_ = new QComboBox(this);
    cmdExport_ = new QPushButton("&Convert to .fda", this);
    lblRec_ = new QLabel("Recommended: 1024", this);
    lblDragDrop_->setObjectName("lblDragDrop");
    lstFiles_->setObjectName("lstFiles");
    lblBitRate_->setObjectName("lblBitRate");
    cboBitRate_->setObjectName("cboBitRate");
    cmdExport_->setObjectName("cmdExport");
    lblRec_->setObjectName("lblRec");

    twips.Place(lblDragDrop_, 120, 120, 5295, 375);
    twips.Place(lstFiles_, 120, 480, 5295, 4785);
    twips.Place(lblBitRate_, 120, 5400, 855, 315);
    twips.Place(cboBitRate_, 1200, 5400, 1575, 345);
    twips.Place(cmdExport_, 4080, 5400, 1335, 495);
    twips.Place(lblRec_, 120, 5880, 2655, 255);

    for (QWidget* control : std::initializer_list<QWidget*>{lblDragDrop_, lstFiles_, lblBitRate_,
                                                            cboBitRate_, lblRec_}) {
        control->setFont(TextFont());
    }
    FitCaption(cmdExport_);
    lblDragDrop_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblBitRate_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblRec_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cboBitRate_->setEditable(false);
    cboBitRate_->addItems({"2048", "1024", "512", "256"});

    setTabOrder(lstFiles_, cmdExport_);
    setTabOrder(cmdExport_, cboBitRate_);
    lstFiles_->setFocus();

    connect(cboBitRate_, &QComboBox::currentIndexChanged, this, &frmVQ3MCMain::cboBitRate_Click);
    connect(cmdExport_, &QPushButton::clicked, this, &frmVQ3MCMain::cmdExport_Click);
    connect(lstFiles_, &FileDropList::filesDropped, this, &frmVQ3MCMain::lstFiles_OLEDragDrop);
}

void frmVQ3MCMain::Form_Load() {
    setWindowTitle(QString::fromStdString(AppInfo::TitleWithVersion()));
    platform_.ShowMessage(StartupWarning);
    cboBitRate_->setCurrentIndex(1);
}

void frmVQ3MCMain::cboBitRate_Click(int index) {
    bitRate_ = cboBitRate_->itemText(index).toShort();
}

void frmVQ3MCMain::cmdExport_Click() {
    ConvertFiles(Entries(), bitRate_, appDir_, platform_);
}

void frmVQ3MCMain::lstFiles_OLEDragDrop(const QStringList& paths) {
    std::vector<std::string> dropped;
    dropped.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths) {
        dropped.push_back(path.toStdString());
    }
    const auto admitted =
        AcceptDroppedFiles(dropped, appDir_, MaxListEntries - lstFiles_->count(), platform_);
    QStringList items;
    items.reserve(static_cast<qsizetype>(admitted.size()));
    for (const size_t position : admitted) {
        items.append(paths[static_cast<qsizetype>(position)]);
    }
    // One batch, so a drop of thousands of files lays the list out once.
    lstFiles_->addItems(items);
}

} // namespace vq3
