#include "ApplicationIdentity.h"

#include <QString>

// The compiled-in icon lives in this static library, whose resource initialiser the linker would
// drop unless something calls it.
static void registerIconImages() {
    Q_INIT_RESOURCE(icon);
}

namespace qm::platform {

QIcon applicationIcon() {
    static const bool registered = (registerIconImages(), true);
    (void)registered;
    QIcon compiledIn;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        compiledIn.addFile(QStringLiteral(":/icon/quillmar-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QLatin1String(kApplicationId), compiledIn);
}

} // namespace qm::platform
