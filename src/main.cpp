#include "app/AppDelegate.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(BrivanePlugin)

int main(int argc, char *argv[])
{
    return AppDelegate::runApplication(argc, argv);
}
