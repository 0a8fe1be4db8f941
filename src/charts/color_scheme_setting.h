// The colour scheme the user chose, as the registry keeps it.
#ifndef PELMO_CHARTS_COLOR_SCHEME_SETTING_H
#define PELMO_CHARTS_COLOR_SCHEME_SETTING_H

// "SYSCOLOR" of the settings area as a scheme number 0..19; 0 when the value
// is missing, not a number or outside 0..19.
int ReadColorSchemeSetting();

#endif
