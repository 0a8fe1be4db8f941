#include <windows.h>

#include "shell/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return RunPelmoApplication(instance, showCommand);
}
