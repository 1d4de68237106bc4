// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// Processor, memory, disk, battery and uptime, refreshed every 2 seconds
// while the panel is shown. The sampler lives and dies with the panel.
Item {
    id: panel
    objectName: "statsPanel"
    implicitHeight: column.implicitHeight

    property alias sampler: sampler

    StatsSampler {
        id: sampler
        objectName: "statsSampler"
        active: panel.visible
    }

    Column {
        id: column
        width: parent.width
        spacing: 8

        Repeater {
            model: sampler.rows
            delegate: StatRow {
                width: column.width
            }
        }
    }
}
