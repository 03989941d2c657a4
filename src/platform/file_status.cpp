#include "platform/file_status.hpp"

#include <cerrno>

namespace quarn::platform {

FileStatus status_of_errno(int error) {
  switch (error) {
    case 0:
      return status::kOk;
    case ENOENT:
    case ENOTDIR:       // a part of the path is a file
    case ENAMETOOLONG:  // no file can have the name
      return status::kMissing;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:  // a new file was asked for and the name is taken
    case EISDIR:  // a folder where a file is meant: it exists, but is not a file
    case ELOOP:   // a symbolic link where O_NOFOLLOW asked for a file
      return status::kNotPermitted;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case ERANGE:  // more than the room the caller gave
      return status::kFull;
    default:
      return status::kIoError;
  }
}

}  // namespace quarn::platform
