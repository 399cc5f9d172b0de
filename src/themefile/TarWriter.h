#pragma once
// Packs the active archive members of a theme into the bytes of a .thm file: a plain ustar
// archive whose headers hold nothing that depends on the time of saving or on the user.

#include <array>
#include <string>

#include "model/Theme.h"

namespace tintora {

enum class TarBuildError { None, NoData, TooLarge };

struct TarBuildResult {
    bool ok = false;
    Bytes bytes;               // the whole archive when ok, empty otherwise
    std::string failedMember;  // the member that could not be packed
    std::string reason;        // why the build failed, for the log
    TarBuildError error = TarBuildError::None;
};

// The archive in memory: a header, the data and zero padding for every active record in record
// order, then two zero blocks. Fails, naming the member, for an active record without data or
// with more than 32,767 bytes.
TarBuildResult BuildTarArchive(const std::array<MemberRecord, kMemberCount>& members);

}  // namespace tintora
