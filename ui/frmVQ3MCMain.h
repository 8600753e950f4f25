#pragma once

#include "platform/Platform.h"

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace vq3 {

class FileDropList;

// The program's one window: the file list, the bit rate and the Convert button.
class frmVQ3MCMain : public QWidget {
    Q_OBJECT

public:
    // Runs the load sequence (title, start-up warning, default bit rate) before returning,
    // so the warning is dismissed before the caller shows the window.
    frmVQ3MCMain(Platform& platform, std::string appDir, QWidget* parent = nullptr);

    std::int16_t BitRate() const { return bitRate_; }
    std::vector<std::string> Entries() const;

private:
    void Form_Load();
    void cboBitRate_Click(int index);
    void cmdExport_Click();
    void lstFiles_OLEDragDrop(const QStringList& paths);

    void CreateControls();

    Platform& platform_;
    const std::string appDir_;
    std::int16_t bitRate_ = 0;

    QLabel* lblDragDrop_ = nullptr;
    FileDropList* lstFiles_ = nullptr;
    QLabel* lblBitRate_ = nullptr;
    QComboBox* cboBitRate_ = nullptr;
    QPushButton* cmdExport_ = nullptr;
    QLabel* lblRec_ = nullptr;
};

} // namespace vq3
