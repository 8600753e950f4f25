#pragma once

#include "ui/MainForm.h"
#include "ui/qt/FileDropList.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QProgressDialog;

namespace vq3 {

// The Qt front end of frmVQ3MCMain: creates the controls from the form's table and forwards
// their events to it.
class MainWindow : public QWidget, private FormView {
    Q_OBJECT

public:
    // Runs the load sequence (title, start-up warning, default bit rate) before returning,
    // so the warning is dismissed before the caller shows the window.
    MainWindow(Platform& platform, std::string appDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    std::int16_t BitRate() const { return form_.BitRate(); }
    std::vector<std::string> ListEntries() const override;

private:
    void SetCaption(const std::string& caption) override;
    void SelectBitRate(int index) override;
    int ListCount() const override;
    void AppendToList(const std::vector<std::string>& paths) override;
    void ShowConversionProgress(size_t done, size_t total) override;
    void EndConversionProgress() override;

    void CreateControls();

    frmVQ3MCMain form_;
    FileDropList* lstFiles_ = nullptr;
    QComboBox* cboBitRate_ = nullptr;
    std::unique_ptr<QProgressDialog> progress_;
};

} // namespace vq3
