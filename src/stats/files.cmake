# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later

list(APPEND BRIVANE_SOURCES
    stats/StatsFormat.h stats/StatsFormat.cpp
    stats/StatRowsModel.h stats/StatRowsModel.cpp
    stats/StatsSource.h stats/StatsSource.cpp
    stats/StatsSampler.h stats/StatsSampler.cpp
)
list(APPEND BRIVANE_QML
    stats/StatsPanel.qml
    stats/StatRow.qml
)
