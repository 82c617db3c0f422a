#include "AppEnvironment.h"

#include "platform/ConfigStore.h"
#include "platform/Folders.h"

namespace qm {

AppEnvironment AppEnvironment::fromSystem() {
    AppEnvironment env;
    env.configFile = platform::ConfigStore::defaultFile();
    env.system.documents = platform::documentsFolder();
    env.system.localData = platform::localDataFolder();
    env.tempFolder = platform::temporaryFolder();
    return env;
}

} // namespace qm
