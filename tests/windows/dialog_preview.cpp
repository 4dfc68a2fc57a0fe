// Opens Inkline.aex's options dialog through the minimal host and keeps it on screen for a
// while, printing its window rectangle ("left top width height") once it is shown, so that
// scripts/make-dialog-screenshots.sh can photograph it. Usage: inkline_dialog_preview LANGUAGE
// (a host language tag such as en_US or ja_JP).
#include <cstdio>

#include "DialogUser.h"
#include "MiniHost.h"

int main(int argc, char** argv) {
  MiniHost host;
  host.language = argc > 1 ? argv[1] : "en_US";
  DialogUser user(host.mainWindow(), [](HWND dialog) {
    RECT rect{};
    GetWindowRect(dialog, &rect);
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
    std::fflush(stdout);
    Sleep(4000);  // the photographer's time; then the user closes it
  });
  const PF_Err err = host.send(PF_Cmd_DO_DIALOG);
  return user.finish().found && err == PF_Err_NONE ? 0 : 1;
}
