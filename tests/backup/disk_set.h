// A series of removable disks for the backup tests: the disk in the drive is
// the backup folder, the others wait outside it. Changing disks takes every
// file of the backup folder out (the folder itself too, unless it is the
// drive's root) and puts the other disk's files in, as a person swaps floppies.
#ifndef PELMO_TESTS_BACKUP_DISK_SET_H
#define PELMO_TESTS_BACKUP_DISK_SET_H

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "backup/backup_info.h"

using Bytes = std::vector<unsigned char>;
using Files = std::map<std::string, Bytes>;  // name: content

// Whole files through the program's own file calls (Shift-JIS names on Windows).
Bytes ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const Bytes& bytes);
// size bytes that differ from file to file (seed) and from place to place.
Bytes PatternBytes(std::size_t size, unsigned seed);
// Every plain file of folder with its content.
Files FilesOf(const std::string& folder);
// Writes every file into folder (created when missing).
void PutFiles(const std::string& folder, const Files& files);

// The information file a disk holds (all zero when it holds none) and the bytes of one.
BackupInfo InfoOnDisk(const Files& disk);
Bytes InfoBytes(const BackupInfo& info);
// A disk's place in its backup as its information file tells it:
// "disk 1 of 3 files, continues" or "disk 2 of 3 files, last".
std::string DiskPlace(const Files& disk);

class DiskSet {
public:
    // backupFolder: where the backup goes, with its final separator; root:
    // the drive's root (the same for a backup into the root).
    DiskSet(std::string root, std::string backupFolder);
    // Takes the disk in the drive out and puts disk n in (an empty one the first time).
    void Insert(int n);
    int InDrive() const { return inDrive_; }
    // What disk n holds; for the disk in the drive, read now.
    Files Disk(int n);
    // Gives disk n these files before it is inserted.
    void Prepare(int n, const Files& files) { outside_[n] = files; }

private:
    std::string root_, folder_;
    int inDrive_ = 1;
    std::map<int, Files> outside_;
};

// The person at the keyboard while a backup or a restore runs, answering the
// program's message boxes (install AnswerAsThePerson with SetMessageBoxFunction):
// every box is recorded; a request for a disk runs the next action (change
// disks and press OK) or gets Cancel when none is left; a "中断" question gets
// the next stop answer (Yes when none is left); any other question Yes.
struct AnsweredBox {
    std::string text;
    std::string caption;
};
using DiskAction = std::function<int()>;
struct ThePerson {
    std::vector<AnsweredBox> boxes;
    std::deque<DiskAction> diskActions;
    std::deque<int> stopAnswers;
    std::function<void()> atDiskRequest;  // looks at the windows while the program waits for a disk

    void Clear() { *this = ThePerson{}; }
    std::vector<std::string> Texts() const;
};
extern ThePerson g_person;
int AnswerAsThePerson(void* owner, const char* text, const char* caption, unsigned type);

#endif
