// The start-up baseline: the least a Win32 program does to show one empty window of the tool's
// kind (fixed size). With --label the window shows one line of text, in a themed label.
#include "bench/windows/ReportShown.h"

#include <string_view>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"MinimalWindow";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"Minimal",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                        CW_USEDEFAULT, 368, 412, nullptr, nullptr, instance, nullptr);
    if (__argc > 1 && std::wstring_view(__wargv[1]) == L"--label") {
        CreateWindowExW(0, L"STATIC", L"Drag and drop", WS_CHILD | WS_VISIBLE, 8, 8, 353, 25,
                        window, nullptr, instance, nullptr);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    vq3::bench::ProcessPendingMessages();
    vq3::bench::ReportShown();
    return 0;
}
