// What the window that runs a backup or a restore does for the run. The run
// shows nothing itself: what it must ask in the middle of its work (the
// request for the next disk, whether to stop, a wrong disk) goes through
// Show, which gives back the person's answer. Between two data files the
// window moves its bar one step and takes the person's request to stop.
#ifndef PELMO_BACKUP_RUN_WINDOW_H
#define PELMO_BACKUP_RUN_WINDOW_H

#include "corelib/notice.h"

struct RunWindow {
    void* context = nullptr;
    // Shows the notice; the answer (kIdOk, kIdCancel, kIdYes, kIdNo).
    int (*show)(void* context, const Notice& notice) = nullptr;
    void (*advance)(void* context) = nullptr;
    // Handles the pending messages; true when the person asked to stop and
    // confirmed it.
    bool (*stopRequested)(void* context) = nullptr;

    int Show(const Notice& notice) const { return show ? show(context, notice) : kIdCancel; }
    void Advance() const {
        if (advance) advance(context);
    }
    bool StopRequested() const { return stopRequested && stopRequested(context); }
};

#endif
