#pragma once

#include <string>

// Whether a file (UTF-8 path; it need not exist yet, its folder must) lies on
// a network file system: NFS, SMB/CIFS and the like on Linux, a remote drive
// or UNC path on Windows. False when it cannot be told.
bool OnNetworkShare(const std::string& path);
