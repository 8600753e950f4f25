#pragma once

#include "ui/MainForm.h"
#include "ui/win32/AppIcons.h"
#include "ui/win32/WindowFonts.h"

#include <array>
#include <windows.h>

namespace vq3 {

// The identifier of the control at `index` in the form's Controls table, as GetDlgItem finds it.
// Above IDOK and IDCANCEL, which the dialog keys Enter and Esc send.
constexpr int ControlId(size_t index) {
    return 100 + static_cast<int>(index);
}

// The Win32 front end of frmVQ3MCMain: a fixed-size window whose controls come from the form's
// table, laid out in twips at the window's own DPI, with the events forwarded to the form.
class MainWindow final : private FormView {
public:
    // Creates the window, hidden, and runs the load sequence, so the start-up warning has been
    // dismissed before the caller shows it.
    MainWindow(Platform& platform, std::string appDir);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_; }
    std::int16_t BitRate() const { return form_.BitRate(); }
    std::vector<std::string> ListEntries() const override;

    // The MainWindow behind a window handle; nullptr for any other window.
    static MainWindow* FromHandle(HWND window);

private:
    void SetCaption(const std::string& caption) override;
    void SelectBitRate(int index) override;
    int ListCount() const override;
    void AppendToList(const std::vector<std::string>& paths) override;

    // Registered once, with WindowProcedure.
    static ATOM WindowClass();
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);

    void CreateControls();
    // Fonts, icons, control rectangles and window size for the DPI; the window keeps its position
    // unless it is given one.
    void ApplyDpi(UINT dpi, const RECT* suggested = nullptr);
    void FitDropDownHeight(HWND combo, int height);
    void WidenListExtent(const std::vector<std::wstring>& added);

    HWND Control(size_t index) const { return controls_[index]; }

    frmVQ3MCMain form_;
    HWND window_ = nullptr;
    std::array<HWND, Controls.size()> controls_{};
    WNDPROC listProcedure_ = nullptr;
    HWND focus_ = nullptr; // the control that gets the focus back when the window is activated
    UINT dpi_ = 96;
    WindowFonts fonts_;
    AppIcons icons_;
    int widestEntry_ = 0; // in pixels at dpi_, for the list's horizontal scrolling
};

// Runs the thread's message loop until the window closes, with the keyboard working as in a
// dialog: Tab and Shift+Tab move between controls, Alt and an underlined letter press a button.
int RunMessageLoop(HWND window);

} // namespace vq3
