// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/AppDelegate.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(BrivanePlugin)

int main(int argc, char *argv[])
{
    return AppDelegate::runApplication(argc, argv);
}
