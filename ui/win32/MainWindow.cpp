#include "ui/win32/MainWindow.h"

#include "platform/windows/WinText.h"
#include "ui/win32/DroppedFiles.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vq3 {

namespace {

constexpr wchar_t ClassName[] = L"VQ3MusicToolMain";
// Fixed size: no sizing border and no maximize box.
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

constexpr size_t IndexOf(ControlKind kind) {
    size_t index = 0;
    while (Controls[index].kind != kind) {
        ++index;
    }
    return index;
}
constexpr size_t ListIndex = IndexOf(ControlKind::FileList);
constexpr size_t DropDownIndex = IndexOf(ControlKind::DropDown);
constexpr size_t ButtonIndex = IndexOf(ControlKind::Button);

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::FileList:
        // Takes dropped files, as DragAcceptFiles would make it, without loading shell32 yet.
        return {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL,
                WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES};
    case ControlKind::DropDown:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case ControlKind::Button:
        return {L"BUTTON", BS_PUSHBUTTON, 0};
    }
    return {};
}

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

std::wstring ItemText(HWND control, UINT lengthMessage, UINT textMessage, WPARAM index) {
    const LRESULT length = SendMessageW(control, lengthMessage, index, 0);
    std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)), L'\0');
    SendMessageW(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

} // namespace

ATOM MainWindow::WindowClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = Instance();
        // Made for the system's DPI: the window shows them there, and loads others elsewhere.
        windowClass.hIcon = SharedAppIcon(SM_CXICON);
        windowClass.hIconSm = SharedAppIcon(SM_CXSMICON);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = ClassName;
        return RegisterClassExW(&windowClass);
    }();
    return atom;
}

MainWindow::MainWindow(Platform& platform, std::string appDir)
    : form_(*this, platform, std::move(appDir)) {
    CreateWindowExW(0, MAKEINTATOM(WindowClass()), L"", WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    0, 0, nullptr, nullptr, Instance(), this);
    if (window_ == nullptr) {
        throw std::runtime_error("the main window could not be created: " + LastErrorText());
    }
    CreateControls();
    ApplyDpi(GetDpiForWindow(window_));
    form_.Form_Load();
}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

MainWindow* MainWindow::FromHandle(HWND window) {
    if (GetClassLongPtrW(window, GCW_ATOM) != WindowClass()) {
        return nullptr;
    }
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void MainWindow::CreateControls() {
    for (size_t i = 0; i < Controls.size(); ++i) {
        const ControlRow& row = Controls[i];
        const ControlClass controlClass = ClassFor(row.kind);
        // Each control is a group of its own, so arrow keys stay inside the control.
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | controlClass.style |
                            (row.tabIndex >= 0 ? WS_TABSTOP : 0);
        controls_[i] = CreateWindowExW(controlClass.exStyle, controlClass.name,
                                       Widen(row.text).c_str(), style, 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(i))),
                                       Instance(), nullptr);
    }
    for (const char* item : BitRateItems) {
        SendMessageW(Control(DropDownIndex), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }

    // The dialog keys walk the controls in window order: put the focusable ones in tab order.
    std::vector<std::pair<int, HWND>> focusable;
    for (size_t i = 0; i < Controls.size(); ++i) {
        if (Controls[i].tabIndex >= 0) {
            focusable.emplace_back(Controls[i].tabIndex, Control(i));
        }
    }
    std::sort(focusable.begin(), focusable.end());
    for (size_t i = 1; i < focusable.size(); ++i) {
        SetWindowPos(focusable[i].second, focusable[i - 1].second, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    focus_ = focusable.front().second;

    // Only the list takes dropped files; the rest of the window refuses them.
    HWND list = Control(ListIndex);
    SetWindowLongPtrW(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProcedure)));
}

