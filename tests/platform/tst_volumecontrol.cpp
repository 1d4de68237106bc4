// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the output volume from the sound server's tools.
#include "TestSupport.h"
#include "platform/VolumeControl.h"

class TestVolumeControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void volumeReadings()
    {
        QCOMPARE(SystemVolume::parseWpctl("Volume: 0.40\n"), std::optional<int>(40));
        QCOMPARE(SystemVolume::parseWpctl("Volume: 0.37 [MUTED]\n"), std::optional<int>(37));
        QCOMPARE(SystemVolume::parsePactl(
                     "Volume: front-left: 24248 /  37% / -25.91 dB,   front-right: 24248 /  37% / "
                     "-25.91 dB\n        balance 0.00\n"),
            std::optional<int>(37));
        QVERIFY(!SystemVolume::parsePactl("Failure: No such entity\n"));
        QVERIFY(!SystemVolume::parseWpctl(""));
    }
};

BRIVANE_TEST_MAIN(TestVolumeControl)
#include "tst_volumecontrol.moc"
