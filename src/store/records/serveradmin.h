#pragma once

#include "records/recordstore.h"
#include "records/result.h"

#include <string>

// What the login of the open store may do. A local file and a server's
// superuser may do everything.
enum class UserRole
{
    None, // a login in none of the laboratory's groups: it may only read, if that
    Tester, // 试验员: calculates, records, edits own drafts, manages materials
    Reviewer, // 审核人: also 审核s and 下发s others' designs
    Admin, // 管理员: also manages the users and purges the 回收站
    Owner, // the local file, or the server's superuser
};
std::string UserRoleName(UserRole role); // 试验员, 审核人, 管理员 …
// "tester", "reviewer", "admin"; None for any other text.
UserRole ParseUserRole(const std::string& text);

Result<UserRole> CurrentRole(RecordStore& store);
// The login name on a server; "" for a local file.
Result<std::string> CurrentLogin(RecordStore& store);

// The laboratory's people on its server: each a login role in one of the
// groups qoru_tester, qoru_reviewer, qoru_admin. The store is open on the
// server by a login that may create roles (a superuser or an admin).
// A user that exists already is moved to `role`; an empty password leaves
// the login's password as it is (or without one, for libpq's other ways in).
Result<void> AddUser(
    RecordStore& store, const std::string& name, UserRole role, const std::string& password = {});
Result<void> RemoveUser(RecordStore& store, const std::string& name);
