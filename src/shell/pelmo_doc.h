// The document of the single-document shell. The diary lives in the diary
// store (diary/diary_store.h); the document holds nothing and is never
// modified or saved.
#ifndef PELMO_SHELL_PELMO_DOC_H
#define PELMO_SHELL_PELMO_DOC_H

struct CPelmoDoc {};

#endif
