// The string table as the portable code sees it: the same texts that
// PelmoFree.rc puts into the program's resources, in Shift-JIS.
#ifndef PELMO_RESOURCES_TEXTS_H
#define PELMO_RESOURCES_TEXTS_H

// The text of string-table entry `id`, or "" when there is none.
const char* PelmoText(unsigned id);

#endif
