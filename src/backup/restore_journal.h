// The record a restore keeps while it puts the staged files in place of the
// data files: "RESTORE.JNL" in the staging folder "Restore.Temp", listing
// every file to be replaced. Written, whole and on the disk, before the first
// file is replaced and removed after the last, so that a restore cut short
// in between (the program killed, the power gone) is finished at the next
// start, or the person is told exactly which files are old and which restored.
#ifndef PELMO_BACKUP_RESTORE_JOURNAL_H
#define PELMO_BACKUP_RESTORE_JOURNAL_H

#include <string>
#include <vector>

#include "corelib/notice.h"

extern const char kRestoreJournalName[];  // "RESTORE.JNL"

// Writes the journal of the files names (bare names) into the staging folder
// of dataFolder, crash-safely; 1 when it is whole on the disk.
int WriteRestoreJournal(const std::string& dataFolder, const std::vector<std::string>& names);
// Removes the journal once every file named in it is in place.
void RemoveRestoreJournal(const std::string& dataFolder);

// At start, before anything reads the data folder: a restore cut short while
// it replaced the files is finished (the staged files still named in its
// journal put in place); one cut short before that is discarded, the data
// folder being as it was. What was found is told; a file that still cannot be
// put in place is named with the restored ones, and its staged copy and the
// journal stay for the next start to try again. Empty when nothing was left.
Notice FinishInterruptedRestore(const std::string& dataFolder);

// The texts of the start's settling of a restore (exact, for the program's tests).
extern const char kRestoreFinishedText[];
extern const char kRestoreAbandonedText[];
extern const char kRestoreRetryText[];  // the next start puts the files left in place

#endif
