// The simulated desktop behind the stand-in's window functions: windows with their texts,
// states and rectangles, the mouse cursor, the monitors, and the user who works a modal
// dialog. For the simulated host and tests; thread-safe, though windows are meant for one
// (user-interface) thread as on Windows.
//
// Dialog geometry: a dialog unit is 1.5 pixels both ways (a 9-point font at 96 dpi); a
// dialog's window is its client area with a 3-pixel frame and a 23-pixel caption, placed at
// the template's position from the owner's top-left corner (the screen's without an owner).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace win32standin {

struct WindowState {
  HWND handle = nullptr;
  HWND parent = nullptr;  // a control's dialog, a dialog's owner
  int controlId = 0;
  std::string className;
  std::string text;
  RECT rect{};  // screen coordinates
  bool visible = true;
  bool enabled = true;
  DWORD processId = 0;
};

// A top-level window, such as the host's main window. processId: another process's window
// when it differs from GetCurrentProcessId().
HWND createTopLevelWindow(const std::string& title, RECT rect, bool visible = true, bool enabled = true,
                          std::optional<DWORD> processId = std::nullopt);
void destroyWindow(HWND window);
std::optional<WindowState> windowState(HWND window);

void setCursorPosition(POINT point);
// The monitors' full rectangles, the first the primary one; their work areas leave 40 pixels
// for a task bar at the bottom. Default: one 1920 x 1080 monitor at (0, 0).
void setMonitors(std::vector<RECT> monitors);

// What the user does once a dialog is initialised; called with the dialog's window on the
// thread that opened it. A dialog the script leaves open is closed with its close box.
using DialogScript = std::function<void(HWND dialog)>;
void setDialogScript(DialogScript script);  // an empty one: the user closes every dialog at once
// The next dialogs cannot be created (DialogBoxParamA returns -1) while set.
void setDialogCreationFails(bool fails);

// The user's actions, delivered to the dialog procedure as Windows delivers them; each
// returns the procedure's result.
INT_PTR clickButton(HWND dialog, int controlId);  // WM_COMMAND, BN_CLICKED
INT_PTR pressEscape(HWND dialog);                 // WM_COMMAND, IDCANCEL
INT_PTR clickCloseBox(HWND dialog);               // WM_CLOSE
INT_PTR clickLink(HWND dialog, int controlId);    // WM_NOTIFY, NM_CLICK
INT_PTR paintItem(HWND dialog, int controlId);    // WM_DRAWITEM for an owner-drawn control
bool dialogEnded(HWND dialog);
// The controls of an open dialog, in template order.
std::vector<WindowState> dialogControls(HWND dialog);

// The controls of the last dialog as they stood when it was destroyed.
std::vector<WindowState> lastDialogControls();
std::optional<WindowState> lastDialog();

struct ShellExecution {
  HWND window;
  std::string operation, file, parameters, directory;
  int showCommand;
};
std::vector<ShellExecution> shellExecutions();
std::vector<DWORD> commonControlClasses();  // what InitCommonControlsEx was asked for

struct StretchBltCall {
  RECT destination;             // x, y, x + width, y + height
  int sourceWidth, sourceHeight;
  int stretchMode;              // of the destination context at the time
  int bitmapWidth, bitmapHeight;  // of the bitmap selected into the source context
  DWORD rop;
};
std::vector<StretchBltCall> stretchBlts();
int liveGdiObjects();  // bitmaps loaded and device contexts created, not yet deleted

// Forgets windows, dialogs, records and settings made through this header (not the
// module resources): a clean desktop for the next test.
void resetDesktop();

}  // namespace win32standin
