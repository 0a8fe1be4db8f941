// "ペルモについて": dialog resource 100, with the maker's web page on button 1001.
#ifndef PELMO_SHELL_ABOUT_DIALOG_H
#define PELMO_SHELL_ABOUT_DIALOG_H

#include <windows.h>

INT_PTR RunAboutDialog(HINSTANCE instance, HWND owner);

#endif
