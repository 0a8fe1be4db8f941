// The window classes the view registers at start-up, in this order: the diary
// window "Weight", the utility library's classes, the mascot "ENDKIPI".
#ifndef PELMO_SHELL_SHELL_CLASSES_H
#define PELMO_SHELL_SHELL_CLASSES_H

#include <windows.h>

// False when "Weight" could not be registered; then nothing else was.
// A class that is already registered (a second frame in the same process)
// counts as registered.
bool RegisterPelmoWindowClasses(HINSTANCE instance);

#endif
