// The programs of this tree, baked in as host paths by the build and reached through drive Z:.
#include "support.h"

namespace support {

const std::string& LauncherPath()
{
    static const std::string path = OnDriveZ(CORVANTA_TEST_LAUNCHER);
    return path;
}

const std::string& StandInPath()
{
    static const std::string path = OnDriveZ(CORVANTA_TEST_STANDIN);
    return path;
}

const std::string& InLauncherLibraryPath()
{
    static const std::string path = OnDriveZ(CORVANTA_TEST_IN_LAUNCHER);
    return path;
}

}  // namespace support
