#include "corelib/folders.h"

#include <cstring>

#include "corelib/files.h"
#include "corelib/files_platform.h"
#include "corelib/folders_platform.h"
#include "corelib/sjis.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The path without its final separators, except a root ("C:\\", "/").
std::string WithoutFinalSeparator(std::string path) {
    while (path.size() > 1 && EndsWithPathSeparator(path) && !(path.size() == 3 && path[1] == ':')) path.pop_back();
    return path;
}

// Equal but for the case of ASCII letters (never of a trail byte) and the
// kind of separator.
bool SamePathText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (IsSjisLeadByte(ca) && i + 1 < a.size()) {
            if (ca != cb || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (IsSeparator(a[i]) && IsSeparator(b[i])) continue;
        if (FoldAsciiLetter(ca) != FoldAsciiLetter(cb)) return false;
    }
    return true;
}

bool HasExtension(const std::string& name, const char* extension) {
    std::size_t length = std::strlen(extension);
    if (name.size() <= length || name[name.size() - length - 1] != '.') return false;
    // '.' is never a trail byte, so the letters after it are single bytes.
    for (std::size_t i = 0; i < length; ++i) {
        if (FoldAsciiLetter(static_cast<unsigned char>(name[name.size() - length + i])) !=
            FoldAsciiLetter(static_cast<unsigned char>(extension[i])))
            return false;
    }
    return true;
}

}  // namespace

bool EndsWithPathSeparator(const std::string& path) {
    const char* last = SjisFindLast(path.c_str(), '\\');
    const char* slash = SjisFindLast(path.c_str(), '/');
    if (slash && (!last || slash > last)) last = slash;
    return last != nullptr && last == path.c_str() + path.size() - 1;
}

std::string WithPathSeparator(std::string path) {
    if (!path.empty() && !EndsWithPathSeparator(path)) path += PathSeparator();
    return path;
}

std::vector<std::string> ListFolderFiles(const std::string& folder, const char* extension) {
    std::vector<std::string> names = ListPlainFiles(folder);
    if (extension == nullptr) return names;
    std::vector<std::string> kept;
    for (std::string& name : names)
        if (HasExtension(name, extension)) kept.push_back(std::move(name));
    return kept;
}

bool MakeFolderPath(const std::string& path) {
    std::string folder = WithoutFinalSeparator(path);
    if (folder.empty()) return false;
    if (FolderExists(folder)) return true;
    // The parent first: everything before the last separator.
    const char* last = SjisFindLast(folder.c_str(), PathSeparator());
    if (last != nullptr && last != folder.c_str()) {
        std::string parent = folder.substr(0, static_cast<std::size_t>(last - folder.c_str()));
        if (!(parent.size() == 2 && parent[1] == ':') && !MakeFolderPath(parent)) return false;
    }
    return MakeDir(nullptr, folder.c_str()) == 1 || FolderExists(folder);
}

bool SameFolder(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    if (SamePathText(WithoutFinalSeparator(FullPathOf(a)), WithoutFinalSeparator(FullPathOf(b)))) return true;
    return SameFileSystemObject(a, b);
}
