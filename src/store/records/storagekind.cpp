#include "records/storagekind.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>

bool OnNetworkShare(const std::string& path)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return false;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
    for (wchar_t& c : wide) // Qt hands over paths with forward slashes
        if (c == L'/')
            c = L'\\';
    std::vector<wchar_t> root(MAX_PATH + 1);
    // The volume of a path that does not exist yet is that of its nearest folder.
    if (!GetVolumePathNameW(wide.data(), root.data(), static_cast<DWORD>(root.size())))
        return false;
    return GetDriveTypeW(root.data()) == DRIVE_REMOTE;
}

#else
#include <sys/mount.h>
#include <sys/param.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif

namespace {

std::string Folder(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool OnNetworkShare(const std::string& path)
{
    struct statfs fs
    {
    };
    if (statfs(Folder(path).c_str(), &fs) != 0)
        return false;
#ifdef __linux__
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969UL: // NFS
    case 0x517BUL: // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x564CUL: // NCP
    case 0x73757245UL: // Coda
    case 0x5346414FUL: // AFS
    case 0x6B414653UL: // kAFS
    case 0x01021997UL: // 9p (virtual machines' shared folders)
    case 0x00C36400UL: // Ceph
    case 0x0BD00BD0UL: // Lustre
    case 0x47504653UL: // GPFS
        return true;
    default:
        return false;
    }
#else
    return (fs.f_flags & MNT_LOCAL) == 0;
#endif
}

#endif
