#pragma once

namespace regalto {

// What a path names, as far as the run cares: only regular files are used.
enum class FileKind {
    Regular,
    NotRegular,  // directory or any other non-file object
    Absent,
    Unknown,     // the status could not be read (access denied, for instance)
};

}  // namespace regalto
