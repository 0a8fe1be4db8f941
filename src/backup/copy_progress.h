// What the progress window does for a backup or a restore while it copies:
// one step of its bar per data file, and between two files the window's
// messages, among them the person's request to stop.
#ifndef PELMO_BACKUP_COPY_PROGRESS_H
#define PELMO_BACKUP_COPY_PROGRESS_H

struct CopyProgress {
    void* context = nullptr;
    void (*advance)(void* context) = nullptr;
    // Handles the pending messages; true when the person asked to stop and
    // confirmed it.
    bool (*stopRequested)(void* context) = nullptr;

    void Advance() const {
        if (advance) advance(context);
    }
    bool StopRequested() const { return stopRequested && stopRequested(context); }
};

#endif