void MainWindow::ApplyDpi(UINT dpi, const RECT* suggested) {
    dpi_ = dpi;
    const auto pixels = [dpi](int twips) { return TwipsToPixels(twips, static_cast<int>(dpi)); };
    WindowFonts fonts(dpi);
    for (size_t i = 0; i < Controls.size(); ++i) {
        const ControlRow& row = Controls[i];
        const HFONT font = row.font == ControlFont::Text ? fonts.Text() : fonts.Dialog();
        SendMessageW(Control(i), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // A drop-down's window height is its open height; the closed height is fitted below.
        const int openList = row.kind == ControlKind::DropDown
                                 ? pixels(row.height) * static_cast<int>(BitRateItems.size() + 1)
                                 : 0;
        MoveWindow(Control(i), pixels(row.left), pixels(row.top), pixels(row.width),
                   pixels(row.height) + openList, FALSE);
    }
    fonts_ = std::move(fonts);
    // The class's icons are made for the system's DPI; a window elsewhere shows icons of its own.
    if (dpi != GetDpiForSystem() || SendMessageW(window_, WM_GETICON, ICON_SMALL, 0) != 0) {
        AppIcons icons(dpi);
        icons.GiveTo(window_);
        icons_ = std::move(icons);
    }
    FitDropDownHeight(Control(DropDownIndex), pixels(Controls[DropDownIndex].height));

    std::vector<std::wstring> entries;
    for (const std::string& entry : ListEntries()) {
        entries.push_back(Widen(entry));
    }
    widestEntry_ = 0;
    WidenListExtent(entries);

    RECT frame{0, 0, pixels(ClientWidthTwips), pixels(ClientHeightTwips)};
    AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, 0, dpi);
    const int x = suggested != nullptr ? suggested->left : 0;
    const int y = suggested != nullptr ? suggested->top : 0;
    SetWindowPos(window_, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (suggested != nullptr ? 0 : SWP_NOMOVE));
    // Before the window is first shown nothing has been drawn that could be out of date.
    if (IsWindowVisible(window_)) {
        RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

void MainWindow::FitDropDownHeight(HWND combo, int height) {
    // The closed height is the selection field's height plus borders, and some implementations
    // add a margin to the field height they are given: so set it once, measure what that gives,
    // then correct by the difference.
    const auto field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    RECT closed{};
    GetWindowRect(combo, &closed);
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 field + height - (closed.bottom - closed.top));
}

void MainWindow::WidenListExtent(const std::vector<std::wstring>& added) {
    HWND list = Control(ListIndex);
    HDC dc = GetDC(list);
    const HGDIOBJ previous = SelectObject(dc, fonts_.Text());
    for (const std::wstring& text : added) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widestEntry_ = std::max(widestEntry_, static_cast<int>(size.cx));
    }
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    // Room for the margins the list draws an item with.
    const int margins = TwipsToPixels(90, static_cast<int>(dpi_));
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestEntry_ + margins), 0);
}

std::vector<std::string> MainWindow::ListEntries() const {
    HWND list = Control(ListIndex);
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    std::vector<std::string> entries;
    entries.reserve(static_cast<size_t>(std::max<LRESULT>(count, 0)));
    for (LRESULT i = 0; i < count; ++i) {
        entries.push_back(Narrow(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i)));
    }
    return entries;
}

void MainWindow::SetCaption(const std::string& caption) {
    SetWindowTextW(window_, Widen(caption).c_str());
}

void MainWindow::SelectBitRate(int index) {
    HWND combo = Control(DropDownIndex);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // CB_SETCURSEL notifies nobody; a user's choice sends this.
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(ControlId(DropDownIndex), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

int MainWindow::ListCount() const {
    return static_cast<int>(SendMessageW(Control(ListIndex), LB_GETCOUNT, 0, 0));
}

void MainWindow::AppendToList(const std::vector<std::string>& paths) {
    HWND list = Control(ListIndex);
    std::vector<std::wstring> added;
    added.reserve(paths.size());
    size_t characters = 0;
    for (const std::string& path : paths) {
        added.push_back(Widen(path));
        characters += added.back().size() + 1;
    }
    // One layout and one repaint for the whole batch.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_INITSTORAGE, added.size(), characters * sizeof(wchar_t));
    for (const std::wstring& text : added) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    WidenListExtent(added);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

void MainWindow::OnCommand(int id, int code) {
    if (id == ControlId(DropDownIndex) && code == CBN_SELCHANGE) {
        HWND combo = Control(DropDownIndex);
        const auto selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (selected != CB_ERR) {
            form_.cboBitRate_Click(Narrow(
                ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(selected))));
        }
    } else if (id == ControlId(ButtonIndex) && code == BN_CLICKED) {
        form_.cmdExport_Click();
    }
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        // Remember which control had the focus, to give it back on return.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = GetFocus();
            if (focused != nullptr && IsChild(window_, focused)) {
                focus_ = focused;
            }
        }
        break;
    case WM_SETFOCUS:
        SetFocus(focus_);
        return 0;
    case WM_DPICHANGED:
        ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        return result;
    }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    MainWindow* self = FromHandle(window);
    return self != nullptr ? self->OnMessage(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    if (message == WM_DROPFILES) {
        // The drop is the user's own input to this window, so it may take the foreground from
        // the file manager. Whether Windows grants that or not, the window and the boxes it owns
        // stay above every other window while the drop is handled: what it says is seen.
        SetForegroundWindow(self->window_);
        constexpr UINT zOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        SetWindowPos(self->window_, HWND_TOPMOST, 0, 0, 0, 0, zOrderOnly);
        self->form_.lstFiles_OLEDragDrop(TakeDroppedPaths(reinterpret_cast<HDROP>(wParam)));
        SetWindowPos(self->window_, HWND_NOTOPMOST, 0, 0, 0, 0, zOrderOnly);
        return 0;
    }
    return CallWindowProcW(self->listProcedure_, list, message, wParam, lParam);
}

} // namespace vq3
