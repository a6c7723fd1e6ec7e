#pragma once

namespace regalto {

enum ExitCode : int {
    ExitSuccess = 0,  // every listed DLL was handed to regsvr32
    ExitFailure = 1,  // anything else, an empty list and Cancel included
};

}  // namespace regalto
